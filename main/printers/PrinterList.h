#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kaldo {

class ContentCatalog;
class DeviceIdentifier;
class Spooler;

// The driver name given for a printer that is not in the list.
inline constexpr std::string_view NoModel = "None";

// Whether a list asks the devices it knows nothing of, or leaves them for later.
enum class DeviceQuestions { Ask, RecallOnly };

struct PrinterEntry {
    std::string PrinterName;
    std::string DriverName;
};

// The installed printers whose driver has content, in the spooler's order.
class PrinterList final {
public:
    PrinterList() = default;
    // A printer is listed when its driver name contains the DriverName of a catalogue entry.
    // With `devices`, a printer whose driver name finds no content but whose device answers
    // IPP is listed when a name the device gives of its model does; that name is then its
    // driver name. Only `onlyPrinter`'s device is asked when that is not empty. With
    // RecallOnly only remembered answers count, and the devices not known are kept unasked.
    PrinterList(const ContentCatalog& catalog, Spooler& spooler,
                DeviceIdentifier* devices = nullptr, std::string_view onlyPrinter = {},
                DeviceQuestions questions = DeviceQuestions::Ask);

    // The driver of the first entry named exactly `printerName`, else NoModel.
    std::string DriverFor(std::string_view printerName) const;

    const std::vector<PrinterEntry>& Entries() const { return m_entries; }

    // The device URIs that a RecallOnly list left unasked, once each, and whether the printer
    // named exactly `printerName` is one that may be listed once its device has answered.
    std::vector<std::string> UnaskedDevices() const;
    bool IsUnasked(std::string_view printerName) const;

private:
    std::vector<PrinterEntry> m_entries;
    // Printer name and device URI.
    std::vector<std::pair<std::string, std::string>> m_unasked;
};

} // namespace kaldo
