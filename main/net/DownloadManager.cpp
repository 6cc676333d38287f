#include "main/net/DownloadManager.h"

#include "main/net/CurlTransfers.h"
#include "platform/AtomicFile.h"
#include "platform/Trace.h"

#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <dlfcn.h>
#include <sys/statvfs.h>
#include <unistd.h>
#include <vector>

namespace kaldo {

// A program that links the transfers itself (the race test) needs no module.
extern "C" __attribute__((weak)) const CurlTransfers* kaldo_curl_transfers();

namespace {

// The folders in which the loader looks for the program's own libraries, in its order: its run
// path ($ORIGIN, where libktwnutil lies) among them. Asked of the program itself, since dlopen
// with a bare name looks in the run path of its caller, which a sanitizer's interceptor is.
std::vector<std::string> ProgramLibraryFolders() {
    void* program = ::dlopen(nullptr, RTLD_NOW);
    Dl_serinfo size{};
    if (program == nullptr || ::dlinfo(program, RTLD_DI_SERINFOSIZE, &size) != 0)
        return {};
    std::vector<std::max_align_t> buffer(size.dls_size / sizeof(std::max_align_t) + 1);
    auto* info = reinterpret_cast<Dl_serinfo*>(buffer.data());
    info->dls_size = size.dls_size;
    info->dls_cnt = size.dls_cnt;
    if (::dlinfo(program, RTLD_DI_SERINFO, info) != 0)
        return {};
    std::vector<std::string> folders;
    for (unsigned i = 0; i < info->dls_cnt; ++i)
        folders.emplace_back(info->dls_serpath[i].dls_name);
    return folders;
}

const CurlTransfers* LoadModule(std::string& problem) {
    problem = std::string(kCurlModuleName) + " is in none of the program's library folders";
    for (const std::string& folder : ProgramLibraryFolders()) {
        const std::string path = folder + "/" + kCurlModuleName;
        if (::access(path.c_str(), F_OK) != 0)
            continue;
        // Kept for the life of the process: transfers may run until it ends.
        void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (module == nullptr) {
            problem = ::dlerror();
            return nullptr;
        }
        using Entry = const CurlTransfers* (*)();
        const auto entry = reinterpret_cast<Entry>(::dlsym(module, "kaldo_curl_transfers"));
        const CurlTransfers* found = entry ? entry() : nullptr;
        if (found != nullptr && found->Version == kCurlTransfersVersion &&
            found->OptionsSize == sizeof(DownloadOptions))
            return found;
        problem = path + " is of another build";
        return nullptr;
    }
    return nullptr;
}

} // namespace

const CurlTransfers* LoadedCurlTransfers() {
    static const CurlTransfers* const transfers = []() -> const CurlTransfers* {
        if (kaldo_curl_transfers != nullptr)
            return kaldo_curl_transfers();
        std::string problem;
        const CurlTransfers* loaded = LoadModule(problem);
        if (loaded == nullptr)
            std::fprintf(stderr, "%s: downloads are unavailable: %s\n",
                         program_invocation_short_name, problem.c_str());
        return loaded;
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
