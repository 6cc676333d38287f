#pragma once

#include "main/appcore/AppHooks.h"
#include "main/dialogs/BusyWaits.h"
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
// tools, the driver's files and settings through CUPS, and the program's dialogs. Questions
// that wait on the network or the desktop run on its worker threads.
class AppLaunchers final : public LauncherSet {
public:
    // `checkWeb` is asked on worker threads; `webAnswered` hears its answers on the main thread.
    // Documents and videos are fetched with `downloads`.
    AppLaunchers(QWidget* window, const PrinterSelection& printer, const ModelFolders& folders,
                 std::function<bool()> checkWeb, std::function<void(bool up)> webAnswered,
                 const DownloadOptions& downloads);

    Launchers& Get() override { return m_launchers; }
    void CancelWaits() override;

private:
    XdgShell m_shell;
    DialogPrompts m_prompts;
    CupsDriverFiles m_driverFiles;
    CupsDriverSettings m_settingsStore;
    PrintSettingsDialog m_settingsDialog;
    Launchers m_launchers;
    // Last, so that its work has ended before the services it uses go.
    BusyWaits m_waits;
};

} // namespace kaldo
