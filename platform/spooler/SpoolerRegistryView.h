#pragma once

#include "platform/registry/Registry.h"
#include "platform/spooler/Spooler.h"

namespace kaldo {

// The registry with its print subtree (kPrintKey below HKEY_LOCAL_MACHINE) taken live from
// the spooler, as Windows keeps it:
//   Printers\<name, "\" as ",">                  Name, Port, Printer Driver
//   Printers\<name>\PrinterDriverData            (no values)
//   Monitors\Standard TCP/IP Port\Ports\<port>   HostName, IPAddress, PortNumber
//   Monitors\LPR Port\Ports\<port>               server name, printer name
// The subtree is read-only; everything else goes to the inner registry.
class SpoolerRegistryView final : public ForwardingRegistry {
public:
    static constexpr std::string_view kPrintKey = "System\\CurrentControlSet\\Control\\Print";

    SpoolerRegistryView(Registry& inner, Spooler& spooler);

    bool CreateKey(Hive hive, std::string_view key) override;
    bool KeyExists(Hive hive, std::string_view key) const override;
    std::optional<std::string> QueryValue(Hive hive, std::string_view key,
                                          std::string_view name) const override;
    bool SetValue(Hive hive, std::string_view key, std::string_view name,
                  std::string_view value) override;
    bool DeleteValue(Hive hive, std::string_view key, std::string_view name) override;
    bool DeleteTree(Hive hive, std::string_view key) override;
    std::vector<std::string> SubKeys(Hive hive, std::string_view key) const override;
    std::vector<std::string> ValueNames(Hive hive, std::string_view key) const override;

private:
    struct ViewKey {
        std::vector<std::pair<std::string, std::string>> Values;
        std::vector<std::string> SubKeys;
    };
    static bool InView(Hive hive, std::string_view key);
    std::optional<ViewKey> Lookup(std::string_view key) const;

    Spooler& m_spooler;
};

} // namespace kaldo
