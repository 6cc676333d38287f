#include "platform/spooler/SpoolerRegistryView.h"

namespace kaldo {

namespace {

constexpr std::string_view kTcpMonitor = "Standard TCP/IP Port";
constexpr std::string_view kLprMonitor = "LPR Port";

std::string PrinterKeyName(const std::string& printerName) {
    std::string name = printerName;
    for (char& c : name) {
        if (c == '\\')
            c = ',';
    }
    return name;
}

bool Addressable(const std::string& name) {
    return !name.empty() && name.find('\\') == std::string::npos;
}

} // namespace

SpoolerRegistryView::SpoolerRegistryView(Registry& inner, Spooler& spooler)
    : ForwardingRegistry(inner)
    , m_spooler(spooler) {}

bool SpoolerRegistryView::InView(Hive hive, std::string_view key) {
    return hive == Hive::LocalMachine && KeyIsWithin(key, kPrintKey);
}

std::optional<SpoolerRegistryView::ViewKey>
SpoolerRegistryView::Lookup(std::string_view key) const {
    std::vector<std::string> parts = SplitKeyPath(key);
    parts.erase(parts.begin(), parts.begin() + SplitKeyPath(kPrintKey).size());
    auto is = [&](size_t i, std::string_view name) {
        return i < parts.size() && RegistryNamesEqual(parts[i], name);
    };

    if (parts.empty())
        return ViewKey{{}, {"Printers", "Monitors"}};

    if (is(0, "Printers")) {
        if (parts.size() == 1) {
            ViewKey printers;
            for (const SpoolerPrinter& printer : m_spooler.EnumPrinters())
                printers.SubKeys.push_back(PrinterKeyName(printer.PrinterName));
            return printers;
        }
        if (parts.size() > 3 || (parts.size() == 3 && !is(2, "PrinterDriverData")))
            return std::nullopt;
        for (const SpoolerPrinter& listed : m_spooler.EnumPrinters()) {
            if (!RegistryNamesEqual(PrinterKeyName(listed.PrinterName), parts[1]))
                continue;
            if (parts.size() == 3)
                return ViewKey{};
            // A port that is no more than the device URI may name a service, which the spooler
            // looks up only for a printer asked for by name.
            std::optional<SpoolerPrinter> named;
            if (!listed.DeviceUri.empty() && listed.PortName == listed.DeviceUri)
                named = m_spooler.GetPrinter(listed.PrinterName);
            const SpoolerPrinter& printer = named ? *named : listed;
            return ViewKey{{{"Name", printer.PrinterName},
                            {"Port", printer.PortName},
                            {"Printer Driver", printer.DriverName}},
                           {"PrinterDriverData"}};
        }
        return std::nullopt;
    }

    if (!is(0, "Monitors"))
        return std::nullopt;
    if (parts.size() == 1)
        return ViewKey{{}, {std::string(kTcpMonitor), std::string(kLprMonitor)}};
    PortMonitor monitor;
    if (is(1, kTcpMonitor))
        monitor = PortMonitor::StandardTcpIp;
    else if (is(1, kLprMonitor))
        monitor = PortMonitor::Lpr;
    else
        return std::nullopt;
    if (parts.size() == 2)
        return ViewKey{{}, {"Ports"}};
    if (!is(2, "Ports") || parts.size() > 4)
        return std::nullopt;

    ViewKey result;
    for (const SpoolerPort& port : m_spooler.EnumPorts()) {
        if (port.Monitor != monitor || !Addressable(port.Name))
            continue;
        if (parts.size() == 3) {
            result.SubKeys.push_back(port.Name);
            continue;
        }
        if (!RegistryNamesEqual(port.Name, parts[3]))
            continue;
        if (monitor == PortMonitor::StandardTcpIp)
            return ViewKey{{{"HostName", port.HostName},
                            {"IPAddress", port.IPAddress},
                            {"PortNumber", std::to_string(port.PortNumber)}},
                           {}};
        return ViewKey{{{"server name", port.LprServer}, {"printer name", port.LprQueue}}, {}};
    }
    if (parts.size() == 4)
        return std::nullopt;
    return result;
}

bool SpoolerRegistryView::CreateKey(Hive hive, std::string_view key) {
    if (InView(hive, key))
        return KeyExists(hive, key);
    return ForwardingRegistry::CreateKey(hive, key);
}

bool SpoolerRegistryView::KeyExists(Hive hive, std::string_view key) const {
    if (InView(hive, key))
        return Lookup(key).has_value();
    return ForwardingRegistry::KeyExists(hive, key);
}

std::optional<std::string> SpoolerRegistryView::QueryValue(Hive hive, std::string_view key,
                                                           std::string_view name) const {
    if (!InView(hive, key))
        return ForwardingRegistry::QueryValue(hive, key, name);
    const std::optional<ViewKey> found = Lookup(key);
    if (!found)
        return std::nullopt;
    for (const auto& [valueName, value] : found->Values) {
        if (RegistryNamesEqual(valueName, name))
            return value;
    }
    return std::nullopt;
}

bool SpoolerRegistryView::SetValue(Hive hive, std::string_view key, std::string_view name,
                                   std::string_view value) {
    return !InView(hive, key) && ForwardingRegistry::SetValue(hive, key, name, value);
}

bool SpoolerRegistryView::DeleteValue(Hive hive, std::string_view key, std::string_view name) {
    return !InView(hive, key) && ForwardingRegistry::DeleteValue(hive, key, name);
}

bool SpoolerRegistryView::DeleteTree(Hive hive, std::string_view key) {
    // Deleting a key above the subtree would delete the spooler's keys too.
    if (hive == Hive::LocalMachine && (InView(hive, key) || KeyIsWithin(kPrintKey, key)))
        return false;
    return ForwardingRegistry::DeleteTree(hive, key);
}

std::vector<std::string> SpoolerRegistryView::SubKeys(Hive hive, std::string_view key) const {
    if (!InView(hive, key))
        return ForwardingRegistry::SubKeys(hive, key);
    const std::optional<ViewKey> found = Lookup(key);
    return found ? found->SubKeys : std::vector<std::string>{};
}

std::vector<std::string> SpoolerRegistryView::ValueNames(Hive hive, std::string_view key) const {
    if (!InView(hive, key))
        return ForwardingRegistry::ValueNames(hive, key);
    std::vector<std::string> names;
    if (const std::optional<ViewKey> found = Lookup(key)) {
        for (const auto& [name, value] : found->Values)
            names.push_back(name);
    }
    return names;
}

} // namespace kaldo
