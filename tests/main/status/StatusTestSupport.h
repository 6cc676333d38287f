#pragma once

#include "TestPaths.h"
#include "tests/support/EventLoopWait.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace kaldo::testsupport {

inline std::string StatusData(const std::string& name) {
    return std::string(KALDO_TEST_DATA_DIR) + "/status/" + name;
}

// A copy of a test input in `folder`, since the status checks rewrite what they read.
inline std::string CopyStatusData(const kaldo::testsupport::TempFolder& folder,
                                  const std::string& name, const std::string& as = {}) {
    const std::string target = folder / (as.empty() ? name : as);
    std::filesystem::copy_file(StatusData(name), target,
                               std::filesystem::copy_options::overwrite_existing);
    return target;
}

inline size_t Count(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

// The reports of a status retrieval, as its callback delivers them on the main thread.
class ReportLog {
public:
    struct Entry {
        int Generation;
        bool Written;
    };

    ReportLog() { EnsureApplication(); }

    void Add(int generation, bool written) { m_entries.push_back({generation, written}); }

    // Runs the event loop until a report of `generation` has come; a generous bound only
    // guards against a hang.
    bool WaitFor(int generation) {
        return WaitUntil(
            [&] {
                for (const Entry& entry : m_entries) {
                    if (entry.Generation == generation)
                        return true;
                }
                return false;
            },
            60000);
    }

    std::vector<Entry> Entries() const { return m_entries; }

private:
    std::vector<Entry> m_entries;
};

} // namespace kaldo::testsupport
