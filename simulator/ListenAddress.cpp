#include "simulator/ListenAddress.h"

#include "platform/AsciiText.h"

#include <arpa/inet.h>
#include <charconv>
#include <netinet/in.h>

namespace kaldo::simulator {

namespace {

bool IsLocalhostName(std::string_view host) {
    return EqualsIgnoringCase(host, "localhost");
}

} // namespace

bool IsLoopbackHost(std::string_view host) {
    if (IsLocalhostName(host))
        return true;
    const std::string text(host);
    in_addr v4{};
    if (inet_pton(AF_INET, text.c_str(), &v4) == 1)
        return (ntohl(v4.s_addr) >> 24) == 127;
    in6_addr v6{};
    if (inet_pton(AF_INET6, text.c_str(), &v6) == 1)
        return IN6_IS_ADDR_LOOPBACK(&v6);
    return false;
}

AddressCheck ParseListenAddress(std::string_view text, ListenAddress& address, std::string& error) {
    std::string_view host;
    std::string_view port;
    if (!text.empty() && text.front() == '[') {
        const auto close = text.find(']');
        if (close == std::string_view::npos || close + 1 >= text.size() || text[close + 1] != ':') {
            error = "'" + std::string(text) + "' is not [ADDRESS]:PORT";
            return AddressCheck::Malformed;
        }
        host = text.substr(1, close - 1);
        port = text.substr(close + 2);
    } else {
        const auto colon = text.rfind(':');
        if (colon == std::string_view::npos || text.find(':') != colon) {
            error = "'" + std::string(text) + "' is not ADDRESS:PORT (write IPv6 as [::1]:PORT)";
            return AddressCheck::Malformed;
        }
        host = text.substr(0, colon);
        port = text.substr(colon + 1);
    }

    int number = -1;
    const auto [end, code] = std::from_chars(port.data(), port.data() + port.size(), number);
    if (port.empty() || code != std::errc() || end != port.data() + port.size() || number < 0 ||
        number > 65535) {
        error = "'" + std::string(port) + "' is not a port number (0-65535)";
        return AddressCheck::Malformed;
    }
    if (host.empty()) {
        error = "'" + std::string(text) + "' names no address";
        return AddressCheck::Malformed;
    }
    if (!IsLoopbackHost(host)) {
        error = "refusing to listen on " + std::string(host) +
                ": only loopback addresses (127.0.0.0/8, ::1, localhost) are allowed";
        return AddressCheck::NotLoopback;
    }

    address.Host = IsLocalhostName(host) ? std::string("127.0.0.1") : std::string(host);
    address.Port = number;
    return AddressCheck::Ok;
}

std::string FormatHostPort(std::string_view host, int port) {
    const bool v6 = host.find(':') != std::string_view::npos;
    std::string text = v6 ? "[" + std::string(host) + "]" : std::string(host);
    return text + ":" + std::to_string(port);
}

std::string FormatHostPort(const ListenAddress& address) {
    return FormatHostPort(address.Host, address.Port);
}

} // namespace kaldo::simulator
