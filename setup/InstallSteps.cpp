#include "setup/InstallSteps.h"

#include "packaging/ProgramIcon.h"
#include "platform/Paths.h"
#include "platform/registry/Registry.h"
#include "setup/InstallerStrings.h"
#include "setupsupport/SetupSupport.h"
#include "setupsupport/SpecialFolders.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kaldo {

namespace fs = std::filesystem;

namespace {

bool Inside(const fs::path& path, const fs::path& folder) {
    const auto [folderEnd, pathAt] =
        std::mismatch(folder.begin(), folder.end(), path.begin(), path.end());
    return folderEnd == folder.end();
}

struct TreeCopy {
    SetupSupport& Setup;
    fs::path ShippedRoot;        // the shipped folder, links resolved
    fs::path Destination;        // never copied into itself
    std::vector<fs::path> Chain; // the folders being copied, links resolved
    std::vector<std::string> Failures;

    bool Copy(const std::string& source, const std::string& destination) {
        bool copied = Setup.copyFiles("*.*", source, destination, false, ShippedRoot.string());
        if (!copied)
            Failures.push_back(Setup.lastError());
        for (const std::string& name : ListFolders(source).value_or(std::vector<std::string>{})) {
            const std::string from = JoinPath(source, name);
            std::error_code error;
            if (fs::equivalent(from, Destination, error))
                continue;
            // A linked folder is copied as a folder when it stays in the shipped folder; one
            // that leads out of it, or back into a folder being copied, fails the copy.
            const fs::path real = fs::canonical(from, error);
            if (error || !Inside(real, ShippedRoot)) {
                Failures.push_back("The folder " + from + " is a link that leads out of " +
                                   ShippedRoot.string());
                copied = false;
                continue;
            }
            if (std::find(Chain.begin(), Chain.end(), real) != Chain.end()) {
                Failures.push_back("The folder " + from +
                                   " is a link back into the folder that holds it");
                copied = false;
                continue;
            }
            Chain.push_back(real);
            copied = Copy(from, JoinPath(destination, name)) && copied;
            Chain.pop_back();
        }
        return copied;
    }
};

// The first step that failed, with every failure's reason on a line of its own.
struct StepFailures {
    InstallResult Result;

    void Add(int step, const std::string& message) {
        if (Result.Step == kInstallDone)
            Result.Step = step;
        if (!Result.Message.empty())
            Result.Message += "\n";
        Result.Message += message;
    }
};

} // namespace

bool CopyTree(SetupSupport& setup, const std::string& source, const std::string& destination,
              std::string& error) {
    if (source == "." || source == "..")
        return true;
    std::error_code sourceError;
    if (!fs::is_directory(source, sourceError)) {
        error = "The folder " + source + " cannot be read";
        return false;
    }
    if (!setup.createDirectories(destination, true)) {
        error = setup.lastError();
        return false;
    }
    const fs::path root = fs::canonical(source, sourceError);
    TreeCopy tree{setup, root, fs::path(destination), {root}, {}};
    const bool copied = tree.Copy(source, destination);
    for (const std::string& failure : tree.Failures)
        error += (error.empty() ? "" : "\n") + failure;
    return copied;
}

bool CreateLockFile(const std::string& programFolder, std::string& error) {
    const std::string path = JoinPath(programFolder, kMainProgramLockFile);
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0) {
        error = "Cannot create " + path + ": " + std::strerror(errno);
        return false;
    }
    // As the package has it: the installing user (root) owns and writes it, everyone reads and
    // locks it, so that no other user can make or block the lock the uninstaller looks at.
    const bool ok = ::fchown(fd, ::geteuid(), ::getegid()) == 0 && ::fchmod(fd, 0644) == 0;
    ::close(fd);
    if (!ok)
        error = "Cannot set the permissions of " + path;
    return ok;
}

InstallResult RunInstall(const InstallSettings& settings, const std::string& installerFolder,
                         SetupSupport& setup, Registry& registry, const InstallProgress& progress) {
    const auto begin = [&](int step) {
        if (progress)
            progress(step);
    };
    const std::string programFolder = ProgramFolderIn(settings.ProgramFilesFolder);
    const std::string mainProgram = JoinPath(programFolder, kMainProgramName);
    const std::string uninstaller = JoinPath(programFolder, kUninstallerName);
    StepFailures failures;

    begin(kStepCopyFiles);
    if (settings.ProgramFilesFolder.empty()) {
        failures.Add(kStepCopyFiles, "The folder for programs is unknown.");
        return failures.Result;
    }
    std::string copyError;
    if (!CopyTree(setup, installerFolder, programFolder, copyError))
        failures.Add(kStepCopyFiles,
                     "Not every file could be copied to " + programFolder + ":\n" + copyError);
    // Without a program folder there is nothing for shortcuts, records or an uninstaller to
    // name. With one, every step runs, so that the uninstaller can remove what was copied and
    // another installation completes it.
    std::error_code folderError;
    if (!fs::is_directory(programFolder, folderError))
        return failures.Result;
    std::string lockError;
    if (!CreateLockFile(programFolder, lockError))
        failures.Add(kStepCopyFiles, lockError);

    begin(kStepShortcuts);
    if (!setup.createProgramsShortcut(
            mainProgram, InstallerText(setup, InstallerString::ProgramsShortcut), "", ""))
        failures.Add(kStepShortcuts, "The menu entry could not be created: " + setup.lastError());
    if (!setup.createProgramsShortcut(uninstaller, std::string(kUninstallerMenuEntry), "", ""))
        failures.Add(kStepShortcuts,
                     "The uninstaller's menu entry could not be created: " + setup.lastError());
    std::string iconError;
    const std::optional<std::string> iconTheme =
        IconThemeFolder(ProgramsMenuFolderId(setup.getOsClass()));
    if (!iconTheme || !WriteProgramIcons(*iconTheme, iconError))
        failures.Add(kStepShortcuts, "The program's icon could not be installed: " + iconError);
    const std::optional<std::string> desktop = setup.getSpecialFolder(kFolderCommonDesktop);
    const std::string shortcutName = InstallerText(setup, InstallerString::DesktopShortcut);
    if (!desktop)
        failures.Add(kStepShortcuts, "The desktop folder is unknown.");
    else if (!setup.createShortcut(mainProgram, JoinPath(*desktop, shortcutName), "", ""))
        failures.Add(kStepShortcuts,
                     "The desktop shortcut could not be created: " + setup.lastError());

    begin(kStepRegistration);
    const std::string registryFailure = "The registry values under HKEY_LOCAL_MACHINE\\";
    if (!registry.SetValue(Hive::LocalMachine, kProgramKey, "Exe_Path", mainProgram) ||
        (!settings.PrinterName.empty() &&
         !registry.SetValue(Hive::LocalMachine, kProgramKey, "Last_Printer", settings.PrinterName)))
        failures.Add(kStepRegistration,
                     registryFailure + std::string(kProgramKey) + " could not be written.");

    begin(kStepUninstallEntry);
    if (!registry.SetValue(Hive::LocalMachine, kUninstallKey, "DisplayName",
                           InstallerText(setup, InstallerString::ProductName)) ||
        !registry.SetValue(Hive::LocalMachine, kUninstallKey, "UninstallString", uninstaller))
        failures.Add(kStepUninstallEntry,
                     registryFailure + std::string(kUninstallKey) + " could not be written.");
    return failures.Result;
}

std::string HandedOverPrinter(const Registry& registry) {
    return registry.QueryValue(Hive::CurrentUser, kHandOverKey, kHandOverValue).value_or("");
}

} // namespace kaldo
