#include "main/app/MessageBox.h"

#include "main/dialogs/Unattended.h"

namespace kaldo {

void ShowMessageBox(QWidget* owner, const std::string& caption, const std::string& text,
                    QMessageBox::Icon icon) {
    QMessageBox box(icon, QString::fromStdString(caption), QString::fromStdString(text),
                    QMessageBox::Ok, owner);
    RunModal(box, caption + ": " + text);
}

} // namespace kaldo
