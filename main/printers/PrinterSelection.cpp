#include "main/printers/PrinterSelection.h"

#include "main/printers/LastPrinter.h"
#include "main/printers/PrinterConnection.h"
#include "main/printers/PrinterServices.h"
#include "main/shell/ContentCatalog.h"
#include "platform/Trace.h"

namespace kaldo {

PrinterSelector::PrinterSelector(PrinterSelection& state, const ContentCatalog& catalog,
                                 PrinterServices& services, PrinterSelectionHooks hooks)
    : m_state(state)
    , m_catalog(catalog)
    , m_services(services)
    , m_hooks(std::move(hooks)) {}

void PrinterSelector::BuildPrinterList() {
    m_state.Printers =
        std::make_unique<PrinterList>(m_catalog, m_services.PrintSpooler, m_services.Devices);
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
    if (!m_state.Printers)
        BuildPrinterList();

    if (!commandLinePrinter.empty()) {
        Trace(commandLinePrinter);
        if (!IsUsablePrinter(commandLinePrinter))
            return StartPrinterResult::CommandLinePrinterUnusable;
        m_state.SelectedPrinter = commandLinePrinter;
        return LoadConfigFor(*m_state.Config, m_state.SelectedPrinter)
                   ? StartPrinterResult::Selected
                   : StartPrinterResult::CommandLinePrinterUnusable;
    }

    std::string last;
    if (ReadLastPrinter(last) && IsUsablePrinter(last)) {
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

bool PrinterSelector::SelectPrinterByName(std::string_view printerName) {
    auto call = [](const auto& hook, auto&&... arguments) {
        if (hook)
            hook(arguments...);
    };
    call(m_hooks.ShowWaitCursor, true);

    std::string oldPrinter = std::move(m_state.SelectedPrinter);
    std::unique_ptr<ToolboxConfig> oldConfig = std::move(m_state.Config);
    const int oldTab = m_state.CurrentTab;
    std::string oldPortName = m_state.PrinterPortName;
    const bool oldNetworked = m_state.PrinterIsNetworked;
    auto restore = [&] {
        m_state.SelectedPrinter = std::move(oldPrinter);
        m_state.Config = std::move(oldConfig);
        m_state.CurrentTab = oldTab;
        m_state.PrinterPortName = std::move(oldPortName);
        m_state.PrinterIsNetworked = oldNetworked;
    };
    auto fail = [&] {
        call(m_hooks.ShowWaitCursor, false);
        call(m_hooks.ShowContentNotFound, m_state.Config.get());
        return false;
    };

    m_state.SelectedPrinter = printerName;
    m_state.Config = std::make_unique<ToolboxConfig>();
    BuildPrinterList();
    if (!LoadConfigFor(*m_state.Config, m_state.SelectedPrinter)) {
        restore();
        return fail();
    }

    m_state.CurrentTab = m_state.Config->DefaultTab();
    RefreshPrinterConnection(m_state, m_services);
    call(m_hooks.SetUpModelFolders, *m_state.Config);
    if (!m_state.Config->URL_Updates().empty())
        call(m_hooks.StartUpdateCheck, *m_state.Config);

    if (m_hooks.BuildHeaderPage && m_hooks.BuildHeaderPage() != ResultCode::Ok) {
        restore();
        if (m_state.Config)
            call(m_hooks.SetUpModelFolders, *m_state.Config);
        return fail();
    }

    oldConfig.reset();
    call(m_hooks.ShowSelectedPrinter);
    call(m_hooks.ShowWaitCursor, false);
    return true;
}

bool PrinterSelector::ReadLastPrinter(std::string& name) const {
    return kaldo::ReadLastPrinter(m_services.SystemRegistry, name);
}

void PrinterSelector::WriteLastPrinter() {
    kaldo::WriteLastPrinter(m_services.SystemRegistry, m_state.SelectedPrinter);
}

} // namespace kaldo
