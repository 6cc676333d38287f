#pragma once

#include "platform/messagebox/MessageBox.h"
#include "setup/InstallerStrings.h"

namespace kaldo {

class SetupSupport;

// A message box of the installer: caption and text from its string table, and its own Yes and
// No texts.
MessageRequest InstallerMessage(const SetupSupport& setup, InstallerString captionId,
                                InstallerString textId, MessageIcon icon,
                                MessageButtons buttons = MessageButtons::Ok);

} // namespace kaldo
