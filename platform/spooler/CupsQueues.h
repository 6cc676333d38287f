#pragma once

#include <map>
#include <optional>
#include <string>

namespace kaldo {

// What the program asks the default CUPS scheduler (CUPS_SERVER) about one queue.

// The queue's options with the user's lpoptions over them; none when there is no such queue.
std::optional<std::map<std::string, std::string>> CupsQueueOptions(const std::string& queue);

// Makes `options` the queue's defaults in the lpoptions file (the machine's one for root);
// options not named keep their values. False when the queue does not exist or the file
// cannot be written.
bool CupsSetQueueOptions(const std::string& queue,
                         const std::map<std::string, std::string>& options);

// The text of the queue's PPD; none when the queue has none or the scheduler cannot be asked.
std::optional<std::string> CupsQueuePpd(const std::string& queue);

// The folder of the drivers' filter programs: CUPS_SERVERBIN + "/filter", else
// /usr/lib/cups/filter below KALDO_ROOT.
std::string CupsFilterFolder();

} // namespace kaldo
