#pragma once

#include "main/net/DownloadManager.h"

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>

namespace kaldo {

// One fetch on a thread of its own, for a window that shows progress and lets the user
// cancel; so it has no size limit, only the free space of the target's file system. Reports through
// a completion that runs on the worker thread, once per start.
class DownloadWorker final {
public:
    using Completion = std::function<void(bool fetched)>;

    explicit DownloadWorker(DownloadOptions options = {});
    // Aborts a running fetch and waits for its thread; the completion may still run.
    ~DownloadWorker();
    DownloadWorker(const DownloadWorker&) = delete;
    DownloadWorker& operator=(const DownloadWorker&) = delete;

    // Starts fetch(localPath, url); false while an earlier fetch is still running.
    bool start(const std::string& url, const std::string& localPath, Completion done);

    // On the owner's thread. Aborts the running fetch and deletes the local file; once it
    // returns, the fetch never writes that file again. False when no transfer was running.
    bool cancel();

    bool transferRunning() const { return m_running.load(); }

private:
    DownloadOptions m_options;
    std::unique_ptr<DownloadManager> m_manager;
    std::string m_localPath;
    std::atomic<bool> m_running{false};
    std::thread m_thread;
};

} // namespace kaldo
