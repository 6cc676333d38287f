#include "main/printers/PrinterAddress.h"

#include "main/printers/PrinterServices.h"
#include "platform/registry/Registry.h"
#include "platform/spooler/Spooler.h"

#include <arpa/inet.h>
#include <netdb.h>

#include <memory>
#include <optional>

namespace kaldo {

namespace {

constexpr std::string_view kLocalPrinters = "System\\CurrentControlSet\\control\\Print\\Printers\\";
constexpr std::string_view kLanManServers = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Print"
                                            "\\Providers\\LanMan Print Services\\Servers\\";
constexpr std::string_view kClusterResources = "Cluster\\Resources";

std::string ReplaceBackslashes(std::string_view name) {
    std::string replaced(name);
    for (char& c : replaced) {
        if (c == '\\')
            c = ',';
    }
    return replaced;
}

// The cluster resource whose driver folder the program runs from ("...\\<resource>\\Drivers\\...").
std::optional<std::string> ClusterResource(std::string_view modulePath) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= modulePath.size()) {
        size_t end = modulePath.find_first_of("/\\", start);
        if (end == std::string_view::npos)
            end = modulePath.size();
        parts.emplace_back(modulePath.substr(start, end - start));
        start = end + 1;
    }
    for (size_t i = parts.size(); i-- > 1;) {
        if (RegistryNamesEqual(parts[i], "Drivers"))
            return parts[i - 1].empty() ? std::nullopt : std::optional(parts[i - 1]);
    }
    return std::nullopt;
}

// The key that holds a printer's monitor keys: its key without the last two components.
std::string PrintBase(std::string_view keyPath) {
    std::vector<std::string> parts = SplitKeyPath(keyPath);
    parts.resize(parts.size() >= 2 ? parts.size() - 2 : 0);
    std::string base;
    for (const std::string& part : parts)
        base += (base.empty() ? "" : "\\") + part;
    return base;
}

std::optional<std::string> NonEmptyValue(const Registry& registry, const std::string& key,
                                         std::string_view name) {
    std::optional<std::string> value = registry.QueryValue(Hive::LocalMachine, key, name);
    if (value && value->empty())
        return std::nullopt;
    return value;
}

// The host of an internet printing port "http://host[:port]/...", brackets and port removed.
std::string HttpPortHost(std::string_view port) {
    std::string_view host = port.substr(7);
    host = host.substr(0, host.find('/'));
    if (host.starts_with('[')) {
        const size_t close = host.find(']');
        return std::string(close == std::string_view::npos ? host.substr(1)
                                                           : host.substr(1, close - 1));
    }
    return std::string(host.substr(0, host.find(':')));
}

std::string WithoutBrackets(std::string_view address) {
    if (address.size() > 2 && address.front() == '[' && address.back() == ']')
        address = address.substr(1, address.size() - 2);
    return std::string(address);
}

struct AddrInfoFree {
    void operator()(addrinfo* info) const { freeaddrinfo(info); }
};

} // namespace

bool FindPrinterKey(const Registry& registry, std::string_view modulePath,
                    std::string_view printerName, std::string& keyPath) {
    std::string candidate = std::string(kLocalPrinters) + ReplaceBackslashes(printerName);
    if (registry.KeyExists(Hive::LocalMachine, candidate)) {
        keyPath = std::move(candidate);
        return true;
    }
    if (!printerName.starts_with("\\\\"))
        return false;

    const std::string_view connection = printerName.substr(2);
    const size_t slash = connection.find('\\');
    if (slash == std::string_view::npos || slash == 0 || slash + 1 == connection.size())
        return false;
    const std::string_view server = connection.substr(0, slash);
    const std::string_view printer = connection.substr(slash + 1);
    candidate =
        std::string(kLanManServers) + std::string(server) + "\\Printers\\" + std::string(printer);
    if (registry.KeyExists(Hive::LocalMachine, candidate)) {
        keyPath = std::move(candidate);
        return true;
    }

    if (!registry.KeyExists(Hive::LocalMachine, kClusterResources))
        return false;
    const std::optional<std::string> resource = ClusterResource(modulePath);
    if (!resource)
        return false;
    candidate = std::string(kClusterResources) + "\\" + *resource + "\\parameters\\printers\\" +
                std::string(printerName.substr(printerName.rfind('\\') + 1));
    if (!registry.KeyExists(Hive::LocalMachine, candidate))
        return false;
    keyPath = std::move(candidate);
    return true;
}

