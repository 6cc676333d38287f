#include "platform/spooler/CupsSpooler.h"

#include "platform/AsciiText.h"
#include "platform/BackgroundJob.h"
#include "platform/spooler/CupsHandles.h"
#include "platform/spooler/DevicePorts.h"
#include "platform/spooler/IppAttributes.h"
#include "platform/spooler/IppDevice.h"

#include <algorithm>
#include <memory>

namespace kaldo {

namespace {

constexpr int kConnectTimeoutMs = 3000;
constexpr double kAnswerTimeoutSeconds = 5.0;
// The printer itself is asked for its state while the footer waits.
constexpr auto kDeviceStateLimit = std::chrono::seconds(3);

struct ServerAddress {
    std::string Host;
    int Port = 0;
};

ServerAddress SplitServer(const std::string& server) {
    ServerAddress address{server, ippPort()};
    if (server.empty() || server.front() == '/')
        return address;
    const size_t colon = server.rfind(':');
    const size_t bracket = server.rfind(']');
    const bool onePortColon = colon != std::string::npos && server.find(':') == colon;
    if (colon != std::string::npos &&
        (onePortColon || (bracket != std::string::npos && colon > bracket))) {
        address.Host = server.substr(0, colon);
        address.Port = std::atoi(server.c_str() + colon + 1);
    }
    if (address.Host.size() > 1 && address.Host.front() == '[' && address.Host.back() == ']')
        address.Host = address.Host.substr(1, address.Host.size() - 2);
    return address;
}

CupsHttpHandle Connect(const std::string& server) {
    const ServerAddress address = SplitServer(server);
    return CupsHttpHandle(httpConnect2(address.Host.c_str(), address.Port, nullptr, AF_UNSPEC,
                                       cupsEncryption(), 1, kConnectTimeoutMs, nullptr));
}

} // namespace

CupsSpooler::CupsSpooler(std::string server, DnssdResolver resolver)
    : m_server(std::move(server))
    , m_resolver(std::move(resolver)) {
    if (m_server.empty())
        m_server = cupsServer();
}

std::string CupsSpooler::ServerName() const {
    const ServerAddress address = SplitServer(m_server);
    if (address.Host.empty() || address.Host.front() == '/')
        return "\\\\localhost";
    return "\\\\" + address.Host;
}

std::vector<CupsSpooler::Queue> CupsSpooler::FetchQueues() {
    CupsHttpHandle http = Connect(m_server);
    if (!http)
        return {};

    static const char* const kAttributes[] = {"printer-name", "printer-make-and-model",
                                              "device-uri"};
    ipp_t* request = ippNewRequest(IPP_OP_CUPS_GET_PRINTERS);
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  int(std::size(kAttributes)), nullptr, kAttributes);
    CupsIppHandle response(cupsDoRequest(http.get(), request, "/"));
    if (!response || ippGetStatusCode(response.get()) > IPP_STATUS_OK_CONFLICTING)
        return {};

    std::vector<Queue> queues;
    Queue queue;
    auto flush = [&] {
        if (!queue.Name.empty())
            queues.push_back(std::move(queue));
        queue = Queue{};
    };
    for (ipp_attribute_t* attribute = ippFirstAttribute(response.get()); attribute;
         attribute = ippNextAttribute(response.get())) {
        const char* name = ippGetName(attribute);
        if (!name) {
            flush();
            continue;
        }
        const std::string_view key = name;
        if (key == "printer-name")
            queue.Name = IppText(attribute);
        else if (key == "printer-make-and-model")
            queue.MakeAndModel = IppText(attribute);
        else if (key == "device-uri")
            queue.DeviceUri = IppText(attribute);
    }
    flush();
    return queues;
}

std::optional<std::string> CupsSpooler::Resolved(const std::string& deviceUri) {
    if (!deviceUri.starts_with("dnssd://"))
        return deviceUri;
    if (!m_resolver)
        return std::nullopt;
    {
        std::lock_guard lock(m_resolvedMutex);
        if (const auto known = m_resolved.find(deviceUri); known != m_resolved.end())
            return known->second;
    }
    std::optional<std::string> resolved = m_resolver(deviceUri);
    if (resolved && resolved->starts_with("dnssd://"))
        resolved.reset();
    std::lock_guard lock(m_resolvedMutex);
    return m_resolved.emplace(deviceUri, std::move(resolved)).first->second;
}

SpoolerPort CupsSpooler::PortOf(const std::string& deviceUri) {
    std::optional<std::string> resolved = deviceUri;
    if (deviceUri.starts_with("dnssd://")) {
        std::lock_guard lock(m_resolvedMutex);
        const auto known = m_resolved.find(deviceUri);
        resolved = known != m_resolved.end() ? known->second : std::nullopt;
    }
    return PortFromDeviceUri(resolved ? *resolved : deviceUri);
}

