#pragma once

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlstring.h>
#include <libxml/xmlwriter.h>
#include <libxml/xpath.h>
#include <libxslt/security.h>
#include <libxslt/transform.h>
#include <libxslt/xsltInternals.h>

#include <memory>
#include <string>

// Owners of libxml2 and libxslt objects, so that every object is freed on every path.
namespace kaldo {

namespace detail {

template <auto Free> struct XmlDeleter {
    template <typename T> void operator()(T* object) const noexcept { Free(object); }
};

// xmlFree is a function pointer variable, not a function, so it needs a wrapper of its own.
struct XmlStringDeleter {
    void operator()(xmlChar* text) const noexcept { xmlFree(text); }
};

} // namespace detail

using XmlDocHandle = std::unique_ptr<xmlDoc, detail::XmlDeleter<xmlFreeDoc>>;
using XmlTextWriterHandle = std::unique_ptr<xmlTextWriter, detail::XmlDeleter<xmlFreeTextWriter>>;
using XmlBufferHandle = std::unique_ptr<xmlBuffer, detail::XmlDeleter<xmlBufferFree>>;
using XPathContextHandle =
    std::unique_ptr<xmlXPathContext, detail::XmlDeleter<xmlXPathFreeContext>>;
using XPathObjectHandle = std::unique_ptr<xmlXPathObject, detail::XmlDeleter<xmlXPathFreeObject>>;
using XmlStringHandle = std::unique_ptr<xmlChar, detail::XmlStringDeleter>;
using XslStylesheetHandle = std::unique_ptr<xsltStylesheet, detail::XmlDeleter<xsltFreeStylesheet>>;
using XslTransformContextHandle =
    std::unique_ptr<xsltTransformContext, detail::XmlDeleter<xsltFreeTransformContext>>;
using XslSecurityPrefsHandle =
    std::unique_ptr<xsltSecurityPrefs, detail::XmlDeleter<xsltFreeSecurityPrefs>>;

// libxml2 speaks unsigned char; our text is std::string holding UTF-8.
inline const xmlChar* XmlText(const char* text) {
    return reinterpret_cast<const xmlChar*>(text);
}
inline const xmlChar* XmlText(const std::string& text) {
    return XmlText(text.c_str());
}
inline const char* CharText(const xmlChar* text) {
    return reinterpret_cast<const char*>(text);
}

// Copies a libxml2 string and frees it; a null string gives an empty text.
inline std::string TakeXmlString(xmlChar* text) {
    XmlStringHandle owner(text);
    return owner ? std::string(CharText(owner.get())) : std::string();
}

} // namespace kaldo