bool XcvQueryAddress(Spooler& spooler, std::string_view printerName, std::string& address) {
    const std::optional<SpoolerPrinter> printer = spooler.GetPrinter(printerName);
    if (!printer || printer->ServerName.empty())
        return false;
    const std::string xcvName = printer->ServerName + "\\,XcvPort " + printer->PortName;
    std::optional<std::string> answer = spooler.XcvData(xcvName, "IPAddress");
    if (!answer || answer->empty())
        return false;
    address = std::move(*answer);
    return true;
}

static std::optional<std::string> AddressFromPort(const PrinterServices& services,
                                                  std::string_view printerName,
                                                  const std::string& keyPath) {
    const Registry& registry = services.SystemRegistry;
    const std::optional<std::string> port =
        registry.QueryValue(Hive::LocalMachine, keyPath, "Port");
    if (!port || port->starts_with("LPT") || port->starts_with("USB"))
        return std::nullopt;

    if (port->starts_with("http://") && port->find(".printer") == std::string::npos) {
        std::string host = HttpPortHost(*port);
        if (!host.empty())
            return host;
    }

    const std::string base = PrintBase(keyPath);
    const std::string tcpKey = base + "\\Monitors\\Standard TCP/IP Port\\Ports\\" + *port;
    if (auto address = NonEmptyValue(registry, tcpKey, "IPAddress"))
        return address;
    if (auto host = NonEmptyValue(registry, tcpKey, "HostName"))
        return host;
    const std::string lprKey = base + "\\Monitors\\LPR Port\\Ports\\" + *port;
    if (auto server = NonEmptyValue(registry, lprKey, "server name"))
        return server;

    const std::string driverData = keyPath + "\\PrinterDriverData";
    if (!registry.KeyExists(Hive::LocalMachine, driverData))
        return std::nullopt;
    if (std::optional<std::string> ip =
            registry.QueryValue(Hive::LocalMachine, driverData, "QDRN_IP"))
        return ip->empty() ? std::nullopt : ip;
    std::string address;
    if (XcvQueryAddress(services.PrintSpooler, printerName, address))
        return address;
    return std::nullopt;
}

bool ResolvePrinterAddress(const PrinterServices& services, std::string_view printerName,
                           std::string& address, bool resolveNames) {
    std::optional<std::string> found;
    std::string keyPath;
    if (FindPrinterKey(services.SystemRegistry, services.ModulePath, printerName, keyPath)) {
        found = AddressFromPort(services, printerName, keyPath);
    } else {
        std::string answer;
        if (XcvQueryAddress(services.PrintSpooler, printerName, answer))
            found = std::move(answer);
    }
    if (!found)
        return false;
    const std::string text = WithoutBrackets(*found);
    address = resolveNames ? ResolveHostAddress(text) : text;
    return true;
}

void GetUsbPortName(const PrinterServices& services, std::string_view printerName,
                    std::string& port) {
    std::string keyPath;
    if (!FindPrinterKey(services.SystemRegistry, services.ModulePath, printerName, keyPath))
        return;
    std::optional<std::string> value =
        services.SystemRegistry.QueryValue(Hive::LocalMachine, keyPath, "Port");
    if (value && value->starts_with("USB"))
        port = std::move(*value);
}

std::string ResolveHostAddress(std::string_view address) {
    const std::string text(address);
    if (text.empty() || text.find(':') != std::string::npos)
        return text;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* result = nullptr;
    if (getaddrinfo(text.c_str(), nullptr, &hints, &result) != 0 || !result)
        return text;
    std::unique_ptr<addrinfo, AddrInfoFree> owner(result);
    char dotted[INET_ADDRSTRLEN] = {};
    const auto* ipv4 = reinterpret_cast<const sockaddr_in*>(result->ai_addr);
    if (!inet_ntop(AF_INET, &ipv4->sin_addr, dotted, sizeof(dotted)))
        return text;
    return dotted;
}

std::string PrinterWebUrlFor(std::string_view address, int port) {
    const std::string portText = port == 80 ? "" : ":" + std::to_string(port);
    if (address.find(':') == std::string_view::npos)
        return "http://" + std::string(address) + portText + "/";
    std::string host;
    for (char c : address)
        host += c == '%' ? std::string("%25") : std::string(1, c);
    return "http://[" + host + "]" + portText + "/";
}

} // namespace kaldo
