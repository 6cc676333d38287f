#pragma once

#include "main/launchers/Background.h"
#include "main/launchers/WorkerThreads.h"

#include <QPointer>

#include <chrono>
#include <functional>
#include <map>
#include <memory>

class QObject;
class QWidget;

namespace kaldo {

class DownloadProgressDialog;

// How long a wait shows only the busy cursor before the progress dialog offers Cancel.
inline constexpr std::chrono::milliseconds kBusyDialogDelay{400};

// Background work the user is waiting for: the busy cursor while it runs, and after
// kBusyDialogDelay the progress dialog over `owner`, whose Cancel drops the wait.
class BusyWaits final : public Background {
public:
    BusyWaits(QWidget* owner, WorkerThreads& threads);
    ~BusyWaits() override;
    BusyWaits(const BusyWaits&) = delete;
    BusyWaits& operator=(const BusyWaits&) = delete;

    void Run(std::function<void()> work, std::function<void()> done) override;
    // Drops every wait: no action follows, the cursor and the dialogs go.
    void CancelAll();

    // The dialog of the wait that shows one, else null.
    DownloadProgressDialog* ShownDialog() const;

private:
    struct Wait {
        QPointer<DownloadProgressDialog> dialog;
    };

    void ShowDialog(WorkerThreads::Ticket ticket);
    void End(WorkerThreads::Ticket ticket);

    QWidget* m_owner;
    WorkerThreads& m_threads;
    std::map<WorkerThreads::Ticket, Wait> m_waits;
    // The context of the dialogs' delay timers, so that none fires into a destroyed object.
    std::unique_ptr<QObject> m_timers;
};

} // namespace kaldo
