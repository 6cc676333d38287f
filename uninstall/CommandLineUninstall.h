#pragma once

#include "platform/instance/ProgramLock.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace kaldo {

class SetupSupport;
class Uninstaller;

// The uninstaller's command line. Without arguments it shows its window; administrators and
// scripts remove content without any window.
struct UninstallerOptions {
    bool Help = false;
    bool RemoveAll = false;
    std::vector<std::string> Remove;
    std::string Error; // not empty when the arguments make no sense

    bool CommandLine() const { return RemoveAll || !Remove.empty(); }
};

constexpr int kExitRemoved = 0;
constexpr int kExitNotRemoved = 1; // refused while the program runs, or something stayed
constexpr int kExitUninstallUsage = 2;
constexpr int kExitNotInstalled = 3;

UninstallerOptions ParseUninstallerOptions(const std::vector<std::string>& arguments);

std::string UninstallerUsage(const std::string& program);

// Removes without windows: the checks and the result go to `out` and `err`, and the answer is
// the exit code.
int RunCommandLineUninstall(const UninstallerOptions& options, const SetupSupport& setup,
                            Uninstaller& uninstaller, RunState mainProgram, std::ostream& out,
                            std::ostream& err);

} // namespace kaldo
