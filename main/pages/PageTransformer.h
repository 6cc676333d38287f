#pragma once

#include "main/pages/ResultCodes.h"
#include "main/pages/XmlHandles.h"

#include <map>
#include <mutex>
#include <string>

namespace kaldo {

// A page written from a parsed tree: its code, and the result tree when the caller asked to
// keep it (to hand it to the next stylesheet without reading the page again).
struct TreePage {
    ResultCode Code = ResultCode::Ok;
    XmlDocHandle Result;
};

// Turns a generated XML file into an HTML page with a stylesheet of the content. Compiles each
// stylesheet once and keeps it while it stays unchanged on disk and the pages come from the
// same content folder; a stylesheet from another folder empties the cache. The libraries'
// global clean-up belongs to XmlLibraryScope, not to this object.
class PageTransformer final {
public:
    PageTransformer();
    ~PageTransformer();
    PageTransformer(const PageTransformer&) = delete;
    PageTransformer& operator=(const PageTransformer&) = delete;

    // 0, or the code of the first failing step: ResultCode::MissingArgument when a path is empty,
    // ResultCode::TransformParseXml, ResultCode::TransformParseXsl, ResultCode::TransformApply (no
    // result, including a stylesheet that tries to write files or reach the network),
    // ResultCode::TransformSave. The HTML file is replaced only by a complete page; on any failure
    // it stays as it was.
    ResultCode Transform(const std::string& xmlPath, const std::string& xslPath,
                         const std::string& htmlPath) const;

    // As Transform, over a document already parsed (`source` null gives TransformParseXml).
    // With `keepResult` the result tree is handed back as well.
    TreePage TransformTree(const xmlDoc* source, const std::string& xslPath,
                           const std::string& htmlPath, bool keepResult) const;

    // How many stylesheets are held compiled.
    size_t CompiledCount() const;

private:
    struct Compiled;
    xsltStylesheetPtr Stylesheet(const std::string& xslPath) const;

    // Only the cache changes under const: the pages written are the same with or without it.
    mutable std::mutex m_mutex;
    mutable std::string m_folder;
    mutable std::map<std::string, Compiled> m_compiled;
};

} // namespace kaldo
