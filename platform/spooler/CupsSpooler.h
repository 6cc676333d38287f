#pragma once

#include "platform/spooler/Spooler.h"

#include <functional>
#include <map>
#include <optional>
#include <string>

namespace kaldo {

// Turns a dnssd:// device URI into the URI of the service it names, or nothing.
using DnssdResolver = std::function<std::optional<std::string>(const std::string& uri)>;

// Resolves through the system's service discovery, giving up after a few seconds.
std::optional<std::string> ResolveDnssdUri(const std::string& uri);

// The spooler on CUPS: printer name = queue name, driver name = printer-make-and-model, port
// from device-uri (see DevicePorts.h). Classes are not printers and are left out.
class CupsSpooler final : public Spooler {
public:
    // `server` as CUPS_SERVER takes it ("/path/to/socket", "host", "host:port"); empty means
    // the client's configured server.
    explicit CupsSpooler(std::string server = {}, DnssdResolver resolver = ResolveDnssdUri);

    std::vector<SpoolerPrinter> EnumPrinters() override;
    std::vector<SpoolerPort> EnumPorts() override;
    // Get-Printer-Attributes on the queue, over a connection of its own.
    std::optional<QueueState> GetQueueState(std::string_view printerName) override;

private:
    struct Queue {
        std::string Name;
        std::string MakeAndModel;
        std::string DeviceUri;
    };
    std::vector<Queue> FetchQueues();
    std::string ServerName() const;
    SpoolerPort PortOf(const std::string& deviceUri);

    std::string m_server;
    DnssdResolver m_resolver;
    // Service lookups are slow when the service is gone; each URI is looked up once.
    std::map<std::string, std::optional<std::string>> m_resolved;
};

} // namespace kaldo
