#pragma once

#include "platform/registry/IniRegistry.h"
#include "setup/InstallSteps.h"
#include "setup/InstallerStrings.h"
#include "setupsupport/FileTree.h"
#include "setupsupport/InstallLayout.h"
#include "setupsupport/LinuxSetupSupport.h"
#include "tests/setup/InstallerTestDistribution.h"
#include "uninstall/UninstallerStrings.h"

#include <filesystem>

namespace kaldo::testsupport {

// A machine on which the installer has installed Kaldo Tendwell with three content folders,
// both shortcuts and the registry entries.
class InstalledMachine {
protected:
    InstalledMachine() {
        WriteBytes(m_dist + "/Data/presslane_7000/toolboxinfo.xml", "<ToolboxInfo/>");
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
        return m_machine.CommonPrograms() + "/kaldo-tendwell.desktop";
    }
    std::string UninstallerMenuEntry() const {
        return m_machine.CommonPrograms() + "/kaldo-tendwell-uninstall.desktop";
    }
    std::string SubmenuDirectory() const {
        return m_machine.Path("root/usr/local/share/desktop-directories/kaldo-presslane.directory");
    }
    std::string SubmenuMenu() const {
        return m_machine.Path("root/etc/xdg/menus/applications-merged/kaldo-presslane.menu");
    }
    std::string ThemeIcon() const {
        return m_machine.Path("root/usr/local/share/icons/hicolor/48x48/apps/kaldo-tendwell.png");
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

// Setup support whose tree deletion cannot delete one file, as a file in use or on a read-only
// mount would stay.
class SetupKeepingFile : public LinuxSetupSupport {
public:
    SetupKeepingFile(const Registry& registry, std::string stubborn)
        : LinuxSetupSupport(kUninstallerStringTables, registry, "en_US.UTF-8")
        , m_stubborn(std::move(stubborn)) {}

    int deleteTree(const std::string& folder, const std::string& pattern) override {
        DeleteTree(folder, pattern, m_stubborn);
        return 0;
    }

private:
    std::string m_stubborn;
};

} // namespace kaldo::testsupport
