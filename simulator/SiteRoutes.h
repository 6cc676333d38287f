#pragma once

#include "simulator/SimulatorState.h"
#include "simulator/StopSignal.h"

#include <httplib.h>

namespace kaldo::simulator {

// The maker's web site. `secure` says whether `server` answers over HTTPS, for the addresses
// the site writes into its answers.
void InstallSiteRoutes(httplib::Server& server, SiteInstance& site, StopSignal& stop, bool secure);

} // namespace kaldo::simulator
