#pragma once

#include <cstdio>
#include <string>
#include <utility>

namespace kaldo {

// A file that is written under a temporary name beside its target and replaces the target
// only when committed, so a document that fails half-way never takes the place of a good one.
class PendingFile final {
public:
    explicit PendingFile(std::string target)
        : m_target(std::move(target))
        , m_path(m_target + ".part") {}
    ~PendingFile() {
        if (!m_committed)
            std::remove(m_path.c_str());
    }
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    // Where the document is written until it is committed.
    const std::string& Path() const { return m_path; }

    // Moves the written file over the target; false, leaving the target as it was, on failure.
    bool Commit() {
        m_committed = std::rename(m_path.c_str(), m_target.c_str()) == 0;
        return m_committed;
    }

private:
    std::string m_target;
    std::string m_path;
    bool m_committed = false;
};

} // namespace kaldo
