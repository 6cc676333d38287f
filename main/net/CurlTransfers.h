#pragma once

#include "main/net/DownloadManager.h"

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

namespace kaldo {

class AtomicFile;

// What speaks HTTP, with libcurl and its TLS library, lives in a module beside the programs
// (libktwncurl.so, found through their run path as libktwnutil is) that DownloadManager loads
// on its first transfer: the start does without both. The functions are DownloadManager's, which
// documents them.
struct CurlTransfers {
    int Version;             // kCurlTransfersVersion of the module's build
    std::size_t OptionsSize; // sizeof(DownloadOptions) there
    // Fetch's transfer into `part`, which it opens once a successful answer that fits arrives;
    // true when the whole answer is in it. Committing or discarding `part` is the caller's.
    bool (*Fetch)(AtomicFile& part, const std::string& url, std::uint64_t maxBytes,
                  const DownloadOptions& options, const std::atomic<bool>& aborted);
    bool (*CheckReachable)(const std::string& url, std::chrono::milliseconds timeout,
                           const DownloadOptions& options);
    std::string (*SecureFallbackUrl)(const std::string& url, int securePort);
};

// Changes with CurlTransfers, so that a module of another build is refused.
inline constexpr int kCurlTransfersVersion = 1;
inline constexpr char kCurlModuleName[] = "libktwncurl.so";

// The module's one entry point.
extern "C" const CurlTransfers* kaldo_curl_transfers();

// The transfers, the module loaded on the first call; null when it cannot be loaded, which
// says why once on stderr and fails every transfer.
const CurlTransfers* LoadedCurlTransfers();

} // namespace kaldo
