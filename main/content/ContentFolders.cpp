#include "main/content/ContentFolders.h"

#include "main/content/ContentInfoMerge.h"
#include "platform/Paths.h"

#include <optional>

namespace kaldo {

bool ListContentFolders(const std::string& programFolder, std::vector<std::string>& folders) {
    const std::string dataFolder = ResolvePath(JoinPath(programFolder, "data"));
    const std::optional<std::vector<std::string>> names = ListFolders(dataFolder);
    if (!names)
        return false;
    for (const std::string& name : *names)
        folders.push_back(JoinPath(dataFolder, name));
    return true;
}

ResultCode MergeContentFolder(const std::string& folder, const std::string& languageCode) {
    return MergeContentInfo(ResolvePath(JoinPath(folder, "toolboxinfo.xml")),
                            ResolvePath(JoinPath(folder, "tabinfo.xml")),
                            ResolvePath(JoinPath(folder, "toolbox.xml")), languageCode);
}

ModelContent LoadModelContent(const std::string& folder, const std::string& model,
                              const std::string& languageCode) {
    ModelContent content;
    content.Merged = MergeContentFolder(folder, languageCode);
    content.Loaded = content.Merged == ResultCode::Ok && content.Config.Load(folder, model);
    return content;
}

PreparedContent PrepareContentFolders(const std::string& programFolder,
                                      const std::string& languageCode) {
    PreparedContent prepared;
    std::vector<std::string> folders;
    if (!ListContentFolders(programFolder, folders))
        return prepared;
    for (const std::string& folder : folders) {
        MergeContentFolder(folder, languageCode);
        prepared.ContentFolder = folder;
    }
    prepared.Ok = true;
    return prepared;
}

} // namespace kaldo
