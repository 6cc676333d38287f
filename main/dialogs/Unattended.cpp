#include "main/dialogs/Unattended.h"

#include <QDialog>
#include <QTimer>

#include <iostream>

namespace kaldo {

bool RunsUnattended() {
    return !qEnvironmentVariableIsEmpty("KALDO_EXIT_WHEN_READY");
}

int RunModal(QDialog& dialog, std::string_view description, std::chrono::milliseconds limit) {
    // A screen reader names the dialog by its title.
    if (dialog.accessibleName().isEmpty())
        dialog.setAccessibleName(dialog.windowTitle());
    if (RunsUnattended()) {
        std::cerr << "dialog: " << description << std::endl;
        QTimer::singleShot(limit, &dialog, &QDialog::reject);
    }
    return dialog.exec();
}

} // namespace kaldo
