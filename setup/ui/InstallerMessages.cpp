#include "setup/ui/InstallerMessages.h"

#include "setup/InstallerStrings.h"
#include "setupsupport/SetupSupport.h"

namespace kaldo {

MessageRequest InstallerMessage(const SetupSupport& setup, int captionId, int textId,
                                MessageIcon icon, MessageButtons buttons) {
    MessageRequest request;
    request.Caption = setup.loadString(captionId);
    request.Text = setup.loadString(textId);
    request.Icon = icon;
    request.Buttons = buttons;
    if (buttons != MessageButtons::Ok) {
        request.YesText = setup.loadString(installer_strings::kYes);
        request.NoText = setup.loadString(installer_strings::kNo);
    }
    return request;
}

} // namespace kaldo
