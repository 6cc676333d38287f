#pragma once

#include "platform/spooler/Spooler.h"

#include <optional>
#include <string>
#include <string_view>

namespace kaldo {

// The port that a queue's device URI stands for, named and described the way the port
// monitor of the same kind of connection would:
//   socket://H[:P]           "IP_H"          Standard TCP/IP, HostName H, IPAddress H if literal
//   lpd://H[:P]/Q            "H:Q"           LPR, server name H, printer name Q
//   ipp|ipps|http|https://H[:P]/R[?..]  "http://H/R"  internet printing, no port number
//   usb://M/D[?Q]            "USB:M/D[?Q]"   USB; M and D decoded, Q as in the URI
//   parallel:/dev/lpN        "LPT<N+1>"      parallel
//   file:...                 "FILE:"
// IPv6 hosts are bracketed in names ("IP_" excepted). Anything else (an unresolved dnssd://
// service, another backend) keeps the URI as its name and has no monitor.
SpoolerPort PortFromDeviceUri(std::string_view deviceUri);

// The USB device behind a "USB:" port name, for finding it again among the attached devices.
struct UsbPortDevice {
    std::string Make;
    std::string Model;
    std::string Serial;    // empty when the URI had none
    std::string Interface; // empty when the URI had none
};
std::optional<UsbPortDevice> ParseUsbPortName(std::string_view portName);

// True for an IPv4 or IPv6 address literal (an IPv6 zone suffix "%if" is allowed).
bool IsAddressLiteral(std::string_view host);

} // namespace kaldo
