#include "main/net/DownloadWorker.h"

#include "platform/Trace.h"

#include <unistd.h>

namespace kaldo {

DownloadWorker::DownloadWorker(DownloadOptions options)
    : m_options(std::move(options)) {}

DownloadWorker::~DownloadWorker() {
    if (m_manager)
        m_manager->abort();
    if (m_thread.joinable())
        m_thread.join();
}

bool DownloadWorker::start(const std::string& url, const std::string& localPath, Completion done) {
    if (m_running.load())
        return false;
    if (m_thread.joinable())
        m_thread.join();
    m_manager = std::make_unique<DownloadManager>(m_options);
    m_localPath = localPath;
    // Set before the thread runs, so that a cancel right after start finds the transfer.
    m_running.store(true);
    m_thread = std::thread([this, url, localPath, done = std::move(done)] {
        Trace("DownloadFile for: " + url + "\nTo: " + localPath + "\n");
        const bool fetched = m_manager->fetch(localPath, url, kNoSizeLimit);
        Trace("Thread returned: " + std::to_string(fetched ? 1 : 0) + "\n");
        m_running.store(false);
        if (done)
            done(fetched);
    });
    return true;
}

bool DownloadWorker::cancel() {
    if (!m_running.load())
        return false;
    Trace("About to terminate download thread\n");
    m_manager->abort();
    Trace("Attempting to delete file\n");
    ::unlink(m_localPath.c_str());
    return true;
}

} // namespace kaldo
