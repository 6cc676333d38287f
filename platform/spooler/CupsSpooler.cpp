#include "platform/spooler/CupsSpooler.h"

#include "platform/AsciiText.h"
#include "platform/spooler/CupsHandles.h"
#include "platform/spooler/DevicePorts.h"

#include <algorithm>

namespace kaldo {

namespace {

constexpr int kConnectTimeoutMs = 3000;
constexpr double kAnswerTimeoutSeconds = 5.0;

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

std::string TextOf(ipp_attribute_t* attribute, int index = 0) {
    const char* text = ippGetString(attribute, index, nullptr);
    return text ? text : "";
}

CupsHttpHandle Connect(const std::string& server) {
    const ServerAddress address = SplitServer(server);
    return CupsHttpHandle(httpConnect2(address.Host.c_str(), address.Port, nullptr, AF_UNSPEC,
                                       cupsEncryption(), 1, kConnectTimeoutMs, nullptr));
}

std::vector<std::string> TextsOf(ipp_attribute_t* attribute) {
    std::vector<std::string> texts;
    for (int i = 0; attribute && i < ippGetCount(attribute); ++i)
        texts.push_back(TextOf(attribute, i));
    return texts;
}

std::string StateName(int state) {
    switch (state) {
    case IPP_PSTATE_IDLE:
        return "idle";
    case IPP_PSTATE_PROCESSING:
        return "processing";
    case IPP_PSTATE_STOPPED:
        return "stopped";
    }
    return {};
}

// The markers side by side: the n-th name, type, colour and level describe one supply.
std::vector<QueueMarker> MarkersOf(ipp_t* response) {
    ipp_attribute_t* names = ippFindAttribute(response, "marker-names", IPP_TAG_ZERO);
    ipp_attribute_t* types = ippFindAttribute(response, "marker-types", IPP_TAG_ZERO);
    ipp_attribute_t* colors = ippFindAttribute(response, "marker-colors", IPP_TAG_ZERO);
    ipp_attribute_t* levels = ippFindAttribute(response, "marker-levels", IPP_TAG_INTEGER);
    const int count = std::max({names ? ippGetCount(names) : 0, levels ? ippGetCount(levels) : 0});
    std::vector<QueueMarker> markers;
    for (int i = 0; i < count; ++i) {
        QueueMarker marker;
        if (names && i < ippGetCount(names))
            marker.Name = TextOf(names, i);
        if (types && i < ippGetCount(types))
            marker.Type = TextOf(types, i);
        if (colors && i < ippGetCount(colors))
            marker.Color = TextOf(colors, i);
        if (levels && i < ippGetCount(levels))
            marker.Level = ippGetInteger(levels, i);
        markers.push_back(std::move(marker));
    }
    return markers;
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
            queue.Name = TextOf(attribute);
        else if (key == "printer-make-and-model")
            queue.MakeAndModel = TextOf(attribute);
        else if (key == "device-uri")
            queue.DeviceUri = TextOf(attribute);
    }
    flush();
    return queues;
}

SpoolerPort CupsSpooler::PortOf(const std::string& deviceUri) {
    if (!deviceUri.starts_with("dnssd://") || !m_resolver)
        return PortFromDeviceUri(deviceUri);
    auto known = m_resolved.find(deviceUri);
    if (known == m_resolved.end())
        known = m_resolved.emplace(deviceUri, m_resolver(deviceUri)).first;
    if (!known->second || known->second->starts_with("dnssd://"))
        return PortFromDeviceUri(deviceUri);
    return PortFromDeviceUri(*known->second);
}

std::vector<SpoolerPrinter> CupsSpooler::EnumPrinters() {
    std::vector<SpoolerPrinter> printers;
    const std::string server = ServerName();
    for (const Queue& queue : FetchQueues())
        printers.push_back({queue.Name, server, queue.MakeAndModel, PortOf(queue.DeviceUri).Name});
    return printers;
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
        "printer-state", "printer-state-reasons", "printer-state-message", "marker-names",
        "marker-levels", "marker-colors",         "marker-types"};
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  int(std::size(kAttributes)), nullptr, kAttributes);
    CupsIppHandle response(cupsDoRequest(http.get(), request, "/"));
    if (!response || ippGetStatusCode(response.get()) > IPP_STATUS_OK_CONFLICTING)
        return std::nullopt;
    ipp_attribute_t* state = ippFindAttribute(response.get(), "printer-state", IPP_TAG_ENUM);
    if (!state)
        return std::nullopt;

    QueueState queue;
    queue.State = StateName(ippGetInteger(state, 0));
    for (std::string& reason :
         TextsOf(ippFindAttribute(response.get(), "printer-state-reasons", IPP_TAG_KEYWORD))) {
        if (reason != "none")
            queue.Reasons.push_back(std::move(reason));
    }
    queue.Message = TextOf(ippFindAttribute(response.get(), "printer-state-message", IPP_TAG_TEXT));
    queue.Markers = MarkersOf(response.get());
    return queue;
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
