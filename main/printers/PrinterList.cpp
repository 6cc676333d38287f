#include "main/printers/PrinterList.h"

#include "main/content/ContentCatalog.h"
#include "main/printers/DeviceIdentification.h"
#include "platform/spooler/IppDevice.h"
#include "platform/spooler/Spooler.h"

#include <algorithm>
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
                         std::string_view onlyPrinter, DeviceQuestions questions) {
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
        if (questions == DeviceQuestions::RecallOnly) {
            const std::vector<std::string> unknown = devices->Unknown(deviceUris);
            for (size_t i : unnamed) {
                if (std::ranges::find(unknown, printers[i].DeviceUri) != unknown.end())
                    m_unasked.emplace_back(printers[i].PrinterName, printers[i].DeviceUri);
            }
        }
        const std::vector<std::optional<DeviceIdentity>> identities =
            questions == DeviceQuestions::Ask ? devices->Identify(deviceUris)
                                              : devices->Recall(deviceUris);
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

std::vector<std::string> PrinterList::UnaskedDevices() const {
    std::vector<std::string> uris;
    for (const auto& [name, uri] : m_unasked) {
        if (std::ranges::find(uris, uri) == uris.end())
            uris.push_back(uri);
    }
    return uris;
}

bool PrinterList::IsUnasked(std::string_view printerName) const {
    return std::ranges::any_of(
        m_unasked, [printerName](const auto& unasked) { return unasked.first == printerName; });
}

std::string PrinterList::DriverFor(std::string_view printerName) const {
    for (const PrinterEntry& entry : m_entries) {
        if (entry.PrinterName == printerName)
            return entry.DriverName;
    }
    return std::string(NoModel);
}

} // namespace kaldo
