#pragma once

#include "platform/registry/Registry.h"

namespace kaldo {

// The registry in two INI files, one per hive, read and written through QSettings in
// TextIniFormat.
// Every call reads the file afresh, so changes by other processes are seen. Writes are
// serialised between processes by a lock file and replace the file atomically; a file that
// is not text is read as empty and set aside as "<file>.corrupt" on the next write.
class IniRegistry final : public Registry {
public:
    IniRegistry();
    IniRegistry(std::string localMachineFile, std::string currentUserFile);

    // HKEY_LOCAL_MACHINE: MachinePath("/etc/kaldo/registry.ini"); HKEY_CURRENT_USER:
    // $XDG_CONFIG_HOME/kaldo/registry.ini, else $HOME/.config/kaldo/registry.ini.
    static std::string DefaultFile(Hive hive);
    const std::string& File(Hive hive) const;

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
    std::string m_localMachineFile;
    std::string m_currentUserFile;
};

} // namespace kaldo
