#include "main/printers/PrinterList.h"

#include "main/shell/ContentCatalog.h"
#include "platform/spooler/Spooler.h"

namespace kaldo {

PrinterList::PrinterList(const ContentCatalog& catalog, Spooler& spooler) {
    for (SpoolerPrinter& printer : spooler.EnumPrinters()) {
        for (const ContentEntry& entry : catalog.Entries()) {
            if (entry.DriverName.empty() ||
                printer.DriverName.find(entry.DriverName) == std::string::npos)
                continue;
            m_entries.push_back({std::move(printer.PrinterName), std::move(printer.DriverName)});
            break;
        }
    }
}

std::string PrinterList::DriverFor(std::string_view printerName) const {
    for (const PrinterEntry& entry : m_entries) {
        if (entry.PrinterName == printerName)
            return entry.DriverName;
    }
    return std::string(NoModel);
}

} // namespace kaldo
