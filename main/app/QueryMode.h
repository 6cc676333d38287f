#pragma once

#include <string>
#include <string_view>

namespace kaldo {

class Spooler;

// The answer of the "/t" query: whether `printerName` is an installed printer whose driver has
// content in the program folder. The content folders' configuration pieces are merged
// in memory: the query writes nothing, and needs no earlier start of the program.
bool QueryPrinterHasContent(std::string_view printerName, const std::string& programFolder,
                            const std::string& languageCode, Spooler& spooler);

} // namespace kaldo
