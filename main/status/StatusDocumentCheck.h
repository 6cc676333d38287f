#pragma once

#include "main/pages/XmlHandles.h"
#include "main/status/StatusInfo.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kaldo {

// A status document comes from the network. Anything larger is not read at all.
inline constexpr std::uintmax_t kMaxStatusDocumentBytes = 4 * 1024 * 1024;

// Whether the file is a regular file no larger than kMaxStatusDocumentBytes.
bool IsStatusDocumentSizeAccepted(const std::string& path);

// Parses a status document with the safe parser options; null when the file is missing,
// larger than kMaxStatusDocumentBytes or not well-formed.
XmlDocHandle ReadStatusDocument(const std::string& path);

// Whether the stored status document is usable: it parses and lists an installable option
// whose type is part of "Hard Drive" (case-insensitive) and that has an installed entry.
// Rewrites the Korean encoding names "korean" or "ksc5601" in the file to "EUC-KR" first.
bool CheckStatusDocument(const std::string& path);

// Whether an icon path named by the printer stays inside the images folder and names a
// picture: a relative path of plain names (none empty or beginning with '.', no backslash or
// control character) whose file has the extension of a bitmap image.
bool IsSafeIconPath(std::string_view iconPath);

// Reads the status icon's path from the status document, drops its first character (the
// printer names it from its web root) and places it below `imagesFolder`. True when the icon
// must be fetched from the printer's web address + `iconUrl` into `localPath`, that is when
// that file does not exist yet. False, with both outputs cleared, when the document names no
// icon or a path that IsSafeIconPath refuses.
bool FindStatusIcon(const std::string& statusDocumentPath, const std::string& imagesFolder,
                    std::string& iconUrl, std::string& localPath);

// The root element of the status document the program writes from the spooler's view of a
// queue when the printer gives none of its own (see QueueStatus.h).
inline constexpr char kQueueStatusRoot[] = "queueStatus";

// Whether the stored status document is the queue's status from the spooler.
bool IsQueueStatusDocument(const std::string& path);

// The status the footer shows for a retrieval's report: available only when the document was
// written and passes CheckStatusDocument, or is the queue's status from the spooler.
StatusValue StatusFromReport(bool written, const std::string& statusDocumentPath);

} // namespace kaldo
