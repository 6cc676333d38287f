#pragma once

#include "platform/messagebox/MessageBox.h"
#include "setup/ui/SetupWindow.h"

#include <string>

class QPlainTextEdit;
class QPushButton;

namespace kaldo {

class SetupSupport;

// The first page: what will be installed, Exit or Continue. Ends with 1 to go on, 0 when the
// user left (after confirming).
class WelcomeWindow final : public SetupWindow {
public:
    WelcomeWindow(SetupSupport& setup, WindowKit& kit, const QPixmap& banner,
                  const std::string& modelName, MessageBoxFunction ask, QWidget* parent = nullptr);

    QPlainTextEdit* Text() const { return m_text; }
    QPushButton* ExitButton() const { return m_exit; }
    QPushButton* ContinueButton() const { return m_continue; }
    PictureControl* Banner() const { return m_banner; }

    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Asks whether to cancel; true when the user confirmed and the window closed.
    bool ConfirmCancel();

    SetupSupport& m_setup;
    MessageBoxFunction m_ask;
    PictureControl* m_banner;
    QPlainTextEdit* m_text;
    QPushButton* m_exit;
    QPushButton* m_continue;
    bool m_leaving = false;
};

} // namespace kaldo
