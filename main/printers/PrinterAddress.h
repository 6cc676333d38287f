#pragma once

#include <string>
#include <string_view>

namespace kaldo {

class Registry;
class Spooler;
struct PrinterServices;

// The registry key that describes the printer: the local printer key, the key of a
// connection ("\\\\server\\printer") below its server, or the key in a clustered spooler.
bool FindPrinterKey(const Registry& registry, std::string_view modulePath,
                    std::string_view printerName, std::string& keyPath);

// The address that the printer's port monitor reports through its transceiver.
bool XcvQueryAddress(Spooler& spooler, std::string_view printerName, std::string& address);

// The printer's network address from its port, the port monitor's settings, the driver's
// data or the transceiver, in that order. With `resolveNames` a host name becomes a dotted
// IPv4 address where it resolves. False (and `address` untouched) when none is found.
bool ResolvePrinterAddress(const PrinterServices& services, std::string_view printerName,
                           std::string& address, bool resolveNames);

// Sets `port` to the printer's port name when that names a USB port.
void GetUsbPortName(const PrinterServices& services, std::string_view printerName,
                    std::string& port);

// A host name resolved to its first IPv4 address "a.b.c.d"; IPv6 literals, and names that
// do not resolve, come back as given.
std::string ResolveHostAddress(std::string_view address);

// "http://address/", with an IPv6 address in brackets.
std::string PrinterWebUrlFor(std::string_view address, int port = 80);

} // namespace kaldo
