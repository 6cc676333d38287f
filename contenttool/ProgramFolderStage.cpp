#include "contenttool/ProgramFolderStage.h"

#include "main/content/ToolboxConfig.h"
#include "platform/Paths.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace kaldo {

namespace fs = std::filesystem;

bool IsPlainName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of("/\\") == std::string::npos;
}

namespace {

// A relative path that stays below the folder it is joined to.
bool StaysInside(std::string name) {
    std::replace(name.begin(), name.end(), '\\', '/');
    const fs::path path(name);
    return !path.is_absolute() && std::none_of(path.begin(), path.end(),
                                               [](const fs::path& part) { return part == ".."; });
}

} // namespace

std::string FolderEscapeProblem(const PathsRecord& paths) {
    for (const auto& [label, name] : {std::pair{"UI_Folder", paths.UI_Folder},
                                      std::pair{"Data_XML_Folder", paths.Data_XML_Folder},
                                      std::pair{"Doc_Folder", paths.Doc_Folder},
                                      std::pair{"Video_Folder", paths.Video_Folder}}) {
        if (!StaysInside(name))
            return "<" + std::string(label) + "> \"" + name + "\" leads out of the content folder";
    }
    return {};
}

ProgramFolderStage::ProgramFolderStage() {
    std::error_code error;
    std::string pattern = (fs::temp_directory_path(error) / "tendwellcontent-XXXXXX").string();
    if (!error && mkdtemp(pattern.data()) != nullptr)
        m_folder = pattern + "/";
}

ProgramFolderStage::~ProgramFolderStage() {
    if (m_folder.empty())
        return;
    // remove_all removes a link without following it.
    std::error_code error;
    fs::remove_all(m_folder, error);
}

std::string ProgramFolderStage::Place(const std::string& dataFolder, const std::string& name,
                                      std::string& error) {
    if (m_folder.empty()) {
        error = "no temporary folder can be made";
        return {};
    }
    if (!IsPlainName(dataFolder) || !IsPlainName(name)) {
        error = "\"" + dataFolder + "/" + name + "\" is not a folder name of its own";
        return {};
    }
    std::error_code failure;
    const std::string data = JoinPath(m_folder, dataFolder);
    fs::create_directories(data, failure);
    if (failure) {
        error = data + ": " + failure.message();
        return {};
    }
    return JoinPath(data, name);
}

std::string ProgramFolderStage::Copy(const std::string& contentFolder,
                                     const std::string& dataFolder, const std::string& name,
                                     std::string& error) {
    const std::string target = Place(dataFolder, name, error);
    if (target.empty())
        return {};
    std::error_code failure;
    // Links inside the content are copied as what they point at, so nothing written into the
    // copy reaches the author's files.
    fs::copy(contentFolder, target, fs::copy_options::recursive, failure);
    if (failure) {
        error = "cannot be copied to " + target + ": " + failure.message();
        return {};
    }
    return target;
}

std::string ProgramFolderStage::Link(const std::string& contentFolder,
                                     const std::string& dataFolder, const std::string& name,
                                     std::string& error) {
    const std::string target = Place(dataFolder, name, error);
    if (target.empty())
        return {};
    std::error_code failure;
    fs::create_directory_symlink(fs::absolute(contentFolder, failure), target, failure);
    if (failure) {
        error = "cannot be linked from " + target + ": " + failure.message();
        return {};
    }
    return target;
}

} // namespace kaldo
