#pragma once

#include "platform/spooler/Spooler.h"

#include <atomic>
#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kaldo {

// A network printer asked over IPP itself, past the spooler: what it is, and its state.

using DeviceDeadline = std::chrono::steady_clock::time_point;

// Whether a queue with this device URI prints to a printer that answers IPP: ipp, ipps, http
// and https printers, and dnssd services, which resolve to one of them.
bool IsIppDeviceUri(std::string_view deviceUri);

// One field of an IEEE 1284 device ID ("MFG:Kaldo;MDL:Presslane 3020;"), found by its short
// or its long key ("MFG" or "MANUFACTURER"); empty when it has neither.
std::string DeviceIdField(std::string_view deviceId, std::string_view shortKey,
                          std::string_view longKey);

// The names the printer gives of its model: its make and model, and the device ID's maker and
// model joined by a space. Empty names are left out.
std::vector<std::string> DeviceModelNames(const DeviceIdentity& identity);

// printer-supply values ("type=toner;maxcapacity=100;level=40;colorantname=black;") as
// markers, each named by the printer-supply-description of the same position: the level in
// percent of the capacity, the colour as "#RRGGBB" (empty when the colorant is not a known
// colour), the type as marker-types spells it ("wasteToner" becomes "waste-toner").
std::vector<QueueMarker> MarkersFromSupplies(const std::vector<std::string>& supplies,
                                             const std::vector<std::string>& descriptions);

// A printer-alert value ("code=tonerLow;index=2;severity=warning;...") with its
// printer-alert-description.
QueueAlert AlertFromValue(std::string_view value, std::string description);

// What the printer at `deviceUri` (ipp, ipps, http, https; not a dnssd service) says it is.
// Nothing when it does not answer before `deadline` or `stop` is set.
std::optional<DeviceIdentity> AskDeviceIdentity(const std::string& deviceUri,
                                                DeviceDeadline deadline,
                                                const std::atomic<bool>& stop);

// The printer's state, reasons, message, alerts and supplies (marker-* where it has them,
// else printer-supply), with the origin Printer; as AskDeviceIdentity otherwise.
std::optional<QueueState> AskDeviceState(const std::string& deviceUri, DeviceDeadline deadline,
                                         const std::atomic<bool>& stop);

} // namespace kaldo
