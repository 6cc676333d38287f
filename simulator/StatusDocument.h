#pragma once

#include "simulator/PrinterState.h"

#include <string>

namespace kaldo::simulator {

// What the printer's front panel would say, derived from its alerts.
struct PrinterCondition {
    std::string State;      // ready | warning | error
    std::string IconFile;   // ready.png | warning.png | error.png
    std::string StatusText; // "Ready" or the text of the first alert
};

PrinterCondition ConditionOf(const PrinterState& state);

// The `devicexml` status document as the printer serves it, including the broken and hostile
// variants chosen by `state.document`.
std::string BuildStatusDocument(const PrinterState& state);

} // namespace kaldo::simulator
