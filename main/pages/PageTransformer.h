#pragma once

#include "main/pages/ResultCodes.h"

#include <string>

namespace kaldo {

// Turns a generated XML file into an HTML page with a stylesheet of the content. Holds no
// libxml2 or libxslt objects between transformations; the libraries' global clean-up belongs
// to XmlLibraryScope, not to this object.
class PageTransformer final {
public:
    // 0, or the code of the first failing step: ResultCode::MissingArgument when a path is empty,
    // ResultCode::TransformParseXml, ResultCode::TransformParseXsl, ResultCode::TransformApply (no
    // result, including a stylesheet that tries to write files or reach the network),
    // ResultCode::TransformSave. The HTML file is replaced only by a complete page; on any failure
    // it stays as it was.
    ResultCode Transform(const std::string& xmlPath, const std::string& xslPath,
                         const std::string& htmlPath) const;
};

} // namespace kaldo
