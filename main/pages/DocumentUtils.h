#pragma once

#include "main/pages/ResultCodes.h"
#include "main/pages/XmlHandles.h"

#include <string>
#include <string_view>

namespace kaldo {

// Parser options for every document we read. Documents embed text from printers and the
// network: no network access and no entity substitution, so an external entity is never
// fetched or expanded.
constexpr int kSafeParseOptions = XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_NONET;

// Parses an XML file with kSafeParseOptions; null when it cannot be read or parsed.
XmlDocHandle ReadXmlFile(const std::string& path);

// Upper-cases `language` in place and sets `encoding` to the name every generated document
// declares: "UTF-8" for every language, an empty or unknown one included. Always ResultCode::Ok.
ResultCode EncodingForLanguage(std::string& language, std::string& encoding);

// Copies `first` and its following siblings into `writer`, element names and text only, then
// ends one element: the one the caller started around the copy. Empty elements, attributes,
// comments and the text of mixed content are left out. Returns the result of that final end
// call, or -1 when any earlier write failed.
int CopyElementTree(xmlDocPtr document, xmlNodePtr first, xmlTextWriterPtr writer);

// Replaces the first occurrence of `find` in the file by `replace`, searching 1024-byte chunks
// (an occurrence across a chunk border is not found). The file is rewritten under a temporary
// name and renamed over `path`; on any error the original stays as it was.
void ReplaceInFile(const std::string& path, std::string_view find, std::string_view replace);

// Whether one of the file's 1024-byte chunks contains `text`. False for a missing file.
bool FileContains(const std::string& path, std::string_view text);

} // namespace kaldo
