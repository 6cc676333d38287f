#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kaldo {

// The shell folder ids that setup uses.
constexpr int kFolderPrograms = 2;        // the user's applications menu
constexpr int kFolderCommonPrograms = 23; // every user's applications menu
constexpr int kFolderCommonDesktop = 25;  // the desktop
constexpr int kFolderProgramFiles = 38;

// 2: $XDG_DATA_HOME/applications (else ~/.local/share/applications); 23:
// MachinePath("/usr/local/share/applications"); 25: the user's desktop folder; 38:
// MachinePath("/opt"). Nothing for any other id, or when the user has no home folder.
std::optional<std::string> SpecialFolderPath(int id);

// The applications menu that setup uses on a system of `osClass`: the user's (2) before the
// NT family, every user's (23) since.
inline int ProgramsMenuFolderId(int osClass) {
    return osClass < 7 ? kFolderPrograms : kFolderCommonPrograms;
}

// The folders that go with the applications menu `programsId` (2 or 23): where submenus are
// named (desktop-directories), where menu files are merged in (menus/applications-merged), and
// the hicolor icon theme. For 23: MachinePath of /usr/local/share/desktop-directories,
// /etc/xdg/menus/applications-merged and /usr/local/share/icons/hicolor; for 2 the same below
// $XDG_DATA_HOME (~/.local/share) and $XDG_CONFIG_HOME (~/.config).
std::optional<std::string> MenuDirectoriesFolder(int programsId);
std::optional<std::string> MergedMenusFolder(int programsId);
std::optional<std::string> IconThemeFolder(int programsId);

// The value of XDG_<name>_DIR in the text of a user-dirs.dirs file, with "$HOME" replaced;
// nothing when the file does not set it or sets it to something other than "$HOME/..." or an
// absolute path.
std::optional<std::string> UserDirFromFile(std::string_view fileText, std::string_view name,
                                           std::string_view home);

// The desktop folder: XDG_DESKTOP_DIR from $XDG_CONFIG_HOME/user-dirs.dirs when it lies in the
// home folder (links resolved), else the environment's XDG_DESKTOP_DIR, else ~/Desktop.
std::optional<std::string> DesktopFolder();

} // namespace kaldo
