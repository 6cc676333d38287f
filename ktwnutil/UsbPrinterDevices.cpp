#include "ktwnutil/UsbPrinterDevices.h"

#include "platform/AsciiText.h"
#include "platform/Paths.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace kaldo::usb {

namespace fs = std::filesystem;

namespace {

std::string Trimmed(std::string_view text) {
    const auto isBlank = [](char c) {
        return std::isspace((unsigned char)c) || c == '\0';
    };
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return std::string(text);
}

std::string ReadAttribute(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return Trimmed(text.str());
}

std::optional<int> Number(std::string_view text, int base) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// The spooler names a USB printer "make/model" and drops the make from a model that repeats
// it ("Kaldo" + "Kaldo Presslane 3020" gives "Kaldo/Presslane 3020").
bool ModelMatches(const DeviceId& id, const std::string& model) {
    if (EqualsIgnoringCase(id.Model, model))
        return true;
    const std::string prefix = id.Make + " ";
    return !id.Make.empty() && id.Model.size() > prefix.size() &&
           EqualsIgnoringCase(std::string_view(id.Model).substr(0, prefix.size()), prefix) &&
           EqualsIgnoringCase(std::string_view(id.Model).substr(prefix.size()), model);
}

struct PrinterEntry {
    std::string Name; // "lp0"
    fs::path Folder;
};

// "lp" followed by digits, in the order of their numbers.
std::vector<PrinterEntry> PrinterEntries(const std::string& classFolder) {
    std::vector<PrinterEntry> entries;
    std::error_code error;
    for (fs::directory_iterator it(classFolder, error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.size() > 2 && name.starts_with("lp") && Number(name.substr(2), 10))
            entries.push_back({name, it->path()});
    }
    std::sort(entries.begin(), entries.end(), [](const PrinterEntry& a, const PrinterEntry& b) {
        return std::make_pair(a.Name.size(), a.Name) < std::make_pair(b.Name.size(), b.Name);
    });
    return entries;
}

bool EntryMatches(const PrinterEntry& entry, const UsbPortDevice& port) {
    const fs::path device = entry.Folder / "device";
    std::string idText = ReadAttribute(device / "ieee1284_id");
    if (idText.empty())
        idText = ReadAttribute(entry.Folder / "ieee1284_id");
    const DeviceId id = ParseDeviceId(idText);
    if (!EqualsIgnoringCase(id.Make, Trimmed(port.Make)) || !ModelMatches(id, Trimmed(port.Model)))
        return false;

    if (!port.Serial.empty() && id.Serial != port.Serial) {
        // The spooler prefers the serial number of the USB device descriptor.
        std::error_code error;
        const fs::path usbDevice = fs::canonical(device, error).parent_path();
        if (error || ReadAttribute(usbDevice / "serial") != port.Serial)
            return false;
    }
    if (!port.Interface.empty()) {
        const std::string number = ReadAttribute(device / "bInterfaceNumber");
        if (!number.empty() && Number(number, 16) != Number(port.Interface, 10))
            return false;
    }
    return true;
}

} // namespace

DeviceId ParseDeviceId(std::string_view text) {
    DeviceId id;
    while (!text.empty()) {
        const std::string_view pair = text.substr(0, text.find(';'));
        text.remove_prefix(std::min(text.size(), pair.size() + 1));
        const size_t colon = pair.find(':');
        if (colon == std::string_view::npos)
            continue;
        const std::string key = Trimmed(pair.substr(0, colon));
        const std::string value = Trimmed(pair.substr(colon + 1));
        if (EqualsIgnoringCase(key, "MFG") || EqualsIgnoringCase(key, "MANUFACTURER"))
            id.Make = value;
        else if (EqualsIgnoringCase(key, "MDL") || EqualsIgnoringCase(key, "MODEL"))
            id.Model = value;
        else if (EqualsIgnoringCase(key, "SN") || EqualsIgnoringCase(key, "SERN") ||
                 EqualsIgnoringCase(key, "SERIALNUMBER"))
            id.Serial = value;
    }
    return id;
}

std::optional<std::string> FindPrinterNode(const UsbPortDevice& port) {
    for (const char* classFolder : {"/sys/class/usbmisc", "/sys/class/usb"}) {
        for (const PrinterEntry& entry : PrinterEntries(MachinePath(classFolder))) {
            if (!EntryMatches(entry, port))
                continue;
            for (const std::string& node :
                 {MachinePath("/dev/usb/" + entry.Name), MachinePath("/dev/" + entry.Name)}) {
                std::error_code error;
                if (fs::exists(node, error))
                    return node;
            }
        }
    }
    return std::nullopt;
}

} // namespace kaldo::usb
