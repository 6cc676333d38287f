#include "main/pages/ResultCodes.h"

namespace kaldo {

std::string ResultCodeText(ResultCode code) {
    switch (code) {
    case ResultCode::Ok:
        return "no error";
    case ResultCode::MissingArgument:
        return "a file name is missing (500)";
    case ResultCode::TransformParseXml:
        return "the document to transform does not parse (501)";
    case ResultCode::TransformParseXsl:
        return "the stylesheet does not parse (502)";
    case ResultCode::TransformApply:
        return "the transformation produced no result (503)";
    case ResultCode::TransformSave:
        return "the page cannot be saved (504)";
    case ResultCode::ParseInput:
        return "an input document does not parse or the output cannot be written (607)";
    case ResultCode::NoRoot:
        return "an input document has no root element (608)";
    case ResultCode::IndexMerge:
        return "the index files cannot be merged (701)";
    default:
        return "the document cannot be written (" + std::to_string(ToInt(code)) + ")";
    }
}

} // namespace kaldo
