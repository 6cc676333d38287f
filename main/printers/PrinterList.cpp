#include "main/printers/PrinterList.h"

#include "main/content/ContentCatalog.h"
#include "main/printers/DeviceIdentification.h"
#include "platform/spooler/IppDevice.h"
#include "platform/spooler/Spooler.h"

#include <optional>

namespace kaldo {

namespace {

bool HasContent(const ContentCatalog& catalog, const std::string& driverName) {
    for (const ContentEntry& entry : catalog.Entries()) {
        if (!entry.DriverName.empty() && driverName.find(entry.DriverName) != std::string::npos)
            return true;
    }
    return false;
}

} // namespace

PrinterList::PrinterList(const ContentCatalog& catalog, Spooler& spooler, DeviceIdentifier* devices,
                         std::string_view onlyPrinter) {
    std::vector<SpoolerPrinter> printers = spooler.EnumPrinters();
    // Driverless queues seldom carry the model's name; their printers are asked, all at once.
    std::vector<size_t> unnamed;
    std::vector<std::string> deviceUris;
    for (size_t i = 0; devices && i < printers.size(); ++i) {
        const bool asked = onlyPrinter.empty() || printers[i].PrinterName == onlyPrinter;
        if (asked && !HasContent(catalog, printers[i].DriverName) &&
            IsIppDeviceUri(printers[i].DeviceUri)) {
            unnamed.push_back(i);
            deviceUris.push_back(printers[i].DeviceUri);
        }
    }
    if (!unnamed.empty()) {
        const std::vector<std::optional<DeviceIdentity>> identities = devices->Identify(deviceUris);
        for (size_t k = 0; k < unnamed.size() && k < identities.size(); ++k) {
            if (!identities[k])
                continue;
            for (const std::string& name : DeviceModelNames(*identities[k])) {
                if (HasContent(catalog, name)) {
                    printers[unnamed[k]].DriverName = name;
                    break;
                }
            }
        }
    }

    for (SpoolerPrinter& printer : printers) {
        if (HasContent(catalog, printer.DriverName))
            m_entries.push_back({std::move(printer.PrinterName), std::move(printer.DriverName)});
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
