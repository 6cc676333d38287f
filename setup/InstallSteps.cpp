#include "setup/InstallSteps.h"

#include "platform/Paths.h"
#include "platform/registry/Registry.h"
#include "setup/InstallerStrings.h"
#include "setupsupport/SetupSupport.h"
#include "setupsupport/SpecialFolders.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

namespace kaldo {

namespace fs = std::filesystem;

namespace {

std::vector<std::string> subfolders(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code typeError;
        // A linked folder may lead anywhere, the copy itself included.
        if (it->is_directory(typeError) && !it->is_symlink(typeError))
            names.push_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool copyTree(SetupSupport& setup, const std::string& source, const std::string& destination,
              const fs::path& root, std::string& error) {
    bool copied = setup.copyFiles("*.*", source, destination, false);
    if (!copied && error.empty())
        error = setup.lastError();
    for (const std::string& name : subfolders(source)) {
        const std::string from = JoinPath(source, name);
        std::error_code sameError;
        if (fs::equivalent(from, root, sameError))
            continue;
        copied = copyTree(setup, from, JoinPath(destination, name), root, error) && copied;
    }
    return copied;
}

InstallResult failed(int step, std::string message) {
    return {step, std::move(message)};
}

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
    return copyTree(setup, source, destination, fs::path(destination), error);
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

    begin(kStepCopyFiles);
    if (settings.ProgramFilesFolder.empty())
        return failed(kStepCopyFiles, "The folder for programs is unknown.");
    std::string copyError;
    if (!CopyTree(setup, installerFolder, programFolder, copyError))
        return failed(kStepCopyFiles,
                      "Not every file could be copied to " + programFolder + ": " + copyError);

    begin(kStepShortcuts);
    if (!setup.createProgramsShortcut(
            mainProgram, setup.loadString(installer_strings::kProgramsShortcut), "", ""))
        return failed(kStepShortcuts, "The menu entry could not be created: " + setup.lastError());
    const std::optional<std::string> desktop = setup.getSpecialFolder(kFolderCommonDesktop);
    if (!desktop)
        return failed(kStepShortcuts, "The desktop folder is unknown.");
    if (!setup.createShortcut(
            mainProgram, JoinPath(*desktop, setup.loadString(installer_strings::kDesktopShortcut)),
            "", ""))
        return failed(kStepShortcuts,
                      "The desktop shortcut could not be created: " + setup.lastError());

    begin(kStepRegistration);
    const std::string registryFailure = "The registry values under HKEY_LOCAL_MACHINE\\";
    if (!registry.SetValue(Hive::LocalMachine, kProgramKey, "Exe_Path", mainProgram))
        return failed(kStepRegistration,
                      registryFailure + std::string(kProgramKey) + " could not be written.");
    if (!settings.PrinterName.empty() &&
        !registry.SetValue(Hive::LocalMachine, kProgramKey, "Last_Printer", settings.PrinterName))
        return failed(kStepRegistration,
                      registryFailure + std::string(kProgramKey) + " could not be written.");

    begin(kStepUninstallEntry);
    if (!registry.SetValue(Hive::LocalMachine, kUninstallKey, "DisplayName",
                           setup.loadString(installer_strings::kProductName)) ||
        !registry.SetValue(Hive::LocalMachine, kUninstallKey, "UninstallString", uninstaller))
        return failed(kStepUninstallEntry,
                      registryFailure + std::string(kUninstallKey) + " could not be written.");
    return {};
}

std::string HandedOverPrinter(const Registry& registry) {
    return registry.QueryValue(Hive::CurrentUser, kHandOverKey, kHandOverValue).value_or("");
}

} // namespace kaldo
