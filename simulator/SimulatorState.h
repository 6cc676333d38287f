#pragma once

#include "simulator/Guarded.h"
#include "simulator/ListenAddress.h"
#include "simulator/PrinterState.h"
#include "simulator/SiteState.h"

namespace kaldo::simulator {

// One simulated printer: where it listens, what it started with and what it is now.
struct PrinterInstance {
    PrinterInstance(ListenAddress bound, PrinterState start)
        : Address(std::move(bound))
        , Initial(start)
        , State(std::move(start)) {}

    ListenAddress Address;
    const PrinterState Initial;
    Guarded<PrinterState> State;
};

struct SiteInstance {
    explicit SiteInstance(SiteState start)
        : Initial(start)
        , State(std::move(start)) {}

    const SiteState Initial;
    Guarded<SiteState> State;
};

} // namespace kaldo::simulator
