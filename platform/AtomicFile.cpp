#include "platform/AtomicFile.h"

#include <cerrno>
#include <fcntl.h>
#include <mutex>
#include <random>
#include <sys/stat.h>
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

// ".name.tmp-XXXX" in the target's folder: hidden, and on the same file system as the target,
// which a rename needs.
std::string TemporaryName(const std::string& target) {
    const size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    return folder + "." + name + ".tmp-" + UniqueSuffix();
}

} // namespace

AtomicFile::AtomicFile(std::string target, ReplaceMode mode)
    : m_target(std::move(target))
    , m_mode(mode) {}

AtomicFile::~AtomicFile() {
    Discard();
}

bool AtomicFile::Open() {
    if (IsOpen())
        return true;
    if (m_target.empty() || m_target.back() == '/')
        return false;
    for (int attempt = 0; attempt < 8; ++attempt) {
        std::string candidate = TemporaryName(m_target);
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return false;
        }
        m_stream = ::fdopen(fd, "wb");
        if (m_stream == nullptr) {
            ::close(fd);
            ::unlink(candidate.c_str());
            return false;
        }
        m_temporary = std::move(candidate);
        return true;
    }
    return false;
}

bool AtomicFile::Write(std::string_view bytes) {
    return IsOpen() &&
           (bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), m_stream) == bytes.size());
}

bool AtomicFile::Commit() {
    if (!IsOpen())
        return false;
    const bool written = std::fflush(m_stream) == 0 && std::ferror(m_stream) == 0;
    const bool closed = std::fclose(m_stream) == 0;
    m_stream = nullptr;
    if (!written || !closed || !PutInPlace()) {
        Discard();
        return false;
    }
    m_temporary.clear();
    return true;
}

bool AtomicFile::PutInPlace() {
    if (m_mode == ReplaceMode::Regenerable) {
        // Only a file or a link is exchanged: a folder in the target's place makes the rename
        // below fail, as it does for a durable file.
        struct stat target {};
        if (::lstat(m_target.c_str(), &target) == 0 && !S_ISDIR(target.st_mode) &&
            ::renameat2(AT_FDCWD, m_temporary.c_str(), AT_FDCWD, m_target.c_str(),
                        RENAME_EXCHANGE) == 0) {
            // The temporary name now holds the old file.
            ::unlink(m_temporary.c_str());
            return true;
        }
        // No target yet, or a file system that cannot exchange: a rename replaces nothing or
        // does as it always did.
    }
    return std::rename(m_temporary.c_str(), m_target.c_str()) == 0;
}

void AtomicFile::Discard() {
    if (m_stream != nullptr) {
        std::fclose(m_stream);
        m_stream = nullptr;
    }
    if (!m_temporary.empty()) {
        ::unlink(m_temporary.c_str());
        m_temporary.clear();
    }
}

bool WriteFileAtomically(const std::string& path, std::string_view content, ReplaceMode mode) {
    AtomicFile file(path, mode);
    return file.Open() && file.Write(content) && file.Commit();
}

bool ReplaceWithLink(const std::string& linkTarget, const std::string& path) {
    if (path.empty() || path.back() == '/')
        return false;
    for (int attempt = 0; attempt < 8; ++attempt) {
        const std::string temporary = TemporaryName(path);
        if (::symlink(linkTarget.c_str(), temporary.c_str()) != 0) {
            if (errno == EEXIST)
                continue;
            return false;
        }
        if (std::rename(temporary.c_str(), path.c_str()) == 0)
            return true;
        ::unlink(temporary.c_str());
        return false;
    }
    return false;
}

} // namespace kaldo
