#include "platform/spooler/CupsSpooler.h"

#include <array>
#include <chrono>

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

} // namespace

std::optional<std::string> ResolveDnssdUri(const std::string& uri) {
    std::array<char, 1024> resolved{};
    auto deadline = std::chrono::steady_clock::now() + kResolveLimit;
    const char* result = _httpResolveURI(uri.c_str(), resolved.data(), resolved.size(), 0,
                                         BeforeDeadline, &deadline);
    if (!result || !*result)
        return std::nullopt;
    return std::string(result);
}

} // namespace kaldo
