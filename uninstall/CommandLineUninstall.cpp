#include "uninstall/CommandLineUninstall.h"

#include "platform/Paths.h"
#include "setupsupport/SetupSupport.h"
#include "uninstall/Uninstaller.h"
#include "uninstall/UninstallerStrings.h"

#include <algorithm>
#include <filesystem>
#include <ostream>

namespace kaldo {

namespace {

// Message texts of the window's boxes end lines where a box would; one line reads better here.
std::string OneLine(std::string text) {
    for (size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at)) {
        const size_t end = text.find_first_not_of('\n', at);
        text.replace(at, (end == std::string::npos ? text.size() : end) - at, " ");
    }
    return text;
}

} // namespace

UninstallerOptions ParseUninstallerOptions(const std::vector<std::string>& arguments) {
    UninstallerOptions options;
    bool folders = false;
    for (const std::string& argument : arguments) {
        if (folders && argument.rfind("--", 0) != 0) {
            options.Remove.push_back(argument);
        } else if (argument == "--help" || argument == "-h") {
            options.Help = true;
            folders = false;
        } else if (argument == "--remove-all") {
            options.RemoveAll = true;
            folders = false;
        } else if (argument == "--remove") {
            folders = true;
        } else {
            options.Error = "unknown argument: " + argument;
            return options;
        }
    }
    if (folders && options.Remove.empty())
        options.Error = "--remove needs the names of content folders";
    else if (options.RemoveAll && !options.Remove.empty())
        options.Error = "--remove-all and --remove cannot be combined";
    return options;
}

std::string UninstallerUsage(const std::string& program) {
    return "Usage: " + program +
           " [--remove-all | --remove FOLDER...]\n"
           "\n"
           "Removes Kaldo Tendwell content folders; with the last one, the whole program.\n"
           "\n"
           "Without arguments the uninstaller shows its window.\n"
           "\n"
           "  --remove-all         remove every content folder and the program\n"
           "  --remove FOLDER...   remove these content folders (names in Data); the program\n"
           "                       goes with the last one\n"
           "  --help               show this text\n"
           "\n"
           "Nothing is removed while anyone runs Kaldo Tendwell.\n"
           "Exit status: 0 removed, 1 refused or not everything removed, 2 wrong arguments or\n"
           "unknown folder, 3 not installed.\n";
}

int RunCommandLineUninstall(const UninstallerOptions& options, const SetupSupport& setup,
                            Uninstaller& uninstaller, RunState mainProgram, std::ostream& out,
                            std::ostream& err) {
    if (mainProgram == RunState::Running) {
        err << UninstallerText(setup, UninstallerString::RunningCaption) << ": "
            << OneLine(UninstallerText(setup, UninstallerString::RunningText)) << "\n";
        return kExitNotRemoved;
    }
    if (mainProgram == RunState::Unknown) {
        err << UninstallerText(setup, UninstallerString::WindowCaption) << ": "
            << OneLine(UninstallerText(setup, UninstallerString::RunningUnknownText)) << "\n";
        return kExitNotRemoved;
    }
    uninstaller.Refresh();
    // An installation that failed before it copied any content still goes with --remove-all.
    const bool bareInstallation =
        uninstaller.Contents().empty() && options.RemoveAll && uninstaller.HasInstallation();
    if (uninstaller.Contents().empty() && !bareInstallation) {
        err << UninstallerText(setup, UninstallerString::NotInstalledCaption) << ": "
            << OneLine(UninstallerText(setup, UninstallerString::NotInstalledText)) << "\n";
        return kExitNotInstalled;
    }

    std::vector<std::string> names;
    if (bareInstallation) {
        uninstaller.RemoveInstallation();
    } else if (options.RemoveAll) {
        names = uninstaller.Contents();
    } else {
        for (const std::string& wanted : options.Remove) {
            const std::string name = uninstaller.FindContent(wanted);
            if (name.empty()) {
                err << "no content folder named " << wanted << "; installed:";
                for (const std::string& content : uninstaller.Contents())
                    err << " " << content;
                err << "\n";
                return kExitUninstallUsage;
            }
            if (std::find(names.begin(), names.end(), name) == names.end())
                names.push_back(name);
        }
    }

    const bool everything = bareInstallation || uninstaller.Remove(names);
    namespace fs = std::filesystem;
    std::error_code error;
    bool complete = true;
    for (const std::string& name : names) {
        const bool gone =
            !fs::exists(fs::symlink_status(JoinPath(uninstaller.DataFolder(), name), error));
        out << (gone ? "removed " : "could not remove ") << name << "\n";
        complete = complete && gone;
    }
    for (const std::string& path : uninstaller.NotRemoved())
        err << "could not remove " << path << "\n";
    if (everything) {
        if (!uninstaller.NotRemoved().empty()) {
            complete = false;
        } else {
            out << UninstallerText(setup, UninstallerString::CompleteCaption) << ": "
                << OneLine(UninstallerText(setup, UninstallerString::CompleteText)) << "\n";
        }
    }
    return complete ? kExitRemoved : kExitNotRemoved;
}

} // namespace kaldo
