#include "main/dialogs/BusyWaits.h"

#include "main/dialogs/DownloadProgressDialog.h"

#include <QApplication>
#include <QTimer>

namespace kaldo {

BusyWaits::BusyWaits(QWidget* owner, WorkerThreads& threads)
    : m_owner(owner)
    , m_threads(threads)
    , m_timers(std::make_unique<QObject>()) {}

BusyWaits::~BusyWaits() {
    CancelAll();
}

void BusyWaits::Run(std::function<void()> work, std::function<void()> done) {
    auto ticket = std::make_shared<WorkerThreads::Ticket>();
    *ticket = m_threads.Run(std::move(work), [this, ticket, done = std::move(done)] {
        End(*ticket);
        if (done)
            done();
    });
    m_waits[*ticket] = {};
    QApplication::setOverrideCursor(Qt::BusyCursor);
    QTimer::singleShot(kBusyDialogDelay, m_timers.get(),
                       [this, ticket = *ticket] { ShowDialog(ticket); });
}

void BusyWaits::ShowDialog(WorkerThreads::Ticket ticket) {
    const auto wait = m_waits.find(ticket);
    if (wait == m_waits.end())
        return;
    auto* dialog = new DownloadProgressDialog(m_owner);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(dialog, &QDialog::rejected, dialog, [this, ticket] {
        m_threads.Cancel(ticket);
        End(ticket);
    });
    wait->second.dialog = dialog;
    // Window-modal: the window keeps painting, but takes no second click meanwhile.
    dialog->open();
}

void BusyWaits::End(WorkerThreads::Ticket ticket) {
    const auto wait = m_waits.find(ticket);
    if (wait == m_waits.end())
        return;
    QPointer<DownloadProgressDialog> dialog = wait->second.dialog;
    m_waits.erase(wait);
    QApplication::restoreOverrideCursor();
    if (dialog) {
        // Closing rejects the dialog; that is no cancel any more.
        QObject::disconnect(dialog, &QDialog::rejected, nullptr, nullptr);
        dialog->close();
    }
}

void BusyWaits::CancelAll() {
    while (!m_waits.empty()) {
        const WorkerThreads::Ticket ticket = m_waits.begin()->first;
        m_threads.Cancel(ticket);
        End(ticket);
    }
}

DownloadProgressDialog* BusyWaits::ShownDialog() const {
    for (const auto& [ticket, wait] : m_waits) {
        if (wait.dialog)
            return wait.dialog;
    }
    return nullptr;
}

} // namespace kaldo
