#include "main/net/DownloadWorker.h"

#include "platform/BackgroundJob.h"
#include "platform/Trace.h"

#include <unistd.h>

namespace kaldo {

DownloadWorker::DownloadWorker(DownloadOptions options)
    : m_options(std::move(options)) {}

DownloadWorker::~DownloadWorker() = default;

bool DownloadWorker::Start(const std::string& url, const std::string& localPath, Completion done) {
    if (TransferRunning())
        return false;
    m_job.reset();
    m_manager = std::make_unique<DownloadManager>(m_options);
    m_localPath = localPath;
    auto fetched = m_fetched = std::make_shared<bool>(false);
    m_job = std::make_unique<BackgroundJob>(
        [manager = m_manager.get(), url, localPath, fetched](std::stop_token abort) {
            std::stop_callback stopFetch(abort, [manager] { manager->Abort(); });
            Trace("DownloadFile for: " + url + "\nTo: " + localPath + "\n");
            *fetched = manager->Fetch(localPath, url, kNoSizeLimit);
            Trace("Thread returned: " + std::to_string(*fetched ? 1 : 0) + "\n");
        },
        [fetched, done = std::move(done)] {
            if (done)
                done(*fetched);
        });
    return true;
}

bool DownloadWorker::Cancel() {
    if (!TransferRunning())
        return false;
    Trace("About to terminate download thread\n");
    m_manager->Abort();
    Trace("Attempting to delete file\n");
    ::unlink(m_localPath.c_str());
    return true;
}

bool DownloadWorker::TransferRunning() const {
    return m_job && !m_job->Finished();
}

bool DownloadWorker::Fetched() const {
    // Finished() orders the work's result before this read.
    return m_job && m_job->Finished() && *m_fetched;
}

} // namespace kaldo
