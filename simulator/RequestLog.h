#pragma once

#include <cstddef>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

namespace kaldo::simulator {

// One line per answered request, "ROLE METHOD HOST:PORT TARGET STATUS", written to stderr
// and kept (the latest ones) for the control endpoint, so tests can see what a client asked.
class RequestLog final {
public:
    explicit RequestLog(bool echoToStderr, std::size_t keep = 2000);

    void Record(const std::string& role, const std::string& method, const std::string& hostPort,
                const std::string& target, int status);
    std::vector<std::string> Lines() const;
    void Clear();

private:
    bool m_echo;
    std::size_t m_keep;
    mutable std::mutex m_mutex;
    std::deque<std::string> m_lines;
};

} // namespace kaldo::simulator
