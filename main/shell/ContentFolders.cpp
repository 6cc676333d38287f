#include "main/shell/ContentFolders.h"

#include "main/shell/ContentInfoMerge.h"
#include "platform/AsciiText.h"
#include "platform/Paths.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace kaldo {

namespace fs = std::filesystem;

bool ListContentFolders(const std::string& programFolder, std::vector<std::string>& folders) {
    const std::string dataFolder = ResolvePath(JoinPath(programFolder, "data"));
    std::error_code error;
    fs::directory_iterator it(dataFolder, error);
    if (error)
        return false;
    std::vector<std::string> names;
    for (const fs::directory_iterator end; it != end; it.increment(error)) {
        std::error_code typeError;
        if (it->is_directory(typeError))
            names.push_back(it->path().filename().string());
    }
    if (error)
        return false;
    // Folder names order as the system of the content enumerates them: without regard to
    // ASCII case.
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return LessIgnoringCase(a, b); });
    for (const std::string& name : names)
        folders.push_back(JoinPath(dataFolder, name));
    return true;
}

PreparedContent PrepareContentFolders(const std::string& programFolder,
                                      const std::string& languageCode) {
    PreparedContent prepared;
    std::vector<std::string> folders;
    if (!ListContentFolders(programFolder, folders))
        return prepared;
    for (const std::string& folder : folders) {
        MergeContentInfo(ResolvePath(JoinPath(folder, "toolboxinfo.xml")),
                         ResolvePath(JoinPath(folder, "tabinfo.xml")),
                         ResolvePath(JoinPath(folder, "toolbox.xml")), languageCode);
        prepared.ContentFolder = folder;
    }
    prepared.ok = true;
    return prepared;
}

} // namespace kaldo
