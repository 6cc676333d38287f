#include "simulator/StopSignal.h"

namespace kaldo::simulator {

bool StopSignal::WaitFor(std::chrono::milliseconds duration) {
    std::unique_lock lock(m_mutex);
    return !m_condition.wait_for(lock, duration, [this] { return m_triggered; });
}

void StopSignal::Trigger() {
    {
        std::lock_guard lock(m_mutex);
        m_triggered = true;
    }
    m_condition.notify_all();
}

void StopSignal::Reset() {
    std::lock_guard lock(m_mutex);
    m_triggered = false;
}

} // namespace kaldo::simulator
