#include "packaging/ProgramIcon.h"
#include "platform/InvokingUser.h"
#include "platform/Paths.h"
#include "platform/messagebox/MessageBox.h"
#include "platform/messagebox/Unattended.h"
#include "platform/registry/IniRegistry.h"
#include "platform/strings/StringTable.h"
#include "setupsupport/LinuxSetupSupport.h"
#include "uninstall/CommandLineUninstall.h"
#include "uninstall/Uninstaller.h"
#include "uninstall/UninstallerStrings.h"
#include "uninstall/ui/UninstallWindow.h"

#include <QApplication>
#include <QCoreApplication>

#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const kaldo::UninstallerOptions options = kaldo::ParseUninstallerOptions(arguments);
    const std::string usage = kaldo::UninstallerUsage("tendwelluninstall");
    if (!options.Error.empty()) {
        std::cerr << "tendwelluninstall: " << options.Error << "\n\n" << usage;
        return kaldo::kExitUninstallUsage;
    }
    if (options.Help) {
        std::cout << usage;
        return 0;
    }

    // Known before anything is removed: the file may be gone by the time it is needed.
    std::error_code error;
    const std::string ownFile = std::filesystem::read_symlink("/proc/self/exe", error).string();
    // The desktop shortcut to remove is that of the user who ran sudo or pkexec.
    if (const std::optional<kaldo::InvokingUser> user = kaldo::UserBehindElevation())
        kaldo::TakeUsersPlace(*user);
    kaldo::IniRegistry registry;
    if (options.CommandLine()) {
        QCoreApplication application(argc, argv);
        kaldo::LinuxSetupSupport setup(kaldo::kUninstallerStringTables, registry,
                                       kaldo::MessagesLocale());
        kaldo::Uninstaller uninstaller(setup, registry, ownFile);
        return kaldo::RunCommandLineUninstall(options, setup, uninstaller,
                                              kaldo::MainProgramState(uninstaller.ProgramFolder()),
                                              std::cout, std::cerr);
    }

    // For automation: windows and message boxes close by themselves.
    kaldo::SetUnattended(!qEnvironmentVariableIsEmpty("KALDO_EXIT_WHEN_READY"));
    QApplication application(argc, argv);
    QApplication::setWindowIcon(kaldo::ProgramIcon());
    kaldo::LinuxSetupSupport setup(kaldo::kUninstallerStringTables, registry,
                                   kaldo::MessagesLocale());
    kaldo::Uninstaller uninstaller(setup, registry, ownFile);
    return kaldo::RunUninstallWindow(setup, uninstaller,
                                     kaldo::MainProgramState(uninstaller.ProgramFolder()),
                                     kaldo::ShowMessageBox);
}
