#include "platform/spooler/CupsSpooler.h"

#include <array>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

// libcups resolves dnssd:// device URIs for its own backends with this function; it has no
// public counterpart in CUPS 2.x.
extern "C" const char* _httpResolveURI(const char* uri, char* resolved, size_t resolvedSize,
                                       int options, int (*keepGoing)(void* context), void* context);

namespace kaldo {

namespace {

constexpr auto kResolveLimit = std::chrono::seconds(2);

int BeforeDeadline(void* context) {
    const auto* deadline = static_cast<std::chrono::steady_clock::time_point*>(context);
    return std::chrono::steady_clock::now() < *deadline ? 1 : 0;
}

// One lookup, shared by the thread that makes it and the one that waits for it.
struct Lookup {
    std::mutex Mutex;
    std::condition_variable Done;
    bool Finished = false;
    std::optional<std::string> Result;
};

} // namespace

std::optional<std::string> ResolveDnssdUri(const std::string& uri) {
    // libcups looks at the deadline only now and then: a service that is gone holds it for
    // several seconds whatever the deadline. The lookup runs on a thread of its own, which
    // owns all it uses, and past the limit it is left to end there.
    auto lookup = std::make_shared<Lookup>();
    std::thread([lookup, uri] {
        std::array<char, 1024> resolved{};
        auto deadline = std::chrono::steady_clock::now() + kResolveLimit;
        const char* result = _httpResolveURI(uri.c_str(), resolved.data(), resolved.size(), 0,
                                             BeforeDeadline, &deadline);
        std::lock_guard lock(lookup->Mutex);
        if (result && *result)
            lookup->Result = result;
        lookup->Finished = true;
        lookup->Done.notify_all();
    }).detach();
    std::unique_lock lock(lookup->Mutex);
    lookup->Done.wait_for(lock, kResolveLimit, [&lookup] { return lookup->Finished; });
    return lookup->Result;
}

} // namespace kaldo
