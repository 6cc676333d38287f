#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <stop_token>
#include <thread>

class QEvent;

namespace kaldo {

// Work that must not hold up the thread that starts it, on a thread of its own. The work
// polls its abort token (or hangs a std::stop_callback on it to break off a transfer). Once
// the work has returned, `report` runs on the thread that made the job, from its event loop,
// unless the job was aborted or destroyed first. Destruction aborts and waits for the thread.
//
// Made, aborted and destroyed on one thread (the main thread wherever there is a report). The
// report may destroy the job.
class BackgroundJob final {
public:
    using Work = std::function<void(std::stop_token abort)>;
    using Report = std::function<void()>;

    explicit BackgroundJob(Work work, Report report = {});
    ~BackgroundJob();
    BackgroundJob(const BackgroundJob&) = delete;
    BackgroundJob& operator=(const BackgroundJob&) = delete;

    // Asks the work to stop; the report will not run. The thread may still be running.
    void Abort();
    bool Aborted() const { return m_thread.get_stop_token().stop_requested(); }
    // Any thread: whether the work has returned.
    bool Finished() const { return m_finished.load(std::memory_order_acquire); }
    // Waits for the work to return, without aborting it.
    void Wait();

private:
    class Receiver;

    void Deliver();

    Report m_report;
    std::atomic<bool> m_finished{false};
    // Receives the report event; with it goes an event not delivered yet.
    std::unique_ptr<Receiver> m_receiver;
    // Until the thread posts it.
    std::unique_ptr<QEvent> m_reportEvent;
    // Last: joined before the rest goes.
    std::jthread m_thread;
};

} // namespace kaldo
