#pragma once

#include "main/content/ToolboxConfig.h"
#include "main/pages/ResultCodes.h"

#include <string>
#include <vector>

namespace kaldo {

// The content folders below the program folder's data folder (found as "Data" or "data"),
// full paths without a trailing separator, in the order of ListFolders. False when
// the data folder cannot be read.
bool ListContentFolders(const std::string& programFolder, std::vector<std::string>& folders);

struct PreparedContent {
    bool Ok = false;
    std::string ContentFolder; // the last content folder; empty when there is none
};

// Rebuilds the content folder's toolbox.xml from its two configuration pieces.
ResultCode MergeContentFolder(const std::string& folder, const std::string& languageCode);

// A content folder's configuration, merged and loaded for one model as at start-up.
struct ModelContent {
    ResultCode Merged = ResultCode::Ok;
    bool Loaded = false; // the model was found in the merged configuration
    ToolboxConfig Config;

    bool Ready() const { return Merged == ResultCode::Ok && Loaded; }
};

// Merges `folder`'s toolbox.xml and, when that worked, loads `model` from it.
ModelContent LoadModelContent(const std::string& folder, const std::string& model,
                              const std::string& languageCode);

// Rebuilds every content folder's toolbox.xml from its two pieces. A folder whose merge fails
// keeps what the merge left; only an unreadable data folder is a failure.
PreparedContent PrepareContentFolders(const std::string& programFolder,
                                      const std::string& languageCode);

} // namespace kaldo
