#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>

namespace kaldo {

inline constexpr char kAgentName[] = "Kaldo Tendwell";
inline constexpr std::chrono::milliseconds kReachableTimeout{5000};

// The most a fetch may write. Without a limit only for transfers that someone watches and can
// cancel (documents and videos).
inline constexpr std::uint64_t kNoSizeLimit = 0;
inline constexpr std::uint64_t kMiB = 1024 * 1024;

struct DownloadOptions {
    std::chrono::milliseconds ConnectTimeout{10000};
    // A transfer slower than StallBytesPerSecond for StallTime is given up.
    long StallBytesPerSecond = 1;
    std::chrono::seconds StallTime{30};
    // Port of the HTTPS retry of a URL that could not be opened.
    int SecurePort = 443;
    // Trust anchors (PEM) instead of the system's; empty: the system's.
    std::string CaFile;
    // Bytes that new files in `folder` may still take, none when unknown; empty: the file
    // system's own answer.
    std::function<std::optional<std::uint64_t>(const std::string& folder)> FreeSpace;
};

// What the file system holding `folder` has left for an unprivileged writer; none when unknown.
std::optional<std::uint64_t> FreeSpaceIn(const std::string& folder);

// Every HTTP transfer of the program. One manager serves one operation; it may be aborted
// from another thread while it fetches.
class DownloadManager final {
public:
    DownloadManager();
    explicit DownloadManager(DownloadOptions options);
    // The owner must not destroy a manager while a fetch runs on it; abort and wait first.
    ~DownloadManager();
    DownloadManager(const DownloadManager&) = delete;
    DownloadManager& operator=(const DownloadManager&) = delete;

    // Fetches `url` into `localPath`: true when the whole answer (an empty one included) is in
    // the file. Fails on an HTTP error status (400 and up), on an answer larger
    // than `maxBytes` (announced or counted while it arrives; kNoSizeLimit for none), and
    // before anything is written when the target's file system lacks the announced size. A URL
    // that cannot be opened is tried once more over HTTPS, same host, path and query, with
    // certificates verified. The file is written beside the target and renamed into place, so
    // it is either complete or absent: a failed fetch deletes it; an aborted one never touches
    // it after abort() has returned.
    bool Fetch(const std::string& localPath, const std::string& url, std::uint64_t maxBytes);

    // Any thread. The running fetch, and any later one on this manager, fails promptly.
    void Abort();
    bool Aborted() const { return m_aborted.load(); }

    // Whether `url` answers at all (any HTTP status) within `timeout`. Nothing is read.
    static bool CheckReachable(const std::string& url,
                               std::chrono::milliseconds timeout = kReachableTimeout,
                               const DownloadOptions& options = {});

    const DownloadOptions& Options() const { return m_options; }

private:
    DownloadOptions m_options;
    std::atomic<bool> m_aborted{false};
    // Held while a fetch decides the fate of its target, so abort() cannot slip in between.
    std::mutex m_targetMutex;
};

// The URL tried when `url` cannot be opened: the same host, path and query over HTTPS on
// `securePort`. Empty when `url` names no host or is already that URL.
std::string SecureFallbackUrl(const std::string& url, int securePort);

} // namespace kaldo
