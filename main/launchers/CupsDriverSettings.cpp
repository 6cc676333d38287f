#include "main/launchers/CupsDriverSettings.h"

#include "platform/spooler/CupsQueues.h"

namespace kaldo {

bool CupsDriverSettings::Load(const std::string& printerName, PrintOptions& options) {
    std::optional<PrintOptions> stored = CupsQueueOptions(printerName);
    if (!stored)
        return false;
    options = std::move(*stored);
    return true;
}

bool CupsDriverSettings::Save(const std::string& printerName, const PrintOptions& options) {
    return CupsSetQueueOptions(printerName, options);
}

} // namespace kaldo
