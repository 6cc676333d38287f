#include "setup/ui/InstallerMessages.h"

#include "setup/InstallerStrings.h"
#include "setupsupport/SetupSupport.h"

namespace kaldo {

MessageRequest InstallerMessage(const SetupSupport& setup, InstallerString captionId,
                                InstallerString textId, MessageIcon icon, MessageButtons buttons) {
    MessageRequest request;
    request.Caption = InstallerText(setup, captionId);
    request.Text = InstallerText(setup, textId);
    request.Icon = icon;
    request.Buttons = buttons;
    if (buttons != MessageButtons::Ok) {
        request.YesText = InstallerText(setup, InstallerString::Yes);
        request.NoText = InstallerText(setup, InstallerString::No);
    }
    return request;
}

} // namespace kaldo
