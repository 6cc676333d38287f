#include "main/net/DownloadManager.h"

#include "main/net/CurlTransfers.h"
#include "platform/AtomicFile.h"
#include "platform/Trace.h"

#include <cerrno>
#include <cstdio>
#include <dlfcn.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace kaldo {

// A program that links the transfers itself (the race test) needs no module.
extern "C" __attribute__((weak)) const CurlTransfers* kaldo_curl_transfers();

const CurlTransfers* LoadedCurlTransfers() {
    static const CurlTransfers* const transfers = []() -> const CurlTransfers* {
        if (kaldo_curl_transfers != nullptr)
            return kaldo_curl_transfers();
        // Kept for the life of the process: transfers may run until it ends.
        void* module = ::dlopen(kCurlModuleName, RTLD_NOW | RTLD_LOCAL);
        const char* problem = module == nullptr ? ::dlerror() : nullptr;
        using Entry = const CurlTransfers* (*)();
        const auto entry =
            module ? reinterpret_cast<Entry>(::dlsym(module, "kaldo_curl_transfers")) : nullptr;
        const CurlTransfers* found = entry ? entry() : nullptr;
        if (found != nullptr && found->Version == kCurlTransfersVersion &&
            found->OptionsSize == sizeof(DownloadOptions))
            return found;
        std::fprintf(stderr, "%s: downloads are unavailable: %s\n", program_invocation_short_name,
                     problem ? problem : "the download module is of another build");
        return nullptr;
    }();
    return transfers;
}

std::optional<std::uint64_t> FreeSpaceIn(const std::string& folder) {
    struct statvfs disk {};
    if (::statvfs(folder.c_str(), &disk) != 0)
        return std::nullopt;
    return std::uint64_t(disk.f_bavail) * std::uint64_t(disk.f_frsize);
}

std::string SecureFallbackUrl(const std::string& url, int securePort) {
    const CurlTransfers* transfers = LoadedCurlTransfers();
    return transfers ? transfers->SecureFallbackUrl(url, securePort) : std::string();
}

DownloadManager::DownloadManager()
    : DownloadManager(DownloadOptions{}) {}

DownloadManager::DownloadManager(DownloadOptions options)
    : m_options(std::move(options)) {
    if (!m_options.FreeSpace)
        m_options.FreeSpace = FreeSpaceIn;
}

DownloadManager::~DownloadManager() {
    Trace("DownloadManager::~DownloadManager()\n");
}

void DownloadManager::Abort() {
    std::lock_guard lock(m_targetMutex);
    m_aborted.store(true);
}

bool DownloadManager::Fetch(const std::string& localPath, const std::string& url,
                            std::uint64_t maxBytes) {
    if (m_aborted.load())
        return false;
    AtomicFile part(localPath);
    const CurlTransfers* transfers = LoadedCurlTransfers();
    const bool ok =
        transfers != nullptr && transfers->Fetch(part, url, maxBytes, m_options, m_aborted);
    if (ok)
        Trace("InternetReadFile - success\n");

    std::lock_guard lock(m_targetMutex);
    if (m_aborted.load())
        return false; // the part file goes with `part`; the target is no longer ours to touch
    if (ok && part.Commit())
        return true;
    part.Discard();
    ::unlink(localPath.c_str());
    return false;
}

bool DownloadManager::CheckReachable(const std::string& url, std::chrono::milliseconds timeout,
                                     const DownloadOptions& options) {
    const CurlTransfers* transfers = LoadedCurlTransfers();
    return transfers != nullptr && transfers->CheckReachable(url, timeout, options);
}

} // namespace kaldo
