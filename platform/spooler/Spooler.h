#pragma once

#include <atomic>
#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kaldo {

// One installed printer as the print spooler describes it.
struct SpoolerPrinter {
    std::string PrinterName;
    std::string ServerName; // "\\\\host" of the spooler that holds the queue
    std::string DriverName;
    std::string PortName;
    std::string DeviceUri; // as the spooler has it; empty where there is none
};

enum class PortMonitor {
    None,          // a port no monitor describes (file, unresolved service, unknown backend)
    StandardTcpIp, // raw socket printing
    Lpr,
    Http, // internet printing; the port name is the printer's URL
    Usb,
    Parallel,
};

// A port as its port monitor keeps it.
struct SpoolerPort {
    std::string Name;
    PortMonitor Monitor = PortMonitor::None;
    std::string HostName;  // Standard TCP/IP: the host as configured
    std::string IPAddress; // Standard TCP/IP: set only when the host is an address literal
    int PortNumber = 0;    // Standard TCP/IP
    std::string LprServer; // LPR: "server name"
    std::string LprQueue;  // LPR: "printer name"
};

// One supply as the queue reports it (marker-names, -types, -colors, -levels).
struct QueueMarker {
    std::string Name;
    std::string Type;  // "toner", "ink", "waste-toner", ...
    std::string Color; // "#RRGGBB", several joined for a multi-colour supply; may be empty
    int Level = -1;    // percent; negative: unknown
};

// One printer-alert with its printer-alert-description.
struct QueueAlert {
    std::string Code;     // "tonerLow", "jam", ...
    std::string Severity; // "critical", "warning", "report" or empty
    std::string Text;
};

// Who gave a state: the spooler from what the queue's backend last passed on, or the printer
// itself, asked just now.
enum class StateOrigin { Queue, Printer };

// What the spooler knows of a queue's printer, from the printer and its backend, or what the
// printer says of itself.
struct QueueState {
    std::string State;                // "idle", "processing" or "stopped"
    std::vector<std::string> Reasons; // printer-state-reasons without "none"
    std::string Message;              // printer-state-message
    std::vector<QueueMarker> Markers;
    std::vector<QueueAlert> Alerts; // only a printer asked itself has them
    StateOrigin Origin = StateOrigin::Queue;
    std::string MakeAndModel; // printer-make-and-model; empty when not given
    std::string Location;     // printer-location; empty when not given
};

// What a network printer says it is.
struct DeviceIdentity {
    std::string MakeAndModel; // printer-make-and-model
    std::string DeviceId;     // printer-device-id, "MFG:Kaldo;MDL:Presslane 3020;..."
};

// The print spooler: the printers and ports that the program reads. Enumeration never fails
// loudly; a spooler that cannot be reached has no printers.
class Spooler {
public:
    virtual ~Spooler() = default;

    // Local and connected printers, in the spooler's own order.
    virtual std::vector<SpoolerPrinter> EnumPrinters() = 0;

    // Every port that an enumerated printer uses, once each.
    virtual std::vector<SpoolerPort> EnumPorts() = 0;

    // The printer of that name; printer names compare without regard to case.
    virtual std::optional<SpoolerPrinter> GetPrinter(std::string_view printerName);

    // A port monitor's transceiver query. `xcvName` is "\\\\server\\,XcvPort port" as the
    // transceiver is opened by name; "IPAddress" is the one data name a network port answers.
    virtual std::optional<std::string> XcvData(std::string_view xcvName, std::string_view dataName);

    // The queue's state, supply levels and state reasons; nothing when the spooler cannot
    // answer for that queue. May be called from any thread.
    virtual std::optional<QueueState> GetQueueState(std::string_view printerName);

    // The printer behind the queue asked itself, when its device is a network printer that
    // speaks IPP; nothing when it is not or does not answer. `stop` ends the question early.
    // May be called from any thread.
    virtual std::optional<QueueState> GetDeviceState(std::string_view printerName,
                                                     const std::atomic<bool>& stop);

    // What the devices say they are, one answer (or none) per device URI in the same order.
    // All are asked at once, and the answers come within `limit` altogether; `stop` ends the
    // questions early. May be called from any thread.
    virtual std::vector<std::optional<DeviceIdentity>>
    IdentifyDevices(const std::vector<std::string>& deviceUris, std::chrono::milliseconds limit,
                    const std::atomic<bool>& stop);
};

} // namespace kaldo
