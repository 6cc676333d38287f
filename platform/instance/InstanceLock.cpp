#include "platform/instance/InstanceLock.h"

#include "platform/Paths.h"

#include <filesystem>
#include <string>
#include <system_error>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kaldo {

namespace fs = std::filesystem;

namespace {

// Opens (creating) a lock file and tries to lock it without waiting; -1 when the lock is
// taken or the file cannot be opened.
int TryLock(const std::string& path, int openFlags) {
    int fd = ::open(path.c_str(), openFlags | O_CLOEXEC, 0644);
    if (fd < 0)
        return -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace

std::string InstanceLock::Folder(std::string_view name) {
    return MachinePath("/tmp/" + std::string(name));
}

InstanceLock::InstanceLock(std::string_view name) {
    const std::string folder = Folder(name);
    std::error_code error;
    if (fs::create_directories(folder, error))
        ::chmod(folder.c_str(), 01777); // every user keeps a lock file here
    m_fd = TryLock(JoinPath(folder, std::to_string(::getuid()) + ".lock"), O_RDWR | O_CREAT);
}

InstanceLock::~InstanceLock() {
    if (m_fd >= 0)
        ::close(m_fd);
}

bool InstanceLock::HeldByAnyone(std::string_view name) {
    std::error_code error;
    for (fs::directory_iterator it(Folder(name), error), end; !error && it != end;
         it.increment(error)) {
        if (it->path().extension() != ".lock")
            continue;
        int fd = ::open(it->path().c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            continue;
        const bool taken = ::flock(fd, LOCK_SH | LOCK_NB) != 0;
        ::close(fd);
        if (taken)
            return true;
    }
    return false;
}

} // namespace kaldo
