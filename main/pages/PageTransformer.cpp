#include "main/pages/PageTransformer.h"

#include "main/pages/DocumentUtils.h"
#include "main/pages/ResultCodes.h"
#include "main/pages/XmlHandles.h"
#include "platform/AtomicFile.h"

#include <libxslt/xsltutils.h>

namespace kaldo {

namespace {

// Stylesheets may read the content's own files, but never write files, create folders or use
// the network: only the result, saved by us, leaves the transformation.
XslSecurityPrefsHandle RestrictedPrefs() {
    XslSecurityPrefsHandle prefs(xsltNewSecurityPrefs());
    if (!prefs) {
        return nullptr;
    }
    for (xsltSecurityOption option : {XSLT_SECPREF_WRITE_FILE, XSLT_SECPREF_CREATE_DIRECTORY,
                                      XSLT_SECPREF_READ_NETWORK, XSLT_SECPREF_WRITE_NETWORK}) {
        if (xsltSetSecurityPrefs(prefs.get(), option, xsltSecurityForbid) != 0) {
            return nullptr;
        }
    }
    return prefs;
}

XmlDocHandle Apply(xsltStylesheetPtr stylesheet, xmlDocPtr source) {
    const XslSecurityPrefsHandle prefs = RestrictedPrefs();
    const XslTransformContextHandle context(xsltNewTransformContext(stylesheet, source));
    if (!prefs || !context || xsltSetCtxtSecurityPrefs(prefs.get(), context.get()) != 0) {
        return nullptr;
    }
    XmlDocHandle result(
        xsltApplyStylesheetUser(stylesheet, source, nullptr, nullptr, nullptr, context.get()));
    if (context->state != XSLT_STATE_OK) {
        return nullptr;
    }
    return result;
}

// The page takes the place of the old one only once it is complete.
bool Save(const std::string& htmlPath, xmlDocPtr result, xsltStylesheetPtr stylesheet) {
    AtomicFile file(htmlPath);
    return file.Open() && xsltSaveResultToFile(file.Stream(), result, stylesheet) >= 0 &&
           file.Commit();
}

} // namespace

ResultCode PageTransformer::Transform(const std::string& xmlPath, const std::string& xslPath,
                                      const std::string& htmlPath) const {
    if (xmlPath.empty() || xslPath.empty() || htmlPath.empty()) {
        return ResultCode::MissingArgument;
    }
    const XmlDocHandle source = ReadXmlFile(xmlPath);
    if (!source) {
        return ResultCode::TransformParseXml;
    }
    const XslStylesheetHandle stylesheet(xsltParseStylesheetFile(XmlText(xslPath)));
    if (!stylesheet) {
        return ResultCode::TransformParseXsl;
    }
    const XmlDocHandle result = Apply(stylesheet.get(), source.get());
    if (!result) {
        return ResultCode::TransformApply;
    }
    return Save(htmlPath, result.get(), stylesheet.get()) ? ResultCode::Ok
                                                          : ResultCode::TransformSave;
}

} // namespace kaldo
