#pragma once

#include "setupsupport/InstallLayout.h"

#include <functional>
#include <string>
#include <string_view>

namespace kaldo {

class Registry;
class SetupSupport;

// What the installation needs to know besides the shipped folder.
struct InstallSettings {
    std::string ProgramFilesFolder;
    std::string PrinterName; // only a silent installation hands one over
};

constexpr std::string_view kHandOverKey = "SOFTWARE\\Kaldo\\TendwellInstall";
constexpr std::string_view kHandOverValue = "PrinterName";

// The installation steps, in order. A result names the first step that failed.
enum InstallStep {
    kInstallDone = 0,
    kStepCopyFiles = 1,
    kStepShortcuts = 2,
    kStepRegistration = 3,
    kStepUninstallEntry = 4,
};

struct InstallResult {
    int Step = kInstallDone;
    std::string Message; // why each failed step failed, a line each

    bool Succeeded() const { return Step == kInstallDone; }
};

// Called as each step begins.
using InstallProgress = std::function<void(int step)>;

// Copies the tree of `installerFolder` into the program folder (files newer than the shipped
// ones stay), creates the menu and desktop shortcuts, records the program (and the handed-over
// printer) for the main program, and registers the uninstaller. Once the program folder exists
// every step runs, whatever failed before it, so that a failed installation can be removed by
// the uninstaller and completed by the next installation.
InstallResult RunInstall(const InstallSettings& settings, const std::string& installerFolder,
                         SetupSupport& setup, Registry& registry,
                         const InstallProgress& progress = {});

// The tree copy of the first step: every file of `source` and of its subfolders into the same
// place below `destination`. Never descends into `destination` itself, so that a program
// folder below the shipped folder is not copied into itself. A linked file or folder is copied
// like a file or folder when it leads to a place inside `source`; one that leads out of it (or
// a folder that leads into a folder that holds it) is not, and fails the copy with its name.
// Keeps going past a failure; `error` names every one, a line each.
bool CopyTree(SetupSupport& setup, const std::string& source, const std::string& destination,
              std::string& error);

// The empty, root-owned lock file in the program folder that every running main program holds
// a shared lock on, so that the uninstaller sees each user's instance.
bool CreateLockFile(const std::string& programFolder, std::string& error);

// The printer name that a printer driver installation left for the installer; empty when none.
std::string HandedOverPrinter(const Registry& registry);

} // namespace kaldo
