#pragma once

#include "main/app/ProgramOptions.h"

class QElapsedTimer;

namespace kaldo {

class AppContext;
class MainWindow;
class WindowHooks;

// Arms what `options` asks of the window for its start: the picture once every pane has
// loaded (and the printer's status has come in), the orderly end, or the end in the middle of
// an action. Everything given must live until the window has closed.
void AutomateStart(const AutomationOptions& options, MainWindow& window, AppContext& context,
                   const WindowHooks& hooks, const QElapsedTimer& sinceStart);

// A second start's printer has been handled.
void AutomateForwarded(const AutomationOptions& options, MainWindow& window);

} // namespace kaldo
