#include "platform/spooler/Spooler.h"

#include "platform/AsciiText.h"

namespace kaldo {

std::optional<SpoolerPrinter> Spooler::GetPrinter(std::string_view printerName) {
    for (SpoolerPrinter& printer : EnumPrinters()) {
        if (EqualsIgnoringCase(printer.PrinterName, printerName))
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
        knownServer = knownServer || EqualsIgnoringCase(printer.ServerName, server);
    if (!knownServer)
        return std::nullopt;

    for (const SpoolerPort& port : EnumPorts()) {
        if (!EqualsIgnoringCase(port.Name, portName))
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

std::optional<QueueState> Spooler::GetDeviceState(std::string_view, const std::atomic<bool>&) {
    return std::nullopt;
}

std::vector<std::optional<DeviceIdentity>>
Spooler::IdentifyDevices(const std::vector<std::string>& deviceUris, std::chrono::milliseconds,
                         const std::atomic<bool>&) {
    return std::vector<std::optional<DeviceIdentity>>(deviceUris.size());
}

} // namespace kaldo
