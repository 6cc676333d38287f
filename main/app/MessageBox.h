#pragma once

#include <QMessageBox>

#include <string>

class QWidget;

namespace kaldo {

// A message box with only an OK button; unattended it closes by itself (see RunModal).
void ShowMessageBox(QWidget* owner, const std::string& caption, const std::string& text,
                    QMessageBox::Icon icon);

} // namespace kaldo
