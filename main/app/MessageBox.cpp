#include "main/app/MessageBox.h"

#include <QTimer>

#include <iostream>

namespace kaldo {

namespace {

constexpr int kUnattendedCloseMs = 3000;

} // namespace

bool RunsUnattended() {
    return !qEnvironmentVariableIsEmpty("KALDO_EXIT_WHEN_READY");
}

void ShowMessageBox(QWidget* owner, const std::string& caption, const std::string& text,
                    QMessageBox::Icon icon) {
    QMessageBox box(icon, QString::fromStdString(caption), QString::fromStdString(text),
                    QMessageBox::Ok, owner);
    if (RunsUnattended()) {
        std::cerr << "message: " << caption << ": " << text << std::endl;
        QTimer::singleShot(kUnattendedCloseMs, &box, &QMessageBox::accept);
    }
    box.exec();
}

} // namespace kaldo
