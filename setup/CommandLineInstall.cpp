#include "setup/CommandLineInstall.h"

#include "platform/Paths.h"
#include "setup/InstallSteps.h"
#include "setup/InstallerStrings.h"
#include "setup/ModelName.h"
#include "setupsupport/SetupSupport.h"
#include "setupsupport/SpecialFolders.h"

#include <ostream>

namespace kaldo {

InstallerOptions ParseInstallerOptions(const std::vector<std::string>& arguments) {
    InstallerOptions options;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            options.Help = true;
        } else if (argument == "--silent") {
            options.Silent = true;
        } else if (argument == "--printer") {
            if (i + 1 >= arguments.size() || arguments[i + 1].empty()) {
                options.Error = "--printer needs a printer name";
                return options;
            }
            options.HasPrinter = true;
            options.Printer = arguments[++i];
        } else if (argument.rfind("--printer=", 0) == 0 && argument.size() > 10) {
            options.HasPrinter = true;
            options.Printer = argument.substr(10);
        } else {
            options.Error = "unknown argument: " + argument;
            return options;
        }
    }
    if (options.HasPrinter && !options.Silent && !options.Help)
        options.Error = "--printer is only used with --silent";
    return options;
}

std::string InstallerUsage(const std::string& program) {
    return "Usage: " + program +
           " [--silent [--printer NAME]]\n"
           "\n"
           "Installs Kaldo Tendwell and the content that ships beside the installer.\n"
           "\n"
           "Without arguments the installer shows its windows. A printer name left by a printer\n"
           "driver installation (HKEY_CURRENT_USER SOFTWARE\\Kaldo\\TendwellInstall, value\n"
           "PrinterName) makes it skip the welcome and completion windows.\n"
           "\n"
           "  --silent          install without any window; messages go to the terminal\n"
           "  --printer NAME    with --silent: the printer that the program shows first\n"
           "  --help            show this text\n"
           "\n"
           "Exit status: 0 installed, 1 not installed, 2 wrong arguments.\n";
}

int RunCommandLineInstall(const InstallerOptions& options, SetupSupport& setup, Registry& registry,
                          const std::string& installerFolder, std::ostream& out,
                          std::ostream& err) {
    if (setup.getOsClass() < kFirstSupportedOsClass) {
        err << InstallerText(setup, InstallerString::UnsupportedCaption) << ": "
            << InstallerText(setup, InstallerString::UnsupportedText) << "\n";
        return kExitInstallFailed;
    }
    if (setup.isUserInGroup(kAdministratorsGroup) == 0)
        err << "warning: " << InstallerText(setup, InstallerString::PrivilegesCaption) << "\n";

    InstallSettings settings;
    settings.ProgramFilesFolder = setup.getSpecialFolder(kFolderProgramFiles).value_or("");
    settings.PrinterName = options.HasPrinter ? options.Printer : HandedOverPrinter(registry);

    out << InstallerText(setup, InstallerString::ProgressMessage) << ": " << installerFolder
        << " -> " << ProgramFolderIn(settings.ProgramFilesFolder) << std::endl;
    const InstallResult result =
        RunInstall(settings, installerFolder, setup, registry, [&](int step) {
            static constexpr const char* kSteps[] = {"", "copying files", "creating shortcuts",
                                                     "registering the program",
                                                     "registering the uninstaller"};
            out << "[" << step << "/4] " << kSteps[step] << std::endl;
        });
    if (!result.Succeeded()) {
        err << InstallerText(setup, InstallerString::FailedTitle) << "\n" << result.Message << "\n";
        return kExitInstallFailed;
    }
    out << InstallerText(setup, InstallerString::CompleteTitle) << "\n"
        << FormatText(InstallerText(setup, InstallerString::CompleteText),
                      ModelName(installerFolder))
        << "\n";
    return kExitInstalled;
}

} // namespace kaldo
