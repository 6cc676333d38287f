#include "packaging/ProgramIcon.h"
#include "platform/InvokingUser.h"
#include "platform/Paths.h"
#include "platform/messagebox/MessageBox.h"
#include "platform/messagebox/Unattended.h"
#include "platform/registry/IniRegistry.h"
#include "platform/strings/StringTable.h"
#include "setup/CommandLineInstall.h"
#include "setup/InstallerStrings.h"
#include "setup/ui/InstallerApp.h"
#include "setup/ui/WindowKit.h"
#include "setupsupport/LinuxSetupSupport.h"

#include <QApplication>
#include <QCoreApplication>

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const kaldo::InstallerOptions options = kaldo::ParseInstallerOptions(arguments);
    const std::string usage = kaldo::InstallerUsage("tendwellinstall");
    if (!options.Error.empty()) {
        std::cerr << "tendwellinstall: " << options.Error << "\n\n" << usage;
        return kaldo::kExitUsage;
    }
    if (options.Help) {
        std::cout << usage;
        return 0;
    }

    // Run through sudo or pkexec, the desktop shortcut and the handed-over printer name are
    // those of the user who asked, not root's.
    const std::optional<kaldo::InvokingUser> user = kaldo::UserBehindElevation();
    if (user)
        kaldo::TakeUsersPlace(*user);
    kaldo::IniRegistry registry;
    if (options.Silent) {
        QCoreApplication application(argc, argv);
        kaldo::LinuxSetupSupport setup(kaldo::kInstallerStringTables, registry,
                                       kaldo::MessagesLocale());
        setup.SetUserFileOwner(user);
        return kaldo::RunCommandLineInstall(options, setup, registry, kaldo::ProgramFolder(),
                                            std::cout, std::cerr);
    }

    // For automation: windows and message boxes close by themselves.
    kaldo::SetUnattended(!qEnvironmentVariableIsEmpty("KALDO_EXIT_WHEN_READY"));
    QApplication application(argc, argv);
    QApplication::setWindowIcon(kaldo::ProgramIcon());
    kaldo::LinuxSetupSupport setup(kaldo::kInstallerStringTables, registry,
                                   kaldo::MessagesLocale());
    setup.SetUserFileOwner(user);
    kaldo::WindowKit kit;
    kaldo::InstallerApp installer(setup, registry, kit, kaldo::ProgramFolder(),
                                  kaldo::ShowMessageBox);
    return installer.Run();
}
