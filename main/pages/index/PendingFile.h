#pragma once

#include "platform/AtomicFile.h"

#include <string>
#include <utility>

namespace kaldo {

// A document that a writer opens by name: written under a temporary name beside its target and
// put in place only when committed, so a document that fails half-way never takes the place of
// a good one.
class PendingFile final {
public:
    explicit PendingFile(std::string target)
        : m_file(std::move(target)) {
        m_file.Open();
    }

    // Where the document is written until it is committed; empty when no temporary file could
    // be made there, so opening it fails.
    const std::string& Path() const { return m_file.TemporaryPath(); }

    // Moves the written file over the target; false, leaving the target as it was, on failure.
    bool Commit() { return m_file.Commit(); }

private:
    AtomicFile m_file;
};

} // namespace kaldo
