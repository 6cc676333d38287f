#pragma once

#include "main/launchers/ErrorTexts.h"

#include <memory>

class QMessageBox;
class QWidget;

namespace kaldo {

class ToolboxConfig;

// The error box for error `number` (0-7; a higher number shows an empty text), titled
// Error_DialogTitle_L10N, with the error icon and an OK button.
std::unique_ptr<QMessageBox> MakeErrorBox(QWidget* owner, const ToolboxConfig& config,
                                          ErrorNumber number);

// Shows it modally; returns when the user has closed it.
void ShowErrorBox(QWidget* owner, const ToolboxConfig& config, ErrorNumber number);

} // namespace kaldo
