#include "main/pages/PageTransformer.h"

#include "main/pages/DocumentUtils.h"
#include "main/pages/ResultCodes.h"
#include "main/pages/XmlHandles.h"
#include "platform/AtomicFile.h"

#include <libxslt/xsltutils.h>
#include <sys/stat.h>

#include <cstdint>
#include <filesystem>
#include <utility>
#include <vector>

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

// The page takes the place of the old one only once it is complete. A page is made again
// whenever it is shown, so it does without the immediate write-out a durable file has.
bool Save(const std::string& htmlPath, xmlDocPtr result, xsltStylesheetPtr stylesheet) {
    AtomicFile file(htmlPath, ReplaceMode::Regenerable);
    return file.Open() && xsltSaveResultToFile(file.Stream(), result, stylesheet) >= 0 &&
           file.Commit();
}

// What a compiled stylesheet was read from; a change in any of its files compiles it anew. One
// stat per file: every page checks its stylesheet's files.
struct FileStamp {
    std::string Path;
    bool Exists = false;
    dev_t Device = 0;
    ino_t Inode = 0; // a file put in place by rename is another file
    off_t Size = 0;
    std::int64_t Seconds = 0;
    long Nanoseconds = 0;
    bool operator==(const FileStamp&) const = default;
};

FileStamp StampOf(const std::string& path) {
    FileStamp stamp{path};
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0)
        return stamp;
    stamp.Exists = true;
    stamp.Device = status.st_dev;
    stamp.Inode = status.st_ino;
    stamp.Size = status.st_size;
    stamp.Seconds = status.st_mtim.tv_sec;
    stamp.Nanoseconds = status.st_mtim.tv_nsec;
    return stamp;
}

void CollectStamps(const xsltStylesheet* style, std::vector<FileStamp>& stamps) {
    for (; style != nullptr; style = style->next) {
        if (style->doc != nullptr && style->doc->URL != nullptr)
            stamps.push_back(StampOf(CharText(style->doc->URL)));
        for (const xsltDocument* included = style->docList; included != nullptr;
             included = included->next) {
            if (included->doc != nullptr && included->doc->URL != nullptr)
                stamps.push_back(StampOf(CharText(included->doc->URL)));
        }
        CollectStamps(style->imports, stamps);
    }
}

bool Unchanged(const std::vector<FileStamp>& stamps) {
    for (const FileStamp& stamp : stamps) {
        if (!(StampOf(stamp.Path) == stamp))
            return false;
    }
    return true;
}

std::string FolderOf(const std::string& path) {
    return std::filesystem::path(path).parent_path().string();
}

} // namespace

struct PageTransformer::Compiled {
    XslStylesheetHandle Stylesheet;
    std::vector<FileStamp> Stamps;
};

PageTransformer::PageTransformer() = default;
PageTransformer::~PageTransformer() = default;

size_t PageTransformer::CompiledCount() const {
    const std::lock_guard lock(m_mutex);
    return m_compiled.size();
}

xsltStylesheetPtr PageTransformer::Stylesheet(const std::string& xslPath) const {
    const std::string folder = FolderOf(xslPath);
    if (folder != m_folder) {
        m_compiled.clear();
        m_folder = folder;
    }
    auto held = m_compiled.find(xslPath);
    if (held != m_compiled.end() && Unchanged(held->second.Stamps))
        return held->second.Stylesheet.get();
    if (held != m_compiled.end())
        m_compiled.erase(held);
    // Stamped before compiling, so a change while compiling is seen next time.
    const FileStamp before = StampOf(xslPath);
    XslStylesheetHandle stylesheet(xsltParseStylesheetFile(XmlText(xslPath)));
    if (!stylesheet)
        return nullptr;
    Compiled compiled{std::move(stylesheet), {}};
    CollectStamps(compiled.Stylesheet.get(), compiled.Stamps);
    if (!compiled.Stamps.empty())
        compiled.Stamps.front() = before;
    return m_compiled.emplace(xslPath, std::move(compiled)).first->second.Stylesheet.get();
}

ResultCode PageTransformer::Transform(const std::string& xmlPath, const std::string& xslPath,
                                      const std::string& htmlPath) const {
    if (xmlPath.empty() || xslPath.empty() || htmlPath.empty()) {
        return ResultCode::MissingArgument;
    }
    const XmlDocHandle source = ReadXmlFile(xmlPath);
    if (!source) {
        return ResultCode::TransformParseXml;
    }
    return TransformTree(source.get(), xslPath, htmlPath, false).Code;
}

TreePage PageTransformer::TransformTree(const xmlDoc* source, const std::string& xslPath,
                                        const std::string& htmlPath, bool keepResult) const {
    if (xslPath.empty() || htmlPath.empty()) {
        return {ResultCode::MissingArgument, nullptr};
    }
    if (source == nullptr) {
        return {ResultCode::TransformParseXml, nullptr};
    }
    const std::lock_guard lock(m_mutex);
    xsltStylesheetPtr stylesheet = Stylesheet(xslPath);
    if (stylesheet == nullptr) {
        return {ResultCode::TransformParseXsl, nullptr};
    }
    // libxslt does not change the source; its interface only lacks the const.
    XmlDocHandle result = Apply(stylesheet, const_cast<xmlDocPtr>(source));
    if (!result) {
        return {ResultCode::TransformApply, nullptr};
    }
    if (!Save(htmlPath, result.get(), stylesheet)) {
        return {ResultCode::TransformSave, nullptr};
    }
    return {ResultCode::Ok, keepResult ? std::move(result) : nullptr};
}

} // namespace kaldo
