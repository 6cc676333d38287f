#include "main/status/StatusRetrieval.h"

#include "main/status/StatusDocumentCheck.h"
#include "platform/AtomicFile.h"
#include "platform/Trace.h"

#include <cstdio>
#include <filesystem>
#include <system_error>
#include <thread>
#include <unistd.h>

namespace kaldo {

namespace fs = std::filesystem;

struct StatusRetrieval::Job {
    int generation = 0;
    StatusRequest request;
    std::unique_ptr<StatusSource> source; // aborted by the owner, used by the worker
    std::atomic<bool> finished{false};
    std::thread thread;
};

namespace {

void RemoveFile(const std::string& path) {
    std::error_code error;
    fs::remove(path, error);
}

} // namespace

std::string StatusUrl(const std::string& printerWebUrl, const std::string& statusPage,
                      const std::string& language) {
    return printerWebUrl + statusPage + language;
}

StatusRequest MakeStatusRequest(bool printerIsNetworked, const std::string& portName,
                                const std::string& printerWebUrl, const std::string& statusPage,
                                const std::string& language, const std::string& destination,
                                const std::string& imagesFolder) {
    StatusRequest request;
    request.useUsb = !printerIsNetworked;
    request.destination = destination;
    if (request.useUsb) {
        request.source = portName;
        request.language = language;
    } else {
        request.source = StatusUrl(printerWebUrl, statusPage, language);
        request.printerWebUrl = printerWebUrl;
        request.imagesFolder = imagesFolder;
    }
    return request;
}

StatusRetrieval::StatusRetrieval(Report report, StatusSourceFactory sources,
                                 std::chrono::milliseconds reportDelay)
    : m_report(std::move(report))
    , m_sources(std::move(sources))
    , m_reportDelay(reportDelay) {}

StatusRetrieval::~StatusRetrieval() {
    Cancel();
    JoinFinished(true);
}

int StatusRetrieval::Start(StatusRequest request) {
    auto job = std::make_unique<Job>();
    job->request = std::move(request);
    job->source = m_sources ? m_sources(job->request) : nullptr;
    {
        std::lock_guard lock(m_mutex);
        job->generation = m_generation.load() + 1;
        m_generation.store(job->generation);
    }
    m_cancelled.notify_all();
    Retire();
    JoinFinished(false);

    Job& started = *job;
    m_current = std::move(job);
    started.thread = std::thread([this, &started] { Run(started); });
    return started.generation;
}

void StatusRetrieval::Cancel() {
    {
        std::lock_guard lock(m_mutex);
        m_generation.store(m_generation.load() + 1);
    }
    m_cancelled.notify_all();
    Retire();
    JoinFinished(false);
}

void StatusRetrieval::Retire() {
    if (!m_current)
        return;
    if (m_current->source)
        m_current->source->Abort();
    m_retired.push_back(std::move(m_current));
}

void StatusRetrieval::JoinFinished(bool wait) {
    for (auto it = m_retired.begin(); it != m_retired.end();) {
        if (wait || (*it)->finished.load()) {
            if ((*it)->thread.joinable())
                (*it)->thread.join();
            it = m_retired.erase(it);
        } else {
            ++it;
        }
    }
}

void StatusRetrieval::Run(Job& job) {
    const StatusRequest& request = job.request;
    Trace("RetrieveStatus for: ");
    Trace(request.source);
    Trace("\nTo: ");
    Trace(request.destination);
    Trace("\n");

    // The document is fetched under a name of its own and takes the destination's place only
    // while this retrieval is still the current one.
    AtomicFile document(request.destination);
    const bool fetched =
        document.Open() && job.source && job.source->Retrieve(document.TemporaryPath());
    if (fetched)
        FetchIcon(job, document.TemporaryPath());

    bool written = false;
    {
        std::lock_guard lock(m_mutex);
        if (IsCurrent(job.generation)) {
            if (fetched)
                written = document.Commit();
            else
                RemoveFile(request.destination); // no stale document outlives a failed retrieval
        }
    }
    document.Discard();
    Trace("Thread returned: " + std::to_string(written ? 1 : 0) + "\n");

    {
        std::unique_lock lock(m_mutex);
        m_cancelled.wait_for(lock, m_reportDelay, [&] { return !IsCurrent(job.generation); });
        if (IsCurrent(job.generation) && m_report)
            m_report(job.generation, written);
    }
    job.finished.store(true);
}

// The icon is fetched here, with the retrieval's own connection, rather than on the main
// thread: a slow printer can neither freeze the window nor outlive an abort.
bool StatusRetrieval::FetchIcon(Job& job, const std::string& document) {
    const StatusRequest& request = job.request;
    if (request.printerWebUrl.empty() || request.imagesFolder.empty() ||
        !CheckStatusDocument(document))
        return false;
    std::string iconUrl;
    std::string localPath;
    if (!FindStatusIcon(document, request.imagesFolder, iconUrl, localPath))
        return false;
    std::error_code error;
    fs::create_directories(fs::path(localPath).parent_path(), error);
    return job.source->Fetch(localPath, request.printerWebUrl + iconUrl);
}

} // namespace kaldo
