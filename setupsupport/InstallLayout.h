#pragma once

#include "platform/Paths.h"

#include <string>
#include <string_view>

namespace kaldo {

// Where an installation lives and how it is recorded, for the installer and the uninstaller.
constexpr std::string_view kProgramSubfolder = "Kaldo/Tendwell";
constexpr std::string_view kMainProgramName = "ktendwell";
constexpr std::string_view kUninstallerName = "tendwelluninstall";
constexpr std::string_view kContentFolderName = "Data";
constexpr std::string_view kMainProgramLockFile = "ktendwell.lock";
// The uninstaller's entry in the menu folder of the main program's entry.
constexpr std::string_view kUninstallerMenuEntry = "Kaldo Presslane\\Kaldo Tendwell Uninstall";
constexpr std::string_view kProgramKey = "SOFTWARE\\Kaldo\\Tendwell";
constexpr std::string_view kUninstallKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Kaldo_Tendwell";

// The program folder below the folder for programs.
inline std::string ProgramFolderIn(std::string_view programFilesFolder) {
    return JoinPath(programFilesFolder, kProgramSubfolder);
}

} // namespace kaldo
