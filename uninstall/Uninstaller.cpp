#include "uninstall/Uninstaller.h"

#include "packaging/ProgramIcon.h"
#include "platform/NameCompare.h"
#include "platform/Paths.h"
#include "platform/registry/Registry.h"
#include "setupsupport/DesktopEntry.h"
#include "setupsupport/FileTree.h"
#include "setupsupport/InstallLayout.h"
#include "setupsupport/SetupSupport.h"
#include "setupsupport/SpecialFolders.h"
#include "uninstall/UninstallerStrings.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include <sys/stat.h>
#include <unistd.h>

namespace kaldo {

namespace fs = std::filesystem;

namespace {

// Whether `file` is a plain file inside `folder` (both as they really are, links resolved).
bool LiesInside(const std::string& file, const std::string& folder) {
    std::error_code error;
    struct stat info {};
    if (file.empty() || ::lstat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    const fs::path realFile = fs::canonical(file, error);
    if (error)
        return false;
    const fs::path realFolder = fs::canonical(folder, error);
    if (error)
        return false;
    const auto [folderEnd, fileAt] =
        std::mismatch(realFolder.begin(), realFolder.end(), realFile.begin(), realFile.end());
    return folderEnd == realFolder.end() && fileAt != realFile.end();
}

} // namespace

std::vector<std::string> ContentFolders(const std::string& dataFolder) {
    std::vector<std::string> names;
    for (std::string& name : ListFolders(dataFolder).value_or(std::vector<std::string>{})) {
        struct stat info {};
        if (name.front() == '.' || ::lstat(JoinPath(dataFolder, name).c_str(), &info) != 0)
            continue;
        // A linked folder is not content of this installation.
        if (S_ISDIR(info.st_mode) && (info.st_mode & S_IWUSR) != 0)
            names.push_back(std::move(name));
    }
    return names;
}

RunState MainProgramState(const std::string& programFolder) {
    return ProgramLock::Probe(JoinPath(programFolder, ProgramLock::kFileName));
}

Uninstaller::Uninstaller(SetupSupport& setup, Registry& registry, std::string ownFile)
    : m_setup(setup)
    , m_registry(registry)
    , m_ownFile(std::move(ownFile))
    , m_programFolder(ProgramFolderIn(setup.getSpecialFolder(kFolderProgramFiles).value_or("")))
    // The main program finds its content folder in any case ("data", "DATA"), so must this.
    , m_dataFolder(ResolvePath(JoinPath(m_programFolder, kContentFolderName))) {}

bool Uninstaller::HasInstallation() const {
    std::error_code error;
    return fs::is_directory(fs::symlink_status(m_programFolder, error)) ||
           m_registry.KeyExists(Hive::LocalMachine, kUninstallKey);
}

void Uninstaller::Refresh() {
    m_contents = ContentFolders(m_dataFolder);
}

std::string Uninstaller::FindContent(const std::string& name) const {
    if (std::find(m_contents.begin(), m_contents.end(), name) != m_contents.end())
        return name;
    for (const std::string& content : m_contents) {
        if (SameNameIgnoringCase(content, name))
            return content;
    }
    return {};
}

bool Uninstaller::Remove(const std::vector<std::string>& names) {
    m_notRemoved.clear();
    size_t remaining = m_contents.size();
    for (const std::string& name : names) {
        // Names are folders directly in Data, never paths.
        if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos)
            continue;
        m_setup.deleteTree(JoinPath(m_dataFolder, name), "*.*");
        NoteLeftovers(JoinPath(m_dataFolder, name));
        if (remaining > 0 && --remaining == 0) {
            RemoveInstallation();
            m_contents.clear();
            return true;
        }
    }
    Refresh();
    return false;
}

void Uninstaller::RemoveInstallation() {
    m_notRemoved.clear();
    const int programsId = ProgramsMenuFolderId(m_setup.getOsClass());
    const std::optional<std::string> programs = m_setup.getSpecialFolder(programsId);
    for (const std::string& entry : {UninstallerText(m_setup, UninstallerString::ProgramsShortcut),
                                     std::string(kUninstallerMenuEntry)}) {
        m_setup.deleteProgramsShortcut(entry);
        const std::string name = entry.substr(entry.find_last_of('\\') + 1);
        if (programs)
            NoteLeftovers(
                JoinPath(*programs, DesktopFileId(name) + std::string(kShortcutExtension)));
    }
    if (const std::optional<std::string> theme = IconThemeFolder(programsId))
        RemoveProgramIcons(*theme);
    if (const std::optional<std::string> desktop = m_setup.getSpecialFolder(kFolderCommonDesktop)) {
        const std::string shortcut =
            JoinPath(*desktop, UninstallerText(m_setup, UninstallerString::DesktopShortcut));
        m_setup.deleteShortcut(shortcut);
        NoteLeftovers(shortcut + std::string(kShortcutExtension));
    }
    m_registry.DeleteTree(Hive::LocalMachine, kUninstallKey);
    // The installer wrote the program key in the same store; there is no second view of it here.
    m_registry.DeleteTree(Hive::LocalMachine, kProgramKey);
    RemoveProgramFolder();
    NoteLeftovers(m_programFolder);
}

// Whatever is still at `path`: the files below it, or the path itself when no file is.
void Uninstaller::NoteLeftovers(const std::string& path) {
    std::error_code error;
    if (!fs::exists(fs::symlink_status(path, error)))
        return;
    std::vector<std::string> files;
    if (fs::is_directory(fs::symlink_status(path, error))) {
        for (fs::recursive_directory_iterator it(path, error), end; !error && it != end;
             it.increment(error)) {
            if (!it->is_directory(error) || it->is_symlink(error))
                files.push_back(it->path().string());
        }
    }
    if (files.empty())
        files.push_back(path);
    std::sort(files.begin(), files.end());
    m_notRemoved.insert(m_notRemoved.end(), files.begin(), files.end());
}

void Uninstaller::RemoveProgramFolder() {
    if (!LiesInside(m_ownFile, m_programFolder)) {
        m_setup.deleteTree(m_programFolder, "*.*");
        return;
    }
    // The folders from the uninstaller's own up to the program folder, worked out while the
    // file is still there to resolve.
    std::error_code error;
    const fs::path top = fs::canonical(m_programFolder, error);
    std::vector<fs::path> folders;
    for (fs::path folder = fs::canonical(m_ownFile, error).parent_path();;
         folder = folder.parent_path()) {
        folders.push_back(folder);
        if (folder == top || folder == folder.parent_path())
            break;
    }
    // Everything else first, so that a failure leaves the uninstaller there to try again.
    DeleteTree(m_programFolder, "*.*", m_ownFile);
    m_setup.deleteFile(m_ownFile);
    for (const fs::path& folder : folders) {
        if (::rmdir(folder.c_str()) != 0)
            break;
    }
}

} // namespace kaldo
