#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kaldo {

// How a pane is sent back to its page after one of the program's own links: some browser
// and system versions need Stop followed by a new navigation, others a Refresh.
enum class RedirectMode {
    Unknown = 0, // the browser version could not be read; behaves as Stop
    Stop = 1,
    Refresh = 2,
};

struct SystemVersion {
    unsigned Major = 0;
    unsigned Minor = 0;
    std::string ServicePack; // e.g. "Service Pack 2"; empty when none
};

// `browserVersion` is the machine's "Software\Microsoft\Internet Explorer" "Version"
// value, absent when it cannot be read.
RedirectMode ChooseRedirectMode(const std::optional<std::string>& browserVersion,
                                const SystemVersion& system);

// The text written to the trace when a pane's mode is chosen.
std::string_view RedirectTraceText(RedirectMode mode);

} // namespace kaldo
