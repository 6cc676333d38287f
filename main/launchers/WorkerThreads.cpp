#include "main/launchers/WorkerThreads.h"

#include "platform/MainThread.h"

#include <QObject>

#include <algorithm>

namespace kaldo {

WorkerThreads::WorkerThreads()
    : m_reports(std::make_unique<QObject>()) {}

WorkerThreads::~WorkerThreads() {
    // Reports the threads post meanwhile are discarded with the receiver.
    for (Job& job : m_jobs) {
        if (job.thread.joinable())
            job.thread.join();
    }
}

WorkerThreads::Ticket WorkerThreads::Run(std::function<void()> work, std::function<void()> done) {
    const Ticket ticket = m_next++;
    Job& job = m_jobs.emplace_back();
    job.id = ticket;
    job.done = std::move(done);
    QObject* reports = m_reports.get();
    job.thread = std::thread([this, reports, ticket, work = std::move(work)] {
        if (work)
            work();
        PostToMain(reports, [this, ticket] { Finish(ticket); });
    });
    return ticket;
}

void WorkerThreads::Finish(Ticket ticket) {
    const auto found = std::find_if(m_jobs.begin(), m_jobs.end(),
                                    [ticket](const Job& job) { return job.id == ticket; });
    if (found == m_jobs.end())
        return;
    found->thread.join();
    std::function<void()> done = found->cancelled ? nullptr : std::move(found->done);
    m_jobs.erase(found);
    if (done)
        done();
}

void WorkerThreads::Cancel(Ticket ticket) {
    for (Job& job : m_jobs) {
        if (job.id == ticket) {
            job.cancelled = true;
            job.done = nullptr;
        }
    }
}

void WorkerThreads::CancelAll() {
    for (Job& job : m_jobs) {
        job.cancelled = true;
        job.done = nullptr;
    }
}

bool WorkerThreads::Pending(Ticket ticket) const {
    return std::any_of(m_jobs.begin(), m_jobs.end(),
                       [ticket](const Job& job) { return job.id == ticket && !job.cancelled; });
}

} // namespace kaldo
