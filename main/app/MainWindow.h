#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

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
    // The panes in the order Tab goes through them; Tab past the last one's last link goes
    // round to the first pane, Shift+Tab the other way.
    void SetPaneOrder(const std::vector<QWidget*>& panes);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    std::function<void()> m_onClose;
    std::vector<QPointer<QWidget>> m_panes;
};

} // namespace kaldo
