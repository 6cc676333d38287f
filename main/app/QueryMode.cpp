#include "main/app/QueryMode.h"

#include "main/printers/PrinterList.h"
#include "main/shell/ContentCatalog.h"

namespace kaldo {

bool QueryPrinterHasContent(std::string_view printerName, const std::string& programFolder,
                            const std::string& languageCode, Spooler& spooler) {
    const ContentCatalog catalog = ContentCatalog::FromPieces(programFolder, languageCode);
    const PrinterList printers(catalog, spooler);
    return printers.DriverFor(printerName) != NoModel;
}

} // namespace kaldo
