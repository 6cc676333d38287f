#pragma once

#include "platform/spooler/Spooler.h"

#include <functional>
#include <map>
#include <mutex>
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

    // Neither looks up a dnssd service: a queue whose service has not been looked up yet has
    // the port of the service's name.
    std::vector<SpoolerPrinter> EnumPrinters() override;
    std::vector<SpoolerPort> EnumPorts() override;
    // Looks up the printer's service, once, and gives the port of the printer it names.
    std::optional<SpoolerPrinter> GetPrinter(std::string_view printerName) override;
    // Get-Printer-Attributes on the queue, over a connection of its own.
    std::optional<QueueState> GetQueueState(std::string_view printerName) override;
    // The queue's device URI from the scheduler, then the printer there.
    std::optional<QueueState> GetDeviceState(std::string_view printerName,
                                             const std::atomic<bool>& stop) override;
    // One thread per device; dnssd services are resolved first.
    std::vector<std::optional<DeviceIdentity>>
    IdentifyDevices(const std::vector<std::string>& deviceUris, std::chrono::milliseconds limit,
                    const std::atomic<bool>& stop) override;

private:
    struct Queue {
        std::string Name;
        std::string MakeAndModel;
        std::string DeviceUri;
    };
    std::vector<Queue> FetchQueues();
    std::string ServerName() const;
    SpoolerPort PortOf(const std::string& deviceUri);
    // A dnssd:// URI resolved (once) to the printer's own; other URIs as they are. A lookup
    // of a service that is gone takes seconds, so the main thread makes one only for the
    // printer it shows.
    std::optional<std::string> Resolved(const std::string& deviceUri);
    std::optional<std::string> DeviceUriOf(const std::string& printerName);

    std::string m_server;
    DnssdResolver m_resolver;
    // Service lookups are slow when the service is gone; each URI is looked up once. Status
    // workers resolve too.
    std::mutex m_resolvedMutex;
    std::map<std::string, std::optional<std::string>> m_resolved;
};

} // namespace kaldo
