#pragma once

#include <map>
#include <string>

namespace kaldo {

// Print options by their spooler names ("media" = "A4", "sides" = "two-sided-long-edge").
using PrintOptions = std::map<std::string, std::string>;

// The default settings the spooler keeps for a printer.
class DriverSettingsStore {
public:
    virtual ~DriverSettingsStore() = default;

    // The printer's current defaults; false when the printer cannot be opened.
    virtual bool Load(const std::string& printerName, PrintOptions& options) = 0;

    // Makes `options` the printer's defaults (options not named keep their values); false
    // when they cannot be stored.
    virtual bool Save(const std::string& printerName, const PrintOptions& options) = 0;
};

// The driver's settings dialog.
class DriverSettingsDialog {
public:
    enum class Result { Confirmed, Cancelled, Failed };

    virtual ~DriverSettingsDialog() = default;

    // Shows `options` for `printerName` and lets the user change them. On Confirmed `options`
    // holds the user's choice; otherwise it is unchanged. Failed: the dialog could not be
    // shown for that printer.
    virtual Result Edit(const std::string& printerName, PrintOptions& options) = 0;
};

} // namespace kaldo
