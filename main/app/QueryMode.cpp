#include "main/app/QueryMode.h"

#include "main/content/ContentCatalog.h"
#include "main/printers/PrinterList.h"

namespace kaldo {

bool QueryPrinterHasContent(std::string_view printerName, const std::string& programFolder,
                            const std::string& languageCode, Spooler& spooler,
                            DeviceIdentifier* devices) {
    const ContentCatalog catalog = ContentCatalog::FromPieces(programFolder, languageCode);
    // Only the named printer's device is asked: the answer is about it alone.
    const PrinterList printers(catalog, spooler, devices, printerName);
    return printers.DriverFor(printerName) != NoModel;
}

} // namespace kaldo
