#pragma once

#include "main/launchers/Background.h"
#include "platform/BackgroundJob.h"

#include <QPointer>

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

class QObject;
class QWidget;

namespace kaldo {

class DownloadProgressDialog;

// How long a wait shows only the busy cursor before the progress dialog offers Cancel.
inline constexpr std::chrono::milliseconds kBusyDialogDelay{400};

// Background work the user is waiting for: the busy cursor while it runs, and after
// kBusyDialogDelay the progress dialog over `owner`, whose Cancel drops the wait. Dropped work
// still runs to its end, off the main thread; the destructor waits for it.
class BusyWaits final : public Background {
public:
    explicit BusyWaits(QWidget* owner);
    ~BusyWaits() override;
    BusyWaits(const BusyWaits&) = delete;
    BusyWaits& operator=(const BusyWaits&) = delete;

    void Run(std::function<void()> work, std::function<void()> done) override;
    // Drops every wait: no action follows, the cursor and the dialogs go.
    void CancelAll();

    // The dialog of the wait that shows one, else null.
    DownloadProgressDialog* ShownDialog() const;
    // Whether no work runs any more, dropped work included.
    bool Idle();

private:
    using Ticket = std::uint64_t;

    struct Wait {
        std::unique_ptr<BackgroundJob> Job;
        QPointer<DownloadProgressDialog> Dialog;
    };

    void ShowDialog(Ticket ticket);
    // Ends the wait; its work, if still running, is dropped: no action follows it.
    void End(Ticket ticket);
    void ForgetFinishedWork();

    QWidget* m_owner;
    Ticket m_next = 1;
    std::map<Ticket, Wait> m_waits;
    std::vector<std::unique_ptr<BackgroundJob>> m_dropped;
    // The context of the dialogs' delay timers, so that none fires into a destroyed object.
    std::unique_ptr<QObject> m_timers;
};

} // namespace kaldo
