#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace kaldo {

class Registry;
class SetupSupport;

// The installer's command line. Without arguments it runs its windows; administrators and
// scripts install without any window through --silent.
struct InstallerOptions {
    bool Help = false;
    bool Silent = false;
    bool HasPrinter = false;
    std::string Printer;
    std::string Error; // not empty when the arguments make no sense
};

constexpr int kExitInstalled = 0;
constexpr int kExitInstallFailed = 1;
constexpr int kExitUsage = 2;

InstallerOptions ParseInstallerOptions(const std::vector<std::string>& arguments);

std::string InstallerUsage(const std::string& program);

// Installs without windows: the checks, the steps and the result go to `out` and `err`, and
// the answer is the exit code. A printer given with --printer goes before a handed-over one.
int RunCommandLineInstall(const InstallerOptions& options, SetupSupport& setup, Registry& registry,
                          const std::string& installerFolder, std::ostream& out, std::ostream& err);

} // namespace kaldo
