#pragma once

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

// What the spooler knows of a queue's printer, from the printer and its backend.
struct QueueState {
    std::string State;                // "idle", "processing" or "stopped"
    std::vector<std::string> Reasons; // printer-state-reasons without "none"
    std::string Message;              // printer-state-message
    std::vector<QueueMarker> Markers;
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
};

} // namespace kaldo
