#pragma once

#include "main/appcore/AppHooks.h"
#include "main/net/DownloadManager.h"

#include <array>

namespace kaldo {

class BrowserHost;
class MainWindow;

// What the application core asks of the main window, done with its widgets: web panes in
// their places, the program's message boxes and dialogs, the busy cursor.
class WindowHooks final {
public:
    // Documents and videos are fetched with `downloads`.
    explicit WindowHooks(MainWindow& window, DownloadOptions downloads = {})
        : m_window(window)
        , m_downloads(std::move(downloads)) {}

    // Valid while this object lives.
    AppHooks Hooks();
    // The pane made for `place`, null before; it lives as long as the core that owns it.
    BrowserHost* PaneAt(PanePlace place) const;

private:
    MainWindow& m_window;
    DownloadOptions m_downloads;
    std::array<BrowserHost*, 3> m_panes{};
};

} // namespace kaldo
