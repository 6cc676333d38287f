#pragma once

#include <string>
#include <vector>

namespace kaldo {

// The content folders below the program folder's data folder (found as "Data" or "data"),
// full paths without a trailing separator, in the order of ListFolders. False when
// the data folder cannot be read.
bool ListContentFolders(const std::string& programFolder, std::vector<std::string>& folders);

struct PreparedContent {
    bool ok = false;
    std::string ContentFolder; // the last content folder; empty when there is none
};

// Rebuilds every content folder's toolbox.xml from its two pieces. A folder whose merge fails
// keeps what the merge left; only an unreadable data folder is a failure.
PreparedContent PrepareContentFolders(const std::string& programFolder,
                                      const std::string& languageCode);

} // namespace kaldo
