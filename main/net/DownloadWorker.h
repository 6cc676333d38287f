#pragma once

#include "main/net/DownloadManager.h"

#include <functional>
#include <memory>
#include <string>

namespace kaldo {

class BackgroundJob;

// One fetch in the background, for a window that shows progress and lets the user cancel; so
// it has no size limit, only the free space of the target's file system. Reports through a
// completion that runs on the owner's thread, from its event loop, once per start, unless the
// worker is destroyed first.
class DownloadWorker final {
public:
    using Completion = std::function<void(bool fetched)>;

    explicit DownloadWorker(DownloadOptions options = {});
    // Aborts a running fetch and waits for it to end; no completion runs afterwards.
    ~DownloadWorker();
    DownloadWorker(const DownloadWorker&) = delete;
    DownloadWorker& operator=(const DownloadWorker&) = delete;

    // Starts fetch(localPath, url); false while an earlier fetch is still running.
    bool Start(const std::string& url, const std::string& localPath, Completion done);

    // On the owner's thread. Aborts the running fetch and deletes the local file; once it
    // returns, the fetch never writes that file again. The completion still reports the failed
    // fetch. False when no transfer was running.
    bool Cancel();

    bool TransferRunning() const;
    // Whether the last fetch has ended with the file in place, its completion delivered or not.
    bool Fetched() const;

private:
    DownloadOptions m_options;
    std::unique_ptr<DownloadManager> m_manager;
    std::string m_localPath;
    std::shared_ptr<bool> m_fetched;
    // Last: ends before the manager it uses.
    std::unique_ptr<BackgroundJob> m_job;
};

} // namespace kaldo
