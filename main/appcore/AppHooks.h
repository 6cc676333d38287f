#pragma once

#include "main/launchers/ErrorTexts.h"
#include "main/navigation/RedirectMode.h"
#include "main/status/StatusRetrieval.h"

#include <chrono>
#include <functional>
#include <memory>
#include <string>

namespace kaldo {

class Launchers;
class NavigationDispatcher;
class Pane;
class ToolboxConfig;
struct ModelFolders;
struct PrinterSelection;

// Where a pane sits in the main window.
enum class PanePlace { Header, Body, Footer };

// The launchers with the desktop, the driver and the dialogs behind them.
class LauncherSet {
public:
    virtual ~LauncherSet() = default;

    virtual Launchers& Get() = 0;
    // No pending action runs any more; for the closing window.
    virtual void CancelWaits() = 0;
};

// What the application core asks of the window around it. The program fills these with
// widgets and web panes; tests hand in recorders. The two that create are needed for a start;
// the others are skipped when left empty.
struct AppHooks {
    // true: the wait cursor; false: the arrow again.
    std::function<void(bool waiting)> ShowWaitCursor;
    // The message that tells why the program cannot go on.
    std::function<void(const std::string& caption, const std::string& text)> ShowFatalMessage;
    // The content's error box `kind` (0-7) in the words of `config`.
    std::function<void(const ToolboxConfig& config, ErrorNumber kind)> ShowErrorBox;
    // A pane of the window at `place` whose every navigation passes `dispatcher`.
    std::function<std::unique_ptr<Pane>(PanePlace place, NavigationDispatcher& dispatcher,
                                        RedirectMode mode)>
        CreatePane;
    // `checkWeb` is asked on worker threads; `webAnswered` hears its answers on the main
    // thread.
    std::function<std::unique_ptr<LauncherSet>(
        const PrinterSelection& printer, const ModelFolders& folders,
        std::function<bool()> checkWeb, std::function<void(bool up)> webAnswered)>
        CreateLaunchers;
    // How the printer's status is read (empty: from the printer, else from its print queue),
    // and how long the worker waits before it reports.
    StatusSourceFactory StatusSources;
    std::chrono::milliseconds StatusReportDelay = kStatusReportDelay;
};

} // namespace kaldo
