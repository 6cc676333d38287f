#pragma once

#include <string>
#include <string_view>

namespace kaldo {

class DeviceIdentifier;
class Spooler;

// The answer of the "/t" query: whether `printerName` is an installed printer whose driver has
// content in the program folder. The content folders' configuration pieces are merged
// in memory: the query writes nothing, and needs no earlier start of the program. `devices`
// names driverless printers (it must not write either).
bool QueryPrinterHasContent(std::string_view printerName, const std::string& programFolder,
                            const std::string& languageCode, Spooler& spooler,
                            DeviceIdentifier* devices = nullptr);

} // namespace kaldo
