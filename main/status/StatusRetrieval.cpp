#include "main/status/StatusRetrieval.h"

#include "main/status/StatusDocumentCheck.h"
#include "platform/AtomicFile.h"
#include "platform/BackgroundJob.h"
#include "platform/Trace.h"

#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace kaldo {

namespace fs = std::filesystem;

struct StatusRetrieval::Job {
    int Generation = 0;
    StatusRequest Request;
    std::unique_ptr<StatusSource> Source; // aborted through the job, used by its work
    bool Written = false;                 // the work's result, read by its report
    // Last: ends before what it uses goes.
    std::unique_ptr<BackgroundJob> Work;
};

namespace {

void RemoveFile(const std::string& path) {
    std::error_code error;
    fs::remove(path, error);
}

// Waits `delay`, or less when `abort` comes first.
void Pause(std::stop_token abort, std::chrono::milliseconds delay) {
    std::mutex mutex;
    std::condition_variable_any never;
    std::unique_lock lock(mutex);
    never.wait_for(lock, abort, delay, [] { return false; });
}

} // namespace

std::string StatusUrl(const std::string& printerWebUrl, const std::string& statusPage,
                      const std::string& language) {
    return printerWebUrl + statusPage + language;
}

StatusRetrieval::StatusRetrieval(Report report, StatusSourceFactory sources,
                                 std::chrono::milliseconds reportDelay)
    : m_report(std::move(report))
    , m_sources(std::move(sources))
    , m_reportDelay(reportDelay) {}

StatusRetrieval::~StatusRetrieval() {
    Cancel();
    // Each job's destruction waits for its work.
    m_retired.clear();
}

int StatusRetrieval::Start(StatusRequest request) {
    auto job = std::make_unique<Job>();
    job->Request = std::move(request);
    job->Source = m_sources ? m_sources(job->Request) : nullptr;
    {
        std::lock_guard lock(m_mutex);
        job->Generation = m_generation.load() + 1;
        m_generation.store(job->Generation);
    }
    Retire();
    ForgetFinishedJobs();

    Job& started = *job;
    m_current = std::move(job);
    started.Work = std::make_unique<BackgroundJob>(
        [this, &started](std::stop_token abort) { Run(started, abort); },
        [this, &started] { Deliver(started); });
    return started.Generation;
}

void StatusRetrieval::Cancel() {
    {
        std::lock_guard lock(m_mutex);
        m_generation.store(m_generation.load() + 1);
    }
    Retire();
    ForgetFinishedJobs();
}

void StatusRetrieval::Retire() {
    if (!m_current)
        return;
    m_current->Work->Abort();
    m_retired.push_back(std::move(m_current));
}

void StatusRetrieval::ForgetFinishedJobs() {
    std::erase_if(m_retired, [](const auto& job) { return job->Work->Finished(); });
}

void StatusRetrieval::Deliver(const Job& job) {
    // The report may start the next retrieval, which drops this job: nothing of it is read
    // after the call.
    if (m_report && IsCurrent(job.Generation))
        m_report(job.Generation, job.Written);
}

void StatusRetrieval::Run(Job& job, std::stop_token abort) {
    const StatusRequest& request = job.Request;
    Trace("RetrieveStatus for: ");
    Trace(request.Source);
    Trace("\nTo: ");
    Trace(request.Destination);
    Trace("\n");
    std::stop_callback abortSource(abort, [&job] {
        if (job.Source)
            job.Source->Abort();
    });

    // The document is fetched under a name of its own and takes the destination's place only
    // while this retrieval is still the current one.
    AtomicFile document(request.Destination);
    const bool fetched =
        document.Open() && job.Source && job.Source->Retrieve(document.TemporaryPath());
    if (fetched)
        FetchIcon(job, document.TemporaryPath());

    bool written = false;
    {
        std::lock_guard lock(m_mutex);
        if (IsCurrent(job.Generation)) {
            if (fetched)
                written = document.Commit();
            else
                RemoveFile(request.Destination); // no stale document outlives a failed retrieval
        }
    }
    document.Discard();
    Trace("Thread returned: " + std::to_string(written ? 1 : 0) + "\n");
    job.Written = written;
    Pause(abort, m_reportDelay);
}

// The icon is fetched here, with the retrieval's own connection, rather than on the main
// thread: a slow printer can neither freeze the window nor outlive an abort.
bool StatusRetrieval::FetchIcon(Job& job, const std::string& document) {
    const StatusRequest& request = job.Request;
    if (request.PrinterWebUrl.empty() || request.ImagesFolder.empty() ||
        !CheckStatusDocument(document))
        return false;
    std::string iconUrl;
    std::string localPath;
    if (!FindStatusIcon(document, request.ImagesFolder, iconUrl, localPath))
        return false;
    std::error_code error;
    fs::create_directories(fs::path(localPath).parent_path(), error);
    return job.Source->Fetch(localPath, request.PrinterWebUrl + iconUrl);
}

} // namespace kaldo
