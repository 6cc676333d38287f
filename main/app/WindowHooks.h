#pragma once

#include "main/appcore/AppHooks.h"

#include <array>

namespace kaldo {

class BrowserHost;
class MainWindow;

// What the application core asks of the main window, done with its widgets: web panes in
// their places, the program's message boxes and dialogs, the busy cursor.
class WindowHooks final {
public:
    explicit WindowHooks(MainWindow& window)
        : m_window(window) {}

    // Valid while this object lives.
    AppHooks Hooks();
    // The pane made for `place`, null before; it lives as long as the core that owns it.
    BrowserHost* PaneAt(PanePlace place) const;

private:
    MainWindow& m_window;
    std::array<BrowserHost*, 3> m_panes{};
};

} // namespace kaldo
