#pragma once

#include <string>
#include <string_view>

namespace kaldo {

// The single-instance lock of the main program. Every user holds a lock file of their own in
// one shared folder, so that an administrator's uninstaller sees whether anyone runs the
// program. The lock is an advisory file lock: it goes away with the process, whatever way the
// process ends.
class InstanceLock final {
public:
    // The folder that holds the lock files of lock `name`, below KALDO_ROOT.
    static std::string Folder(std::string_view name);

    // Takes this user's lock `name`; Held() tells whether it is ours.
    explicit InstanceLock(std::string_view name);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    bool Held() const { return m_fd >= 0; }

    // Whether any user's process holds lock `name` now.
    static bool HeldByAnyone(std::string_view name);

private:
    int m_fd = -1;
};

} // namespace kaldo
