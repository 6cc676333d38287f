#pragma once

#include "main/dialogs/DialogPrompts.h"
#include "main/dialogs/PrintSettingsDialog.h"
#include "main/launchers/CupsDriverFiles.h"
#include "main/launchers/CupsDriverSettings.h"
#include "main/launchers/Launchers.h"
#include "main/launchers/XdgShell.h"

#include <functional>

class QWidget;

namespace kaldo {

// The launchers of the main program with their Linux services: the desktop through the xdg
// tools, the driver's files and settings through CUPS, and the program's dialogs.
class AppLaunchers final {
public:
    AppLaunchers(QWidget* window, const PrinterSelection& printer, const ModelFolders& folders,
                 std::function<bool()> checkWeb);

    Launchers& Get() { return m_launchers; }

private:
    XdgShell m_shell;
    DialogPrompts m_prompts;
    CupsDriverFiles m_driverFiles;
    CupsDriverSettings m_settingsStore;
    PrintSettingsDialog m_settingsDialog;
    Launchers m_launchers;
};

} // namespace kaldo
