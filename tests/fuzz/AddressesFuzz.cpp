// A queue's device URI, as other users' and the system's print setup give it: the port it
// stands for, the USB device behind a USB port name, and the printer address and web address
// the program finds through the spooler's view of the registry. The same bytes as what a
// network printer says of itself (its device ID, supplies and alerts) and as a line of the
// remembered answers.
#include "main/printers/DeviceIdentification.h"
#include "main/printers/PrinterAddress.h"
#include "main/printers/PrinterServices.h"
#include "platform/spooler/DevicePorts.h"
#include "platform/spooler/IppDevice.h"
#include "platform/spooler/SpoolerRegistryView.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace kaldo;

namespace {

// Everything outside the spooler's subtree is empty.
class EmptyRegistry final : public Registry {
public:
    bool CreateKey(Hive, std::string_view) override { return false; }
    bool KeyExists(Hive, std::string_view) const override { return false; }
    std::optional<std::string> QueryValue(Hive, std::string_view, std::string_view) const override {
        return std::nullopt;
    }
    bool SetValue(Hive, std::string_view, std::string_view, std::string_view) override {
        return false;
    }
    bool DeleteValue(Hive, std::string_view, std::string_view) override { return false; }
    bool DeleteTree(Hive, std::string_view) override { return false; }
    std::vector<std::string> SubKeys(Hive, std::string_view) const override { return {}; }
    std::vector<std::string> ValueNames(Hive, std::string_view) const override { return {}; }
};

// One queue on the port of the device URI.
class OneQueueSpooler final : public Spooler {
public:
    explicit OneQueueSpooler(SpoolerPort port)
        : m_port(std::move(port)) {}
    std::vector<SpoolerPrinter> EnumPrinters() override {
        return {{"Office_3020", "\\\\localhost", "Kaldo Presslane 3020", m_port.Name, {}}};
    }
    std::vector<SpoolerPort> EnumPorts() override { return {m_port}; }

private:
    SpoolerPort m_port;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The readers take views: they see the input's own bytes, so a read past them is caught.
    const std::string_view uri(reinterpret_cast<const char*>(data), size);
    const SpoolerPort port = PortFromDeviceUri(uri);
    ParseUsbPortName(port.Name);
    ParseUsbPortName(uri);
    IsAddressLiteral(uri);

    OneQueueSpooler spooler(port);
    EmptyRegistry inner;
    SpoolerRegistryView registry(inner, spooler);
    PrinterServices services{spooler, registry, "/opt/kaldo/ktendwell", "http://192.0.2.1/",
                             [](const std::string&, std::chrono::milliseconds) {
                                 return false;
                             }};
    std::string address;
    // Names are not resolved: a fuzzer must not ask the name service.
    if (ResolvePrinterAddress(services, "Office_3020", address, false)) {
        if (IsAddressLiteral(address))
            ResolveHostAddress(address);
        PrinterWebUrlFor(address);
        PrinterWebUrlFor(address, 8631);
    }
    std::string usbPort;
    GetUsbPortName(services, "Office_3020", usbPort);

    const std::string text(uri);
    IsIppDeviceUri(uri);
    DeviceModelNames({text, text});
    MarkersFromSupplies({text, text}, {text});
    AlertFromValue(uri, text);
    if (const auto line = ParseDeviceMemoryLine(uri))
        FormatDeviceMemoryLine(line->DeviceUri, line->Identity, line->AskedAt);
    return 0;
}
