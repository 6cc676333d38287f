#include "platform/instance/ProgramLock.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>

namespace kaldo {

namespace {

struct flock WholeFile(short type) {
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    return lock;
}

std::string Reason(const std::string& path) {
    return path + ": " + std::strerror(errno);
}

} // namespace

ProgramLock::ProgramLock(const std::string& path) {
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644));
    if (fd.Valid())
        ::fchmod(fd.Get(), 0644); // whatever our umask, every user's instance must open it
    else if (errno == EEXIST)
        fd = Descriptor(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    if (!fd.Valid()) {
        m_error = Reason(path);
        return;
    }
    struct flock lock = WholeFile(F_RDLCK);
    if (::fcntl(fd.Get(), F_OFD_SETLK, &lock) != 0) {
        m_error = Reason(path);
        return;
    }
    m_fd = std::move(fd);
}

RunState ProgramLock::Probe(const std::string& path, std::string* error) {
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    if (!fd.Valid() && errno == ENOENT)
        return RunState::NotRunning;
    struct flock lock = WholeFile(F_WRLCK);
    if (!fd.Valid() || ::fcntl(fd.Get(), F_OFD_GETLK, &lock) != 0) {
        if (error != nullptr)
            *error = Reason(path);
        return RunState::Unknown;
    }
    return lock.l_type == F_UNLCK ? RunState::NotRunning : RunState::Running;
}

} // namespace kaldo
