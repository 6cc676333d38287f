#include "simulator/RequestLog.h"

#include <cstdio>

namespace kaldo::simulator {

namespace {

// A request target is client input; keep the log one line per request.
std::string Printable(const std::string& text) {
    std::string printable;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        printable += (byte < 0x20 || byte == 0x7f) ? '?' : c;
    }
    return printable;
}

} // namespace

RequestLog::RequestLog(bool echoToStderr, std::size_t keep)
    : m_echo(echoToStderr)
    , m_keep(keep) {}

void RequestLog::Record(const std::string& role, const std::string& method,
                        const std::string& hostPort, const std::string& target, int status) {
    const std::string line = role + " " + Printable(method) + " " + hostPort + " " +
                             Printable(target) + " " + std::to_string(status);
    std::lock_guard lock(m_mutex);
    if (m_echo) {
        std::fprintf(stderr, "kaldosim: %s\n", line.c_str());
        std::fflush(stderr);
    }
    m_lines.push_back(line);
    while (m_lines.size() > m_keep)
        m_lines.pop_front();
}

std::vector<std::string> RequestLog::Lines() const {
    std::lock_guard lock(m_mutex);
    return {m_lines.begin(), m_lines.end()};
}

void RequestLog::Clear() {
    std::lock_guard lock(m_mutex);
    m_lines.clear();
}

} // namespace kaldo::simulator
