#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace kaldo::simulator {

// Lets slow answers end at once when the simulator shuts down.
class StopSignal final {
public:
    // Waits for `duration`; false when the signal came first.
    bool WaitFor(std::chrono::milliseconds duration);
    void Trigger();
    void Reset();

private:
    std::mutex m_mutex;
    std::condition_variable m_condition;
    bool m_triggered = false;
};

} // namespace kaldo::simulator
