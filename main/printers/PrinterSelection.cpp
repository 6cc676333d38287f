#include "main/printers/PrinterSelection.h"

#include "main/content/ContentCatalog.h"
#include "main/printers/LastPrinter.h"
#include "main/printers/PrinterConnection.h"
#include "main/printers/PrinterServices.h"
#include "platform/Trace.h"

#include <utility>

namespace kaldo {

PrinterSelector::PrinterSelector(PrinterSelection& state, const ContentCatalog& catalog,
                                 PrinterServices& services)
    : m_state(state)
    , m_catalog(catalog)
    , m_services(services) {}

void PrinterSelector::BuildPrinterList(DeviceQuestions questions) {
    m_state.Printers = std::make_unique<PrinterList>(m_catalog, m_services.PrintSpooler,
                                                     m_services.Devices, "", questions);
}

void PrinterSelector::BuildPrinterListFor(std::string_view wanted) {
    BuildPrinterList(DeviceQuestions::RecallOnly);
    const PrinterList& printers = *m_state.Printers;
    if (printers.IsUnasked(wanted) ||
        (printers.Entries().empty() && !printers.UnaskedDevices().empty()))
        BuildPrinterList(DeviceQuestions::Ask);
}

bool PrinterSelector::IsUsablePrinter(std::string_view printerName) const {
    return m_state.Printers && m_state.Printers->DriverFor(printerName) != NoModel;
}

bool PrinterSelector::LoadConfigFor(ToolboxConfig& config, const std::string& printerName) const {
    if (!m_state.Printers)
        return false;
    const std::string driver = m_state.Printers->DriverFor(printerName);
    std::string folder;
    std::string model;
    // A printer that is not listed has no driver; "None" must not find content by chance.
    if (driver == NoModel || !m_catalog.Lookup(driver, folder, model))
        return false;
    return config.Load(folder, model);
}

StartPrinterResult PrinterSelector::SelectStartPrinter(std::string_view commandLinePrinter) {
    if (!m_state.Config)
        m_state.Config = std::make_unique<ToolboxConfig>();
    std::string last;
    const bool hasLast = commandLinePrinter.empty() && ReadLastPrinter(last);
    if (!m_state.Printers)
        BuildPrinterListFor(!commandLinePrinter.empty() ? commandLinePrinter
                                                        : std::string_view(last));

    if (!commandLinePrinter.empty()) {
        Trace(commandLinePrinter);
        if (!IsUsablePrinter(commandLinePrinter))
            return StartPrinterResult::CommandLinePrinterUnusable;
        m_state.SelectedPrinter = commandLinePrinter;
        return LoadConfigFor(*m_state.Config, m_state.SelectedPrinter)
                   ? StartPrinterResult::Selected
                   : StartPrinterResult::CommandLinePrinterUnusable;
    }

    if (hasLast && IsUsablePrinter(last)) {
        m_state.SelectedPrinter = last;
        if (LoadConfigFor(*m_state.Config, last))
            return StartPrinterResult::Selected;
    }
    return SelectFirstUsablePrinter() ? StartPrinterResult::Selected
                                      : StartPrinterResult::NoPrinterWithContent;
}

bool PrinterSelector::SelectFirstUsablePrinter() {
    if (!m_state.Printers)
        return false;
    if (!m_state.Config)
        m_state.Config = std::make_unique<ToolboxConfig>();
    const std::vector<PrinterEntry> entries = m_state.Printers->Entries();
    for (const PrinterEntry& entry : entries) {
        if (!IsUsablePrinter(entry.PrinterName))
            continue;
        m_state.SelectedPrinter = entry.PrinterName;
        if (LoadConfigFor(*m_state.Config, entry.PrinterName))
            return true;
    }
    return false;
}

std::optional<PreviousPrinter> PrinterSelector::SwitchToPrinter(std::string_view printerName) {
    BuildPrinterListFor(printerName);
    auto config = std::make_unique<ToolboxConfig>();
    const std::string name(printerName);
    if (!LoadConfigFor(*config, name))
        return std::nullopt;

    PreviousPrinter previous{std::exchange(m_state.SelectedPrinter, name),
                             std::exchange(m_state.Config, std::move(config)), m_state.CurrentTab,
                             m_state.PrinterPortName, m_state.PrinterIsNetworked};
    m_state.CurrentTab = m_state.Config->DefaultTab();
    RefreshPrinterConnection(m_state, m_services);
    return previous;
}

void PrinterSelector::Restore(PreviousPrinter previous) {
    m_state.SelectedPrinter = std::move(previous.SelectedPrinter);
    m_state.Config = std::move(previous.Config);
    m_state.CurrentTab = previous.CurrentTab;
    m_state.PrinterPortName = std::move(previous.PrinterPortName);
    m_state.PrinterIsNetworked = previous.PrinterIsNetworked;
}

bool PrinterSelector::ReadLastPrinter(std::string& name) const {
    return kaldo::ReadLastPrinter(m_services.SystemRegistry, name);
}

void PrinterSelector::WriteLastPrinter() {
    kaldo::WriteLastPrinter(m_services.SystemRegistry, m_state.SelectedPrinter);
}

} // namespace kaldo
