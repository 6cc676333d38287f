#pragma once

#include "tests/support/TempFolder.h"
#include "tests/support/TestFiles.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

namespace kaldo::testsupport {

// A machine of its own for setup tests: KALDO_ROOT, HOME and the XDG folders all point into
// one fresh temporary folder.
class SetupTestMachine {
public:
    SetupTestMachine() { std::filesystem::create_directories(Home()); }

    const std::string& Root() const { return m_root.Path(); }
    std::string Home() const { return m_root / "home"; }
    std::string Path(const std::string& relative) const { return m_root / relative; }

    std::string ProgramFolder() const { return m_root / "root/opt/Kaldo/Tendwell"; }
    std::string CommonPrograms() const { return m_root / "root/usr/local/share/applications"; }
    std::string UserPrograms() const { return m_root / "home/data/applications"; }
    std::string Desktop() const { return m_root / "home/Desktop"; }
    std::string MachineRegistry() const { return m_root / "root/etc/kaldo/registry.ini"; }
    std::string UserRegistry() const { return m_root / "home/config/kaldo/registry.ini"; }

private:
    TempFolder m_root;
    ScopedEnv m_kaldoRoot{"KALDO_ROOT", (m_root / "root").c_str()};
    ScopedEnv m_home{"HOME", (m_root / "home").c_str()};
    ScopedEnv m_data{"XDG_DATA_HOME", (m_root / "home/data").c_str()};
    ScopedEnv m_config{"XDG_CONFIG_HOME", (m_root / "home/config").c_str()};
    ScopedEnv m_desktop{"XDG_DESKTOP_DIR", nullptr};
};

// Writes a file, making its folders.
// Moves a file's write time by `offset` from now, so that tests state which file is newer.
inline void SetAge(const std::string& path, std::chrono::seconds offset) {
    std::filesystem::last_write_time(path, std::filesystem::file_time_type::clock::now() + offset);
}

} // namespace kaldo::testsupport
