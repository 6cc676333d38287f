#pragma once

#include <libxml/xmlerror.h>
#include <libxslt/xsltutils.h>

#include <string>
#include <vector>

namespace kaldo {

// Collects what libxml2 and libxslt report while it lives, instead of letting it reach the
// standard error stream; the handlers that were set before come back when it ends.
class XmlErrorCapture final {
public:
    XmlErrorCapture();
    ~XmlErrorCapture();
    XmlErrorCapture(const XmlErrorCapture&) = delete;
    XmlErrorCapture& operator=(const XmlErrorCapture&) = delete;

    // The reported lines since the last Clear, without the source excerpts and carets that
    // libxml2 adds below a parser error.
    std::vector<std::string> Lines() const;
    void Clear() { m_text.clear(); }

private:
    static void Collect(void* self, const char* format, ...);

    std::string m_text;
    void* m_xmlContext;
    xmlGenericErrorFunc m_xmlHandler;
    void* m_xslContext;
    xmlGenericErrorFunc m_xslHandler;
};

// At most `count` of `lines`, joined with "; ".
std::string JoinLines(const std::vector<std::string>& lines, size_t count = 3);

// Why an existing XML file is not well-formed, as "line N: message"; empty when it parses.
std::string XmlParseProblem(const std::string& path);

// Why a well-formed stylesheet does not compile; empty when it does.
std::string StylesheetProblem(const std::string& path);

} // namespace kaldo
