#include "main/net/PartFile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <mutex>
#include <random>
#include <unistd.h>

namespace kaldo {

namespace {

std::string UniqueSuffix() {
    static std::mutex mutex;
    static std::mt19937_64 generator{std::random_device{}()};
    std::lock_guard lock(mutex);
    char text[24];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(generator()));
    return text;
}

// ".name.part-XXXX" in the target's folder: hidden, and on the same file system as the target.
std::string TemporaryName(const std::string& target) {
    const size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    return folder + "." + name + ".part-" + UniqueSuffix();
}

} // namespace

PartFile::PartFile(std::string target)
    : m_target(std::move(target)) {}

PartFile::~PartFile() {
    discard();
}

bool PartFile::open() {
    if (isOpen())
        return true;
    if (m_target.empty() || m_target.back() == '/')
        return false;
    for (int attempt = 0; attempt < 8; ++attempt) {
        std::string candidate = TemporaryName(m_target);
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            m_fd = fd;
            m_temporary = std::move(candidate);
            m_failed = false;
            return true;
        }
        if (errno != EEXIST)
            return false;
    }
    return false;
}

bool PartFile::write(std::string_view bytes) {
    if (!isOpen() || m_failed)
        return false;
    while (!bytes.empty()) {
        const ssize_t written = ::write(m_fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            m_failed = true;
            return false;
        }
        bytes.remove_prefix(size_t(written));
    }
    return true;
}

bool PartFile::commit() {
    if (!isOpen())
        return false;
    const bool closed = ::close(m_fd) == 0;
    m_fd = -1;
    if (m_failed || !closed || std::rename(m_temporary.c_str(), m_target.c_str()) != 0) {
        discard();
        return false;
    }
    m_temporary.clear();
    return true;
}

void PartFile::discard() {
    if (isOpen()) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_temporary.empty()) {
        ::unlink(m_temporary.c_str());
        m_temporary.clear();
    }
}

} // namespace kaldo
