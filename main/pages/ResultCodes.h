#pragma once

// Result codes of page generation and document handling; 0 is success.
namespace kaldo {

constexpr int kOk = 0;
constexpr int kMissingArgument = 500;
constexpr int kTransformParseXml = 501;
constexpr int kTransformParseXsl = 502;
constexpr int kTransformApply = 503;
constexpr int kTransformSave = 504;
constexpr int kWriterCreate = 600;
constexpr int kWriterStartElement = 602;
constexpr int kWriterWriteElement = 603;
constexpr int kWriterEndElement = 604;
constexpr int kWriterEndDocument = 605;
constexpr int kOpenWriteFile = 606;
constexpr int kParseInput = 607;
constexpr int kNoRoot = 608;
constexpr int kBufferCreate = 609;
constexpr int kXPathContext = 610;
constexpr int kXPathEval = 611;
constexpr int kXPathCast = 612;
constexpr int kXPathNoNodeSet = 613;
constexpr int kReadError = 614;
constexpr int kIndexMerge = 701;

} // namespace kaldo
