#include "main/app/QueryMode.h"

#include "main/printers/PrinterList.h"
#include "main/shell/ContentCatalog.h"

namespace kaldo {

int QueryPrinterHasContent(std::string_view printerName, const std::string& programFolder,
                           Spooler& spooler) {
    const ContentCatalog catalog(programFolder);
    const PrinterList printers(catalog, spooler);
    return printers.DriverFor(printerName) == NoModel ? 0 : 1;
}

} // namespace kaldo
