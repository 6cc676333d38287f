#include "platform/spooler/DevicePorts.h"

#include "platform/PercentDecoding.h"

#include <arpa/inet.h>
#include <cups/http.h>

#include <array>
#include <cctype>

namespace kaldo {

namespace {

struct DeviceUri {
    std::string Scheme;
    std::string Host;
    int Port = 0;
    std::string Resource; // path decoded, query as written
};

std::optional<DeviceUri> SplitUri(std::string_view text) {
    std::array<char, 64> scheme{};
    std::array<char, 256> user{};
    std::array<char, 256> host{};
    std::array<char, 1024> resource{};
    DeviceUri uri;
    const std::string copy(text);
    const http_uri_status_t status =
        httpSeparateURI(HTTP_URI_CODING_MOST, copy.c_str(), scheme.data(), int(scheme.size()),
                        user.data(), int(user.size()), host.data(), int(host.size()), &uri.Port,
                        resource.data(), int(resource.size()));
    if (status < HTTP_URI_STATUS_OK)
        return std::nullopt;
    uri.Scheme = scheme.data();
    uri.Host = host.data();
    uri.Resource = resource.data();
    return uri;
}

std::string Bracketed(const std::string& host) {
    return host.find(':') == std::string::npos ? host : "[" + host + "]";
}

std::string PathOnly(const std::string& resource) {
    return resource.substr(0, resource.find('?'));
}

std::string ParallelPortName(const std::string& device) {
    size_t digits = device.size();
    while (digits > 0 && std::isdigit((unsigned char)device[digits - 1]))
        --digits;
    if (digits == device.size() || device.size() - digits > 3)
        return "LPT1";
    return "LPT" + std::to_string(std::stoi(device.substr(digits)) + 1);
}

} // namespace

bool IsAddressLiteral(std::string_view host) {
    const std::string address(host.substr(0, host.find('%')));
    std::array<unsigned char, 16> bytes{};
    return inet_pton(AF_INET, address.c_str(), bytes.data()) == 1 ||
           inet_pton(AF_INET6, address.c_str(), bytes.data()) == 1;
}

SpoolerPort PortFromDeviceUri(std::string_view deviceUri) {
    SpoolerPort port;
    port.Name = deviceUri;
    const std::optional<DeviceUri> uri = SplitUri(deviceUri);
    if (!uri)
        return port;
    const std::string& scheme = uri->Scheme;

    if (scheme == "socket" && !uri->Host.empty()) {
        port.Name = "IP_" + uri->Host;
        port.Monitor = PortMonitor::StandardTcpIp;
        port.HostName = uri->Host;
        if (IsAddressLiteral(uri->Host))
            port.IPAddress = uri->Host;
        port.PortNumber = uri->Port;
    } else if (scheme == "lpd" && !uri->Host.empty()) {
        std::string queue = PathOnly(uri->Resource);
        if (queue.starts_with('/'))
            queue.erase(0, 1);
        port.Name = Bracketed(uri->Host) + ":" + queue;
        port.Monitor = PortMonitor::Lpr;
        port.LprServer = uri->Host;
        port.LprQueue = queue;
    } else if ((scheme == "ipp" || scheme == "ipps" || scheme == "http" || scheme == "https") &&
               !uri->Host.empty()) {
        std::string path = PathOnly(uri->Resource);
        if (path.empty())
            path = "/";
        port.Name = "http://" + Bracketed(uri->Host) + path;
        port.Monitor = PortMonitor::Http;
        port.HostName = uri->Host;
    } else if (scheme == "usb" && !uri->Host.empty()) {
        port.Name = "USB:" + uri->Host + uri->Resource;
        port.Monitor = PortMonitor::Usb;
    } else if (scheme == "parallel") {
        port.Name = ParallelPortName(uri->Resource);
        port.Monitor = PortMonitor::Parallel;
    } else if (scheme == "file") {
        port.Name = "FILE:";
    }
    return port;
}

std::optional<UsbPortDevice> ParseUsbPortName(std::string_view portName) {
    if (!portName.starts_with("USB:"))
        return std::nullopt;
    std::string_view rest = portName.substr(4);
    const size_t slash = rest.find('/');
    if (slash == std::string_view::npos || slash == 0)
        return std::nullopt;
    UsbPortDevice device;
    device.Make = rest.substr(0, slash);
    rest.remove_prefix(slash + 1);
    const size_t question = rest.find('?');
    device.Model = rest.substr(0, question);
    if (question == std::string_view::npos)
        return device;
    std::string_view query = rest.substr(question + 1);
    while (!query.empty()) {
        const std::string_view pair = query.substr(0, query.find('&'));
        query.remove_prefix(std::min(query.size(), pair.size() + 1));
        const size_t equals = pair.find('=');
        if (equals == std::string_view::npos)
            continue;
        const std::string_view key = pair.substr(0, equals);
        const std::string value = DecodeUriEscapes(pair.substr(equals + 1));
        if (key == "serial")
            device.Serial = value;
        else if (key == "interface")
            device.Interface = value;
    }
    return device;
}

} // namespace kaldo
