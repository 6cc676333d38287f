#pragma once

#include "main/launchers/ErrorTexts.h"
#include "platform/messagebox/MessageBox.h"

class QWidget;

namespace kaldo {

class ToolboxConfig;

// The message for error `number` (0-7; a higher number has an empty text), titled
// Error_DialogTitle_L10N, with the error icon and an OK button.
MessageRequest ErrorMessage(const ToolboxConfig& config, ErrorNumber number);

// Shows it modally; returns when the user has closed it.
void ShowErrorBox(QWidget* owner, const ToolboxConfig& config, ErrorNumber number);

} // namespace kaldo
