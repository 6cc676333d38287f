#pragma once

#include "main/launchers/DriverSettings.h"

class QPrinter;
class QWidget;

namespace kaldo {

// The driver's settings dialog on Linux: the system's print dialog for the printer, showing
// its current defaults. Only what the user changed comes back.
class PrintSettingsDialog final : public DriverSettingsDialog {
public:
    explicit PrintSettingsDialog(QWidget* owner)
        : m_owner(owner) {}

    Result Edit(const std::string& printerName, PrintOptions& options) override;

private:
    QWidget* m_owner;
};

// Sets the paper size ("media"), orientation ("orientation-requested"), two-sided printing
// ("sides") and colour ("print-color-mode") of `printer` from `options`; unknown values are
// left alone.
void ApplyPrintOptions(const PrintOptions& options, QPrinter& printer);

// Those four settings of `printer` by their spooler names, plus the printer's own options
// (not those of a single job) that the print dialog set.
PrintOptions PrintOptionsOf(QPrinter& printer);

} // namespace kaldo
