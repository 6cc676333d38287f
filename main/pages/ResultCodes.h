#pragma once

#include "platform/CodeNumber.h"

#include <string>

// Result codes of page generation and document handling.
namespace kaldo {

enum class ResultCode : int {
    Ok = 0,
    MissingArgument = 500,
    TransformParseXml = 501,
    TransformParseXsl = 502,
    TransformApply = 503,
    TransformSave = 504,
    WriterCreate = 600,
    WriterStartElement = 602,
    WriterWriteElement = 603,
    WriterEndElement = 604,
    WriterEndDocument = 605,
    OpenWriteFile = 606,
    ParseInput = 607,
    NoRoot = 608,
    BufferCreate = 609,
    XPathContext = 610,
    XPathEval = 611,
    XPathCast = 612,
    XPathNoNodeSet = 613,
    ReadError = 614,
    IndexMerge = 701,
};

// What a code means, for messages to people.
std::string ResultCodeText(ResultCode code);

} // namespace kaldo
