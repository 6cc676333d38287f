#pragma once

#include "platform/registry/IniRegistry.h"
#include "setup/InstallSteps.h"
#include "setup/InstallerStrings.h"
#include "setupsupport/InstallLayout.h"
#include "setupsupport/LinuxSetupSupport.h"
#include "tests/setup/InstallerTestDistribution.h"
#include "uninstall/UninstallerStrings.h"

#include <filesystem>

namespace kaldo::testing {

// A machine on which the installer has installed Kaldo Tendwell with three content folders,
// both shortcuts and the registry entries.
class InstalledMachine {
protected:
    InstalledMachine() {
        WriteFile(m_dist + "/Data/presslane_7000/toolboxinfo.xml", "<ToolboxInfo/>");
        MakeDistribution(m_dist);
        LinuxSetupSupport installer(kInstallerStringTables, m_registry, "en_US.UTF-8");
        const InstallSettings settings{m_machine.Path("root/opt"), "Office Printer"};
        m_installed = RunInstall(settings, m_dist, installer, m_registry);
        m_registry.SetValue(Hive::CurrentUser, kHandOverKey, kHandOverValue, "Office Printer");
    }

    std::string Installed(const std::string& relative) const {
        return m_machine.ProgramFolder() + "/" + relative;
    }
    std::string MenuShortcut() const {
        return m_machine.CommonPrograms() + "/Kaldo Presslane/Kaldo Tendwell.desktop";
    }
    std::string DesktopShortcut() const { return m_machine.Desktop() + "/Kaldo Tendwell.desktop"; }
    bool KeyExists(std::string_view key) const {
        return m_registry.KeyExists(Hive::LocalMachine, key);
    }
    static bool Exists(const std::string& path) {
        std::error_code error;
        return std::filesystem::exists(std::filesystem::symlink_status(path, error));
    }

    SetupTestMachine m_machine;
    std::string m_dist = m_machine.Path("dist");
    IniRegistry m_registry{m_machine.MachineRegistry(), m_machine.UserRegistry()};
    InstallResult m_installed;
};

} // namespace kaldo::testing
