#include "main/dialogs/ErrorBox.h"

#include "main/dialogs/Unattended.h"
#include "main/launchers/ErrorTexts.h"
#include "main/shell/ToolboxConfig.h"

#include <QMessageBox>

namespace kaldo {

std::unique_ptr<QMessageBox> MakeErrorBox(QWidget* owner, const ToolboxConfig& config,
                                          ErrorNumber number) {
    return std::make_unique<QMessageBox>(
        QMessageBox::Critical, QString::fromStdString(config.Error_DialogTitle_L10N()),
        QString::fromStdString(ErrorText(config, number)), QMessageBox::Ok, owner);
}

void ShowErrorBox(QWidget* owner, const ToolboxConfig& config, ErrorNumber number) {
    const std::unique_ptr<QMessageBox> box = MakeErrorBox(owner, config, number);
    RunModal(*box, "error: " + config.Error_DialogTitle_L10N() + ": " + ErrorText(config, number));
}

} // namespace kaldo
