#pragma once

#include <string>

namespace kaldo {

// Writes toolbox.xml from the two pieces of a content folder: the body of toolboxinfo.xml
// followed by the legend and tab structure of tabinfo.xml, inside one Body element.
// Returns kOk, kMissingArgument, kOpenWriteFile (output cannot be opened or written),
// kParseInput (a piece cannot be opened) or kReadError.
int MergeContentInfo(const std::string& toolboxInfoPath, const std::string& tabInfoPath,
                     const std::string& toolboxPath, const std::string& languageCode);

// The same merge into `merged` instead of a file, for answers that must write nothing.
int MergeContentInfoText(const std::string& toolboxInfoPath, const std::string& tabInfoPath,
                         const std::string& languageCode, std::string& merged);

} // namespace kaldo
