#include "main/dialogs/BusyWaits.h"

#include "main/dialogs/DownloadProgressDialog.h"

#include <QApplication>
#include <QTimer>

namespace kaldo {

BusyWaits::BusyWaits(QWidget* owner)
    : m_owner(owner)
    , m_timers(std::make_unique<QObject>()) {}

BusyWaits::~BusyWaits() {
    CancelAll();
}

void BusyWaits::Run(std::function<void()> work, std::function<void()> done) {
    ForgetFinishedWork();
    const Ticket ticket = m_next++;
    m_waits[ticket].Job = std::make_unique<BackgroundJob>(
        [work = std::move(work)](std::stop_token) {
            if (work)
                work();
        },
        [this, ticket, done = std::move(done)] {
            End(ticket);
            if (done)
                done();
        });
    QApplication::setOverrideCursor(Qt::BusyCursor);
    QTimer::singleShot(kBusyDialogDelay, m_timers.get(), [this, ticket] { ShowDialog(ticket); });
}

void BusyWaits::ShowDialog(Ticket ticket) {
    const auto wait = m_waits.find(ticket);
    if (wait == m_waits.end())
        return;
    auto* dialog = new DownloadProgressDialog(m_owner);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(dialog, &QDialog::rejected, dialog, [this, ticket] { End(ticket); });
    wait->second.Dialog = dialog;
    // Window-modal: the window keeps painting, but takes no second click meanwhile.
    dialog->open();
}

void BusyWaits::End(Ticket ticket) {
    const auto wait = m_waits.find(ticket);
    if (wait == m_waits.end())
        return;
    QPointer<DownloadProgressDialog> dialog = wait->second.Dialog;
    wait->second.Job->Abort();
    m_dropped.push_back(std::move(wait->second.Job));
    m_waits.erase(wait);
    ForgetFinishedWork();
    QApplication::restoreOverrideCursor();
    if (dialog) {
        // Closing rejects the dialog; that is no cancel any more.
        QObject::disconnect(dialog, &QDialog::rejected, nullptr, nullptr);
        dialog->close();
    }
}

void BusyWaits::CancelAll() {
    while (!m_waits.empty())
        End(m_waits.begin()->first);
}

bool BusyWaits::Idle() {
    ForgetFinishedWork();
    return m_waits.empty() && m_dropped.empty();
}

void BusyWaits::ForgetFinishedWork() {
    std::erase_if(m_dropped, [](const auto& job) { return job->Finished(); });
}

DownloadProgressDialog* BusyWaits::ShownDialog() const {
    for (const auto& [ticket, wait] : m_waits) {
        if (wait.Dialog)
            return wait.Dialog;
    }
    return nullptr;
}

} // namespace kaldo
