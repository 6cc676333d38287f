#pragma once

#include <string>
#include <string_view>

namespace kaldo::simulator {

// Where one listener of the simulator is bound. `host` is a numeric loopback address.
struct ListenAddress {
    std::string Host;
    int Port = 0;
};

enum class AddressCheck {
    Ok,
    Malformed,
    NotLoopback,
};

// Reads "HOST:PORT" or "[IPV6]:PORT". Only 127.0.0.0/8, ::1 and "localhost" (taken as
// 127.0.0.1) are accepted: the simulator answers as if it were real printers and a maker's
// web site, so it must never be reachable from another machine.
AddressCheck ParseListenAddress(std::string_view text, ListenAddress& address, std::string& error);

bool IsLoopbackHost(std::string_view host);

// "127.0.0.1:80" or "[::1]:80".
std::string FormatHostPort(std::string_view host, int port);
std::string FormatHostPort(const ListenAddress& address);

} // namespace kaldo::simulator
