#pragma once

#include <QWidget>

#include <functional>
#include <string>

class QWebEngineView;

namespace kaldo {

// The fixed-size main window: 780 by 665 pixels (or the screen's available height when that
// is smaller), no resizing and no maximising. The panes are its children.
class MainWindow final : public QWidget {
public:
    static constexpr int kWidth = 780;
    static constexpr int kHeight = 665;

    MainWindow();

    // Runs once every pane given here has finished its first load.
    void WhenPanesLoaded(const std::vector<QWebEngineView*>& panes, std::function<void()> ready);
    // Called when the window is closed, before the panes go.
    void OnClose(std::function<void()> handler) { m_onClose = std::move(handler); }
    // Brings the window to the front, as for a second start.
    void Raise();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    std::function<void()> m_onClose;
};

} // namespace kaldo
