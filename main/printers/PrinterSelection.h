#pragma once

#include "main/pages/ResultCodes.h"
#include "main/printers/PrinterList.h"
#include "main/shell/ToolboxConfig.h"

#include <functional>
#include <memory>
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

// What a printer switch asks of the rest of the program. Hooks left empty are skipped.
struct PrinterSelectionHooks {
    // true: the wait cursor; false: the arrow again.
    std::function<void(bool waiting)> ShowWaitCursor;
    // The content-not-found error, in the words of `config` (null when there is none).
    std::function<void(const ToolboxConfig* config)> ShowContentNotFound;
    // Compute the model's folders and put its picture in place.
    std::function<void(const ToolboxConfig& config)> SetUpModelFolders;
    // Called when the configuration names an update feed; the hook checks each driver
    // once per run.
    std::function<void(const ToolboxConfig& config)> StartUpdateCheck;
    // Non-zero when the header page cannot be built.
    std::function<ResultCode()> BuildHeaderPage;
    // Header and body panes to the new printer, status refresh and index pages.
    std::function<void()> ShowSelectedPrinter;
};

// Chooses the shown printer and switches between printers.
class PrinterSelector final {
public:
    PrinterSelector(PrinterSelection& state, const ContentCatalog& catalog,
                    PrinterServices& services, PrinterSelectionHooks hooks = {});

    // A fresh list of the installed printers that have content.
    void BuildPrinterList();

    bool IsUsablePrinter(std::string_view printerName) const;

    // The command-line printer if given (StartPrinterResult::CommandLinePrinterUnusable when it
    // cannot be shown), else the remembered one, else the first printer with content.
    StartPrinterResult SelectStartPrinter(std::string_view commandLinePrinter);
    bool SelectFirstUsablePrinter();

    // Switches the program to `printerName`. On failure everything stays as it was: the
    // printer, its configuration, its folders and its connection data.
    bool SelectPrinterByName(std::string_view printerName);

    bool ReadLastPrinter(std::string& name) const;
    void WriteLastPrinter();

private:
    bool LoadConfigFor(ToolboxConfig& config, const std::string& printerName) const;

    PrinterSelection& m_state;
    const ContentCatalog& m_catalog;
    PrinterServices& m_services;
    PrinterSelectionHooks m_hooks;
};

} // namespace kaldo
