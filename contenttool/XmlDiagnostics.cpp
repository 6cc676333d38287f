#include "contenttool/XmlDiagnostics.h"

#include "main/pages/DocumentUtils.h"
#include "main/pages/XmlHandles.h"

#include <cstdarg>
#include <cstdio>
#include <memory>

namespace kaldo {

namespace {

using ParserContextHandle = std::unique_ptr<xmlParserCtxt, detail::XmlDeleter<xmlFreeParserCtxt>>;

std::string Trimmed(std::string text) {
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    const size_t last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

// libxml2 follows a parser error with the offending source line and a line holding only a
// caret under the error position.
bool IsCaretLine(const std::string& line) {
    return line.find_first_not_of(" \t^") == std::string::npos;
}

} // namespace

XmlErrorCapture::XmlErrorCapture()
    : m_xmlContext(xmlGenericErrorContext)
    , m_xmlHandler(xmlGenericError)
    , m_xslContext(xsltGenericErrorContext)
    , m_xslHandler(xsltGenericError) {
    xmlSetGenericErrorFunc(this, &XmlErrorCapture::Collect);
    xsltSetGenericErrorFunc(this, &XmlErrorCapture::Collect);
}

XmlErrorCapture::~XmlErrorCapture() {
    xmlSetGenericErrorFunc(m_xmlContext, m_xmlHandler);
    xsltSetGenericErrorFunc(m_xslContext, m_xslHandler);
}

void XmlErrorCapture::Collect(void* self, const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    va_list again;
    va_copy(again, arguments);
    const int length = std::vsnprintf(nullptr, 0, format, arguments);
    va_end(arguments);
    if (length > 0) {
        std::string text(static_cast<size_t>(length) + 1, '\0');
        std::vsnprintf(text.data(), text.size(), format, again);
        text.resize(static_cast<size_t>(length));
        static_cast<XmlErrorCapture*>(self)->m_text += text;
    }
    va_end(again);
}

std::vector<std::string> XmlErrorCapture::Lines() const {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < m_text.size()) {
        size_t end = m_text.find('\n', start);
        if (end == std::string::npos)
            end = m_text.size();
        std::string line = Trimmed(m_text.substr(start, end - start));
        if (IsCaretLine(line)) {
            // The caret belongs to the source line before it, which is no message either.
            if (!line.empty() && !lines.empty())
                lines.pop_back();
        } else {
            lines.push_back(std::move(line));
        }
        start = end + 1;
    }
    return lines;
}

std::string JoinLines(const std::vector<std::string>& lines, size_t count) {
    std::string joined;
    for (size_t i = 0; i < lines.size() && i < count; ++i) {
        if (!joined.empty())
            joined += "; ";
        joined += lines[i];
    }
    return joined;
}

std::string XmlParseProblem(const std::string& path) {
    // The parser goes on after its first error and ends on consequences of it; the first one
    // is what the author has to fix.
    struct FirstError {
        int Line = 0;
        std::string Message;
        static void Record(void* self, xmlErrorPtr error) {
            auto* first = static_cast<FirstError*>(self);
            if (first->Message.empty() && error && error->message) {
                first->Line = error->line;
                first->Message = Trimmed(error->message);
            }
        }
    } first;
    void* const previousContext = xmlStructuredErrorContext;
    const xmlStructuredErrorFunc previous = xmlStructuredError;
    xmlSetStructuredErrorFunc(&first, &FirstError::Record);
    const ParserContextHandle context(xmlNewParserCtxt());
    XmlDocHandle document;
    if (context)
        document.reset(xmlCtxtReadFile(context.get(), path.c_str(), nullptr, kSafeParseOptions));
    xmlSetStructuredErrorFunc(previousContext, previous);

    if (document && xmlDocGetRootElement(document.get()))
        return {};
    if (!first.Message.empty())
        return "line " + std::to_string(first.Line) + ": " + first.Message;
    return document ? "no root element" : "cannot be read";
}

std::string StylesheetProblem(const std::string& path) {
    XmlErrorCapture capture;
    const XslStylesheetHandle stylesheet(xsltParseStylesheetFile(XmlText(path)));
    if (stylesheet && stylesheet->errors == 0 && stylesheet->warnings == 0)
        return {};
    const std::string said = JoinLines(capture.Lines());
    return said.empty() ? std::string("libxslt rejects it") : said;
}

} // namespace kaldo
