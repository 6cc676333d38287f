#include "main/content/ModelFolders.h"

#include "main/content/ToolboxConfig.h"
#include "platform/AtomicFile.h"
#include "platform/Paths.h"

#include <filesystem>
#include <system_error>

namespace kaldo {

namespace fs = std::filesystem;

namespace {

std::string ResolveJoined(std::string_view folder, std::string_view name) {
    return ResolvePath(JoinPath(folder, name));
}

} // namespace

std::string ModelFolders::ContentPath(const std::string& name) const {
    return ResolveJoined(UiFolder, name);
}

std::string ModelFolders::ImagePath(const std::string& name) const {
    return ResolveJoined(JoinPath(UiFolder, "images"), name);
}

std::string ModelFolders::TabPagePath(const ToolboxConfig& config, int& currentTab, int tab) const {
    currentTab = tab;
    return ContentPath(config.TabPageFile(tab));
}

std::string ModelFolders::TabSubPagePath(ToolboxConfig& config, int currentTab, int page) const {
    return ContentPath(config.PageFile(currentTab, page));
}

ModelFolders ComputeModelFolders(const std::string& programFolder, const ToolboxConfig& config) {
    const PathsRecord paths = config.Paths();
    const std::string productFolder =
        JoinPath(JoinPath(programFolder, paths.Data_Folder), paths.Product_Folder);
    ModelFolders folders;
    folders.ContentFolder = ResolvePath(productFolder);
    folders.UiFolder = ResolveJoined(productFolder, paths.UI_Folder);
    folders.XmlFolder = ResolveJoined(productFolder, paths.Data_XML_Folder);
    folders.DocumentFolder = ResolveJoined(folders.UiFolder, paths.Doc_Folder);
    folders.VideoFolder = ResolveJoined(folders.UiFolder, paths.Video_Folder);
    std::error_code error;
    fs::create_directory(folders.DocumentFolder, error);
    fs::create_directory(folders.VideoFolder, error);
    return folders;
}

bool InstallModelPicture(const ModelFolders& folders, const ToolboxConfig& config) {
    const PathsRecord paths = config.Paths();
    if (paths.ModelGIF.empty() || paths.File_ProductCaptionGIF.empty())
        return false;
    const std::string picture = folders.ImagePath(paths.ModelGIF);
    const std::string caption = folders.ImagePath(paths.File_ProductCaptionGIF);
    std::error_code error;
    if (fs::equivalent(picture, caption, error))
        return true;
    if (!fs::exists(picture, error))
        return false;
    // A link beside the pictures does the job of a copy, and follows the installed picture.
    const fs::path target = fs::path(picture).lexically_relative(fs::path(caption).parent_path());
    return ReplaceWithLink(target.empty() ? picture : target.string(), caption);
}

} // namespace kaldo
