#pragma once

#include "setup/ProgressStepper.h"
#include "setup/ui/SetupWindow.h"

#include <QTimer>

#include <string>

class QLabel;
class QProgressBar;

namespace kaldo {

// Shown while the installation runs: a message and a bar that shows activity. It has no
// close button and ignores attempts to close it; only Finish ends it.
class ProgressWindow final : public SetupWindow {
public:
    ProgressWindow(WindowKit& kit, const std::string& caption, const std::string& message,
                   QWidget* parent = nullptr);

    // Advances the bar by one tick, as the timer does.
    void Tick();
    // Stops the timer and closes the window.
    void Finish();

    QLabel* Message() const { return m_message; }
    QProgressBar* Bar() const { return m_bar; }
    ProgressState State() const { return m_state; }
    bool Ticking() const { return m_timer.isActive(); }

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override {}

private:
    QLabel* m_message;
    QProgressBar* m_bar;
    QTimer m_timer;
    ProgressState m_state;
    bool m_finishing = false;
};

} // namespace kaldo
