#pragma once

#include "main/content/ToolboxConfig.h"
#include "main/pages/ResultCodes.h"
#include "main/printers/PrinterList.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace kaldo {

class ContentCatalog;
struct PrinterServices;

// Results of choosing the start printer.
enum class StartPrinterResult : int {
    Selected = 0,
    CommandLinePrinterUnusable = 100,
    NoPrinterWithContent = 101,
};

// The printer state of the application: which printer is shown, its configuration, the
// list it was chosen from and how it is connected. The application object owns one.
struct PrinterSelection {
    std::string SelectedPrinter;
    std::unique_ptr<ToolboxConfig> Config;
    std::unique_ptr<PrinterList> Printers;
    int CurrentTab = 0;
    // Only for a printer on a USB port.
    std::string PrinterPortName;
    bool PrinterIsNetworked = false;
    bool InternetAvailable = false;
};

// What a printer switch replaced: the printer shown before it, with its configuration, tab and
// connection, kept until the switch is complete so that it can be put back.
struct PreviousPrinter {
    std::string SelectedPrinter;
    std::unique_ptr<ToolboxConfig> Config;
    int CurrentTab = 0;
    std::string PrinterPortName;
    bool PrinterIsNetworked = false;
};

// Chooses the shown printer and switches between printers.
class PrinterSelector final {
public:
    PrinterSelector(PrinterSelection& state, const ContentCatalog& catalog,
                    PrinterServices& services);

    // A fresh list of the installed printers that have content.
    void BuildPrinterList(DeviceQuestions questions = DeviceQuestions::Ask);

    bool IsUsablePrinter(std::string_view printerName) const;

    // The command-line printer if given (StartPrinterResult::CommandLinePrinterUnusable when it
    // cannot be shown), else the remembered one, else the first printer with content. Devices
    // that never said what they are are asked only when the choice depends on them; the list
    // names the others for asking later.
    StartPrinterResult SelectStartPrinter(std::string_view commandLinePrinter);
    bool SelectFirstUsablePrinter();

    // Makes `printerName` the selected printer: a fresh printer list, its configuration, its
    // default tab and its connection. Of the devices not known only that printer's is asked.
    // Returns what it replaced; none when the printer cannot be shown, and then only the list is
    // new.
    std::optional<PreviousPrinter> SwitchToPrinter(std::string_view printerName);
    // Puts back what a switch replaced.
    void Restore(PreviousPrinter previous);

    bool ReadLastPrinter(std::string& name) const;
    void WriteLastPrinter();

private:
    // A list from what the devices are known to be; one that asks them when `wanted` is among
    // those unasked, or when no printer is listed without them.
    void BuildPrinterListFor(std::string_view wanted);
    bool LoadConfigFor(ToolboxConfig& config, const std::string& printerName) const;

    PrinterSelection& m_state;
    const ContentCatalog& m_catalog;
    PrinterServices& m_services;
};

} // namespace kaldo
