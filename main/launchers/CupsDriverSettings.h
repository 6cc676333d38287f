#pragma once

#include "main/launchers/DriverSettings.h"

namespace kaldo {

// A printer's defaults as CUPS keeps them for the user: the queue's options with the
// user's lpoptions over them. Saving writes the lpoptions file (the machine's one for root),
// so every program of the user prints with them.
class CupsDriverSettings final : public DriverSettingsStore {
public:
    bool Load(const std::string& printerName, PrintOptions& options) override;
    bool Save(const std::string& printerName, const PrintOptions& options) override;
};

} // namespace kaldo
