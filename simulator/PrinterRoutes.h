#pragma once

#include "simulator/SimulatorState.h"
#include "simulator/StopSignal.h"

#include <httplib.h>

namespace kaldo::simulator {

// The printer's web server: status document, status icons and its own pages. A slow answer
// or an HTTP error set in the state applies to every request.
void InstallPrinterRoutes(httplib::Server& server, PrinterInstance& printer, StopSignal& stop);

} // namespace kaldo::simulator
