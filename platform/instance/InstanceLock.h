#pragma once

#include "platform/instance/Descriptor.h"

#include <string>

namespace kaldo {

enum class LockState {
    Held,        // this object holds the lock
    HeldByOther, // another process holds it
    Failed,      // the lock file cannot be opened or locked; Error() says why
};

// The single-instance lock of one user: an exclusive file lock on a file in the user's runtime
// folder (see RuntimeFolder.h), which no other user can make or hold first. It goes away with
// the process, whatever way the process ends.
class InstanceLock final {
public:
    // Takes the lock on `path` (made when missing) without waiting.
    explicit InstanceLock(const std::string& path);

    LockState State() const { return m_state; }
    bool Held() const { return m_state == LockState::Held; }
    const std::string& Error() const { return m_error; }

private:
    Descriptor m_fd;
    LockState m_state = LockState::Failed;
    std::string m_error;
};

} // namespace kaldo
