#pragma once

#include <string>
#include <string_view>

namespace kaldo {

class Spooler;

// Exit code of the "/t" query: 1 when `printerName` is an installed printer whose driver has
// content in the program folder's existing configuration files, else 0.
int QueryPrinterHasContent(std::string_view printerName, const std::string& programFolder,
                           Spooler& spooler);

} // namespace kaldo
