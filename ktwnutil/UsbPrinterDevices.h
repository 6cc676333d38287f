#pragma once

#include "platform/spooler/DevicePorts.h"

#include <optional>
#include <string>
#include <string_view>

namespace kaldo::usb {

// The parts of an IEEE 1284 device id ("MFG:Kaldo;MDL:Presslane 3020;SN:X;...") that name a
// printer. Keys compare without regard to case; both short and long key names are read.
struct DeviceId {
    std::string Make;
    std::string Model;
    std::string Serial;
};
DeviceId ParseDeviceId(std::string_view text);

// The device node (below KALDO_ROOT) of the attached USB printer that `port` names, found
// through the printer class devices in sysfs; none when no attached printer matches.
std::optional<std::string> FindPrinterNode(const UsbPortDevice& port);

} // namespace kaldo::usb
