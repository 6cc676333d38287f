#pragma once

#include <chrono>
#include <thread>

namespace kaldo::testsupport {

// Bounded wait for what another thread or process does: polls `condition` until it holds
// (true) or `limit` has passed (false).
template <typename Condition>
bool Eventually(Condition condition, std::chrono::milliseconds limit = std::chrono::seconds(10)) {
    const auto until = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > until)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

} // namespace kaldo::testsupport
