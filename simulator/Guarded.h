#pragma once

#include <mutex>
#include <utility>

namespace kaldo::simulator {

// A value that request threads read and the control endpoint changes.
template <class T> class Guarded final {
public:
    explicit Guarded(T value)
        : m_value(std::move(value)) {}

    T Get() const {
        std::lock_guard lock(m_mutex);
        return m_value;
    }

    void Set(T value) {
        std::lock_guard lock(m_mutex);
        m_value = std::move(value);
    }

    // Runs `change` on the value under the lock and returns what it returns.
    template <class F> auto Update(F&& change) {
        std::lock_guard lock(m_mutex);
        return change(m_value);
    }

private:
    mutable std::mutex m_mutex;
    T m_value;
};

} // namespace kaldo::simulator
