#pragma once

#include "simulator/ListenAddress.h"
#include "simulator/PrinterState.h"
#include "simulator/SiteState.h"

#include <optional>
#include <string>
#include <vector>

namespace kaldo::simulator {

struct PrinterOptions {
    ListenAddress Address;
    PrinterState State;
};

struct SimulatorOptions {
    std::vector<PrinterOptions> Printers; // control endpoint index = position here
    std::optional<ListenAddress> Site;
    std::optional<ListenAddress> Https;
    std::optional<ListenAddress> Control;
    std::string CertOut; // where the HTTPS certificate (PEM) is written; empty: nowhere
    simulator::SiteState SiteState;
    bool LogRequests = true;
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
