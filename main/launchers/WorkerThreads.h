#pragma once

#include <cstdint>
#include <functional>
#include <list>
#include <memory>
#include <thread>

class QObject;

namespace kaldo {

// Threads for work that must not hold up the main thread. Each job reports back by one
// queued call to the main thread (the thread that made this object). The object owns its
// threads: a cancelled job still runs to its end, but its report is dropped, and the
// destructor joins every thread.
class WorkerThreads final {
public:
    using Ticket = std::uint64_t;

    WorkerThreads();
    ~WorkerThreads();
    WorkerThreads(const WorkerThreads&) = delete;
    WorkerThreads& operator=(const WorkerThreads&) = delete;

    // Runs `work` on a thread of its own and then `done` on the main thread.
    Ticket Run(std::function<void()> work, std::function<void()> done);
    // `done` of job `ticket` will not run.
    void Cancel(Ticket ticket);
    // No `done` of a job started so far will run.
    void CancelAll();
    // Whether job `ticket` has neither reported nor been cancelled.
    bool Pending(Ticket ticket) const;
    // Whether every job has ended and reported.
    bool Idle() const { return m_jobs.empty(); }

private:
    struct Job {
        Ticket id = 0;
        std::thread thread;
        std::function<void()> done;
        bool cancelled = false;
    };

    void Finish(Ticket ticket);

    Ticket m_next = 1;
    std::list<Job> m_jobs;
    // The receiver of the reports; it lives on the main thread and goes after the threads.
    std::unique_ptr<QObject> m_reports;
};

} // namespace kaldo
