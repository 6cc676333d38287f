#pragma once

#include "simulator/Guarded.h"
#include "simulator/ListenAddress.h"
#include "simulator/PrinterState.h"
#include "simulator/SiteState.h"

namespace kaldo::simulator {

// One simulated printer: where it listens, what it started with and what it is now.
struct PrinterInstance {
    PrinterInstance(ListenAddress bound, PrinterState start)
        : address(std::move(bound))
        , initial(start)
        , state(std::move(start)) {}

    ListenAddress address;
    const PrinterState initial;
    Guarded<PrinterState> state;
};

struct SiteInstance {
    explicit SiteInstance(SiteState start)
        : initial(start)
        , state(std::move(start)) {}

    const SiteState initial;
    Guarded<SiteState> state;
};

} // namespace kaldo::simulator
