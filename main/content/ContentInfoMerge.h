#pragma once

#include "main/pages/ResultCodes.h"

#include <string>

namespace kaldo {

// Writes toolbox.xml from the two pieces of a content folder: the body of toolboxinfo.xml
// followed by the legend and tab structure of tabinfo.xml, inside one Body element. The old
// toolbox.xml is replaced only by a complete merge, and left as it is when it already holds
// the merge. Any language code, an empty one included, declares UTF-8. Returns ResultCode::Ok,
// ResultCode::MissingArgument (a path is empty), ResultCode::OpenWriteFile (output cannot be
// created or written), ResultCode::ParseInput (a piece cannot be opened) or ResultCode::ReadError.
ResultCode MergeContentInfo(const std::string& toolboxInfoPath, const std::string& tabInfoPath,
                            const std::string& toolboxPath, const std::string& languageCode);

// The same merge into `merged` instead of a file, for answers that must write nothing.
ResultCode MergeContentInfoText(const std::string& toolboxInfoPath, const std::string& tabInfoPath,
                                const std::string& languageCode, std::string& merged);

} // namespace kaldo
