#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kaldo {

class ContentCatalog;
class Spooler;

// The driver name given for a printer that is not in the list.
inline constexpr std::string_view NoModel = "None";

struct PrinterEntry {
    std::string PrinterName;
    std::string DriverName;
};

// The installed printers whose driver has content, in the spooler's order.
class PrinterList final {
public:
    PrinterList() = default;
    // A printer is listed when its driver name contains the DriverName of a catalogue entry.
    PrinterList(const ContentCatalog& catalog, Spooler& spooler);

    // The driver of the first entry named exactly `printerName`, else NoModel.
    std::string DriverFor(std::string_view printerName) const;

    const std::vector<PrinterEntry>& Entries() const { return m_entries; }

private:
    std::vector<PrinterEntry> m_entries;
};

} // namespace kaldo
