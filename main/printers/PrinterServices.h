#pragma once

#include <chrono>
#include <functional>
#include <string>

namespace kaldo {

class DeviceIdentifier;
class Registry;
class Spooler;

// Whether a web site answers within a limit; the real check is a seam so that tests and
// the demo never reach outside.
using WebSiteCheck = std::function<bool(const std::string& url, std::chrono::milliseconds limit)>;

// What the printer operations talk to. The application fills it once; tests hand in doubles.
struct PrinterServices {
    Spooler& PrintSpooler;
    // The registry with the spooler's print subtree in view (or seeded, as on Windows).
    Registry& SystemRegistry;
    // Path of the running program; a program inside a cluster's driver folder names the
    // cluster resource that holds its printers.
    std::string ModulePath;
    // The maker's home page that the internet check tries.
    std::string HomePage;
    WebSiteCheck CheckWebSite;
    // The port of the printers' own web servers; printers serve on 80, a test or a demo that
    // cannot bind it runs its printer elsewhere.
    int PrinterWebPort = 80;
    // Asks driverless printers what they are; none: a queue is known by its driver alone.
    DeviceIdentifier* Devices = nullptr;
};

} // namespace kaldo
