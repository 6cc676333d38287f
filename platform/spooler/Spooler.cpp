#include "platform/spooler/Spooler.h"

#include <strings.h>

namespace kaldo {

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && strncasecmp(a.data(), b.data(), a.size()) == 0;
}

std::optional<SpoolerPrinter> Spooler::GetPrinter(std::string_view printerName) {
    for (SpoolerPrinter& printer : EnumPrinters()) {
        if (SameName(printer.PrinterName, printerName))
            return std::move(printer);
    }
    return std::nullopt;
}

std::optional<std::string> Spooler::XcvData(std::string_view xcvName, std::string_view dataName) {
    constexpr std::string_view kXcvPort = "\\,XcvPort ";
    if (!xcvName.starts_with("\\\\"))
        return std::nullopt;
    const size_t marker = xcvName.find(kXcvPort, 2);
    if (marker == std::string_view::npos)
        return std::nullopt;
    const std::string_view server = xcvName.substr(0, marker);
    const std::string_view portName = xcvName.substr(marker + kXcvPort.size());

    bool knownServer = false;
    for (const SpoolerPrinter& printer : EnumPrinters())
        knownServer = knownServer || SameName(printer.ServerName, server);
    if (!knownServer)
        return std::nullopt;

    for (const SpoolerPort& port : EnumPorts()) {
        if (!SameName(port.Name, portName))
            continue;
        if (port.Monitor != PortMonitor::StandardTcpIp || dataName != "IPAddress")
            return std::nullopt;
        return port.IPAddress.empty() ? port.HostName : port.IPAddress;
    }
    return std::nullopt;
}

std::optional<QueueState> Spooler::GetQueueState(std::string_view) {
    return std::nullopt;
}

} // namespace kaldo
