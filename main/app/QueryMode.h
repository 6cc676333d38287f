#pragma once

#include <string>
#include <string_view>

namespace kaldo {

class Spooler;

// Exit code of the "/t" query: 1 when `printerName` is an installed printer whose driver has
// content in the program folder, else 0. The content folders' configuration pieces are merged
// in memory: the query writes nothing, and needs no earlier start of the program.
int QueryPrinterHasContent(std::string_view printerName, const std::string& programFolder,
                           const std::string& languageCode, Spooler& spooler);

} // namespace kaldo