std::vector<SpoolerPrinter> CupsSpooler::EnumPrinters() {
    std::vector<SpoolerPrinter> printers;
    const std::string server = ServerName();
    for (const Queue& queue : FetchQueues())
        printers.push_back({queue.Name, server, queue.MakeAndModel, PortOf(queue.DeviceUri).Name,
                            queue.DeviceUri});
    return printers;
}

std::optional<SpoolerPrinter> CupsSpooler::GetPrinter(std::string_view printerName) {
    for (const Queue& queue : FetchQueues()) {
        if (!EqualsIgnoringCase(queue.Name, printerName))
            continue;
        const std::optional<std::string> resolved = Resolved(queue.DeviceUri);
        return SpoolerPrinter{queue.Name, ServerName(), queue.MakeAndModel,
                              PortFromDeviceUri(resolved ? *resolved : queue.DeviceUri).Name,
                              queue.DeviceUri};
    }
    return std::nullopt;
}

std::optional<QueueState> CupsSpooler::GetQueueState(std::string_view printerName) {
    if (printerName.empty())
        return std::nullopt;
    CupsHttpHandle http = Connect(m_server);
    if (!http)
        return std::nullopt;
    // A scheduler that accepts and never answers must not hold the status worker for long.
    httpSetTimeout(http.get(), kAnswerTimeoutSeconds, nullptr, nullptr);
    char uri[HTTP_MAX_URI];
    const std::string name(printerName);
    if (httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof(uri), "ipp", nullptr, "localhost", 0,
                         "/printers/%s", name.c_str()) != HTTP_URI_STATUS_OK)
        return std::nullopt;

    static const char* const kAttributes[] = {
        "printer-state", "printer-state-reasons",  "printer-state-message",
        "marker-names",  "marker-levels",          "marker-colors",
        "marker-types",  "printer-make-and-model", "printer-location"};
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  int(std::size(kAttributes)), nullptr, kAttributes);
    CupsIppHandle response(cupsDoRequest(http.get(), request, "/"));
    if (!response || ippGetStatusCode(response.get()) > IPP_STATUS_OK_CONFLICTING)
        return std::nullopt;
    return QueueStateFromAttributes(response.get());
}

std::optional<std::string> CupsSpooler::DeviceUriOf(const std::string& printerName) {
    for (const Queue& queue : FetchQueues()) {
        if (queue.Name == printerName)
            return queue.DeviceUri;
    }
    return std::nullopt;
}

std::optional<QueueState> CupsSpooler::GetDeviceState(std::string_view printerName,
                                                      const std::atomic<bool>& stop) {
    const std::optional<std::string> deviceUri = DeviceUriOf(std::string(printerName));
    if (!deviceUri || !IsIppDeviceUri(*deviceUri) || stop.load())
        return std::nullopt;
    const std::optional<std::string> printer = Resolved(*deviceUri);
    if (!printer || stop.load())
        return std::nullopt;
    return AskDeviceState(*printer, std::chrono::steady_clock::now() + kDeviceStateLimit, stop);
}

std::vector<std::optional<DeviceIdentity>>
CupsSpooler::IdentifyDevices(const std::vector<std::string>& deviceUris,
                             std::chrono::milliseconds limit, const std::atomic<bool>& stop) {
    const DeviceDeadline deadline = std::chrono::steady_clock::now() + limit;
    std::vector<std::optional<DeviceIdentity>> answers(deviceUris.size());
    std::vector<std::unique_ptr<BackgroundJob>> askers;
    for (size_t i = 0; i < deviceUris.size(); ++i) {
        if (!IsIppDeviceUri(deviceUris[i]))
            continue;
        // Each asker writes only its own answer; all are read once every one has ended.
        askers.push_back(std::make_unique<BackgroundJob>(
            [this, &deviceUris, &answers, &stop, deadline, i](std::stop_token) {
                const std::optional<std::string> printer = Resolved(deviceUris[i]);
                if (printer)
                    answers[i] = AskDeviceIdentity(*printer, deadline, stop);
            }));
    }
    for (auto& asker : askers)
        asker->Wait();
    return answers;
}

std::vector<SpoolerPort> CupsSpooler::EnumPorts() {
    std::vector<SpoolerPort> ports;
    for (const Queue& queue : FetchQueues()) {
        SpoolerPort port = PortOf(queue.DeviceUri);
        bool seen = false;
        for (const SpoolerPort& known : ports)
            seen = seen || EqualsIgnoringCase(known.Name, port.Name);
        if (!seen)
            ports.push_back(std::move(port));
    }
    return ports;
}

} // namespace kaldo
