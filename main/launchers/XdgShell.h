#pragma once

#include "main/launchers/Shell.h"

#include <chrono>
#include <string>
#include <vector>

namespace kaldo {

// The desktop through the freedesktop.org tools: xdg-open opens, xdg-mime names the default
// application of a type, desktop entries say how to start the browser.
class XdgShell final : public Shell {
public:
    // The tools are found on PATH unless given with a path.
    explicit XdgShell(std::string xdgOpen = "xdg-open", std::string xdgMime = "xdg-mime");

    bool Open(const std::string& target) override;
    std::string DefaultApplication(const std::string& target) override;
    std::string DefaultBrowser() override;
    bool OpenInBrowser(const std::string& target) override;
    bool StartProgram(const std::string& program,
                      const std::vector<std::string>& arguments) override;

    // The MIME type that decides the default application of `target`: the scheme handler
    // type of a URL that is not a local file, else the type of the file (by its content when
    // it exists, by its name otherwise); empty when the type is unknown.
    static std::string TypeOf(const std::string& target);

private:
    std::string DefaultFor(const std::string& mimeType);

    std::string m_xdgOpen;
    std::string m_xdgMime;
};

// Longest wait for a query tool.
inline constexpr std::chrono::milliseconds kShellQueryLimit{4000};

} // namespace kaldo
