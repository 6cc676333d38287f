#pragma once

#include <QMessageBox>

#include <string>

class QWidget;

namespace kaldo {

// A message box with only an OK button. When the program runs unattended
// (KALDO_EXIT_WHEN_READY is set) the message also goes to stderr and the box closes by
// itself after a few seconds, so that automation never waits on it.
void ShowMessageBox(QWidget* owner, const std::string& caption, const std::string& text,
                    QMessageBox::Icon icon);

bool RunsUnattended();

} // namespace kaldo
