#include "main/dialogs/ErrorBox.h"

#include "main/content/ToolboxConfig.h"
#include "main/launchers/ErrorTexts.h"

namespace kaldo {

MessageRequest ErrorMessage(const ToolboxConfig& config, ErrorNumber number) {
    return {.Caption = config.Error_DialogTitle_L10N(),
            .Text = ErrorText(config, number),
            .Icon = MessageIcon::Error};
}

void ShowErrorBox(QWidget* owner, const ToolboxConfig& config, ErrorNumber number) {
    ShowMessageBox(owner, ErrorMessage(config, number));
}

} // namespace kaldo
