#include "platform/instance/InstanceLock.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>

namespace kaldo {

InstanceLock::InstanceLock(const std::string& path)
    : m_fd(::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600)) {
    if (!m_fd.Valid()) {
        m_error = path + ": " + std::strerror(errno);
        return;
    }
    if (::flock(m_fd.Get(), LOCK_EX | LOCK_NB) == 0) {
        m_state = LockState::Held;
    } else if (errno == EWOULDBLOCK) {
        m_state = LockState::HeldByOther;
    } else {
        m_error = path + ": " + std::strerror(errno);
    }
    if (!Held())
        m_fd = Descriptor();
}

} // namespace kaldo
