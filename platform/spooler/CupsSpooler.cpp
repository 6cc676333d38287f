#include "platform/spooler/CupsSpooler.h"

#include "platform/AsciiText.h"
#include "platform/spooler/CupsHandles.h"
#include "platform/spooler/DevicePorts.h"

namespace kaldo {

namespace {

constexpr int kConnectTimeoutMs = 3000;

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

std::string TextOf(ipp_attribute_t* attribute) {
    const char* text = ippGetString(attribute, 0, nullptr);
    return text ? text : "";
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
    const ServerAddress address = SplitServer(m_server);
    CupsHttpHandle http(httpConnect2(address.Host.c_str(), address.Port, nullptr, AF_UNSPEC,
                                     cupsEncryption(), 1, kConnectTimeoutMs, nullptr));
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
