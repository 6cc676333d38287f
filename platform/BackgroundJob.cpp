#include "platform/BackgroundJob.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

namespace kaldo {

namespace {

QEvent::Type ReportEventType() {
    static const auto type = QEvent::Type(QEvent::registerEventType());
    return type;
}

} // namespace

// Lives on the thread that made the job and hands the report event to it.
class BackgroundJob::Receiver final : public QObject {
public:
    explicit Receiver(BackgroundJob& job)
        : m_job(job) {}

    bool event(QEvent* event) override {
        if (event->type() != ReportEventType())
            return QObject::event(event);
        // May destroy the job and with it this receiver: nothing of it is used afterwards.
        m_job.Deliver();
        return true;
    }

private:
    BackgroundJob& m_job;
};

BackgroundJob::BackgroundJob(Work work, Report report)
    : m_report(std::move(report))
    , m_receiver(m_report ? std::make_unique<Receiver>(*this) : nullptr)
    // Made here rather than on the job's thread, which only hands it over: the race detector
    // cannot follow a hand-off inside Qt's event queue, but sees the thread end before the
    // report reads anything.
    , m_reportEvent(m_report ? std::make_unique<QEvent>(ReportEventType()) : nullptr)
    , m_thread([this, work = std::move(work)](std::stop_token abort) {
        if (work)
            work(abort);
        m_finished.store(true, std::memory_order_release);
        if (m_reportEvent && !abort.stop_requested())
            QCoreApplication::postEvent(m_receiver.get(), m_reportEvent.release());
    }) {}

BackgroundJob::~BackgroundJob() {
    Abort();
    Wait();
}

void BackgroundJob::Abort() {
    m_thread.request_stop();
}

void BackgroundJob::Wait() {
    if (m_thread.joinable())
        m_thread.join();
}

void BackgroundJob::Deliver() {
    // The thread has posted as its last step; joining it orders everything the work wrote
    // before whatever the report reads.
    Wait();
    if (Aborted() || !m_report)
        return;
    // Moved out first: the report may destroy this job.
    Report report = std::move(m_report);
    report();
}

} // namespace kaldo
