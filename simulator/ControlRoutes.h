#pragma once

#include "simulator/RequestLog.h"
#include "simulator/SimulatorState.h"

#include <httplib.h>
#include <memory>
#include <vector>

namespace kaldo::simulator {

// The control endpoint: read and change each printer's and the site's state while running,
// and read the request log. Changes are POSTs with the settings as query or form parameters;
// a change with any bad setting is refused whole (400) and changes nothing.
void InstallControlRoutes(httplib::Server& server,
                          const std::vector<std::unique_ptr<PrinterInstance>>& printers,
                          SiteInstance& site, RequestLog& log);

} // namespace kaldo::simulator
