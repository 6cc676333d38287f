#pragma once

#include "main/printers/Reachability.h"

#include <functional>
#include <string>

namespace kaldo {

// What automation asks of the window (scripts, benchmarks, the soak test).
struct AutomationOptions {
    // A PNG of the whole window once every pane has loaded; none when empty.
    std::string Screenshot;
    // End the program normally once the panes have loaded; every dialog also closes by itself.
    bool ExitWhenReady = false;
    // Close the window while something is going on, ExitAfterMs later: "load" right after the
    // start while the panes load; "refresh", "search" (ExitAfterArgument the words) and
    // "printer" (ExitAfterArgument the name) once the panes have loaded, through the links the
    // pages use; "forward" once a second start's printer is handled. Empty: none.
    std::string ExitAfter;
    std::string ExitAfterArgument;
    int ExitAfterMs = 0;
};

// What ktendwell is told by its environment. Read once at the start and handed down.
struct ProgramOptions {
    // The maker's home page that the internet check tries.
    std::string HomePage = kMakerHomePage;
    // The port of the printers' web servers; 0: their own (80).
    int PrinterWebPort = 0;
    // Trust anchors (PEM) for every transfer instead of the system's; empty: the system's.
    std::string CaFile;
    AutomationOptions Automation;
};

// The value of the environment variable `name`; empty when it is not set.
using EnvironmentLookup = std::function<std::string(const char* name)>;

// KALDO_HOME_PAGE, KALDO_PRINTER_WEB_PORT, KALDO_CA_FILE, KALDO_SCREENSHOT,
// KALDO_EXIT_WHEN_READY, KALDO_EXIT_AFTER=<what>[:<argument>] and KALDO_EXIT_AFTER_MS.
// Numbers that do not read as one count as 0; empty variables as unset.
ProgramOptions ReadProgramOptions(const EnvironmentLookup& variable);

} // namespace kaldo
