#pragma once

#include "simulator/ListenAddress.h"
#include "simulator/PrinterState.h"
#include "simulator/SiteState.h"

#include <optional>
#include <string>
#include <vector>

namespace kaldo::simulator {

struct PrinterOptions {
    ListenAddress address;
    PrinterState state;
};

struct SimulatorOptions {
    std::vector<PrinterOptions> printers; // control endpoint index = position here
    std::optional<ListenAddress> site;
    std::optional<ListenAddress> https;
    std::optional<ListenAddress> control;
    std::string certOut; // where the HTTPS certificate (PEM) is written; empty: nowhere
    SiteState siteState;
    bool logRequests = true;
};

enum class ParseOutcome {
    Run,
    Help,
    UsageError,
    NotLoopback,
};

ParseOutcome ParseSimulatorOptions(const std::vector<std::string>& arguments,
                                   SimulatorOptions& options, std::string& error);

std::string UsageText();

} // namespace kaldo::simulator
