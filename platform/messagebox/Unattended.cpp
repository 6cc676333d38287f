#include "platform/messagebox/Unattended.h"

#include <QDialog>
#include <QTimer>

#include <atomic>
#include <iostream>

namespace kaldo {

namespace {

std::atomic<bool> s_unattended{false};

} // namespace

void SetUnattended(bool unattended) {
    s_unattended.store(unattended);
}

bool RunsUnattended() {
    return s_unattended.load();
}

int RunModal(QDialog& dialog, std::string_view description, std::chrono::milliseconds limit,
             std::function<void()> close) {
    // A screen reader names the dialog by its title.
    if (dialog.accessibleName().isEmpty())
        dialog.setAccessibleName(dialog.windowTitle());
    if (RunsUnattended()) {
        std::cerr << "dialog: " << description << std::endl;
        if (!close)
            close = [&dialog] {
                dialog.reject();
            };
        QTimer::singleShot(limit, &dialog, std::move(close));
    }
    return dialog.exec();
}

} // namespace kaldo
