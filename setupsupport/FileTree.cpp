#include "setupsupport/FileTree.h"

#include "platform/AsciiText.h"

#include <algorithm>
#include <cerrno>
#include <memory>
#include <string>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kaldo {

namespace {

bool Matches(std::string_view name, std::string_view pattern) {
    // Iterative wildcard match with one backtrack point for the last '*'.
    size_t n = 0, p = 0, starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() &&
            (pattern[p] == '?' || AsciiLower(pattern[p]) == AsciiLower(name[n]))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

struct FileId {
    dev_t Device = 0;
    ino_t Inode = 0;
    bool Valid = false;
};

class Fd {
public:
    explicit Fd(int fd)
        : m_fd(fd) {}
    ~Fd() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int Get() const { return m_fd; }

private:
    int m_fd;
};

std::vector<std::string> EntryNames(int folderFd) {
    std::vector<std::string> names;
    const int listFd = ::dup(folderFd);
    if (listFd < 0)
        return names;
    DIR* dir = ::fdopendir(listFd);
    if (dir == nullptr) {
        ::close(listFd);
        return names;
    }
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..")
            names.push_back(name);
    }
    ::closedir(dir);
    return names;
}

// Empties the open folder as far as the pattern and `keep` allow. Every step works relative
// to an open folder that was reached without following a link.
void DeleteContents(int folderFd, std::string_view pattern, const FileId& keep) {
    struct stat folderStat {};
    if (::fstat(folderFd, &folderStat) == 0 && (folderStat.st_mode & S_IWUSR) == 0)
        ::fchmod(folderFd, (folderStat.st_mode & 07777) | S_IWUSR | S_IXUSR);

    for (const std::string& name : EntryNames(folderFd)) {
        struct stat entry {};
        if (::fstatat(folderFd, name.c_str(), &entry, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        if (S_ISDIR(entry.st_mode)) {
            Fd sub(
                ::openat(folderFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
            if (sub.Get() < 0)
                continue;
            DeleteContents(sub.Get(), pattern, keep);
            ::unlinkat(folderFd, name.c_str(), AT_REMOVEDIR); // stays when not empty
            continue;
        }
        if (keep.Valid && entry.st_dev == keep.Device && entry.st_ino == keep.Inode)
            continue;
        if (MatchesPattern(name, pattern))
            ::unlinkat(folderFd, name.c_str(), 0);
    }
}

std::string WithoutTrailingSlashes(std::string_view path) {
    std::string text(path);
    while (text.size() > 1 && text.back() == '/')
        text.pop_back();
    return text;
}

bool IsFolder(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace

bool MatchesPattern(std::string_view name, std::string_view pattern) {
    if (pattern == "*.*" || pattern == "*")
        return true;
    return Matches(name, pattern);
}

bool CreateDirectories(std::string_view path, bool includeLast) {
    const std::string text(path);
    std::string last;
    for (size_t slash = text.find('/', 1); slash != std::string::npos;
         slash = text.find('/', slash + 1)) {
        last = text.substr(0, slash);
        if (last.back() != '/')
            ::mkdir(last.c_str(), 0755);
    }
    if (includeLast && !text.empty()) {
        last = WithoutTrailingSlashes(text);
        ::mkdir(last.c_str(), 0755);
    }
    return last.empty() || IsFolder(last);
}

bool DeleteTree(std::string_view folder, std::string_view pattern, std::string_view keep) {
    const std::string path = WithoutTrailingSlashes(folder);
    if (path.empty() || path == "." || path == "..")
        return false;

    struct stat top {};
    if (::lstat(path.c_str(), &top) != 0)
        return errno == ENOENT;
    if (S_ISLNK(top.st_mode))
        return ::unlink(path.c_str()) == 0; // the link goes, its target stays
    if (!S_ISDIR(top.st_mode))
        return false;

    FileId keepId;
    struct stat keepStat {};
    if (!keep.empty() && ::lstat(std::string(keep).c_str(), &keepStat) == 0)
        keepId = {keepStat.st_dev, keepStat.st_ino, true};

    {
        Fd fd(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (fd.Get() < 0)
            return false;
        DeleteContents(fd.Get(), pattern, keepId);
    }
    ::rmdir(path.c_str());
    struct stat after {};
    return ::lstat(path.c_str(), &after) != 0 && errno == ENOENT;
}

bool GiveOwnership(std::string_view base, std::string_view path, std::string_view existingFolder,
                   uid_t uid, gid_t gid) {
    const std::string top = WithoutTrailingSlashes(base);
    const std::string target(path);
    if (target.size() <= top.size() + 1 || target.compare(0, top.size() + 1, top + "/") != 0)
        return false;
    std::vector<std::string> steps;
    for (size_t at = top.size() + 1; at <= target.size();) {
        const size_t slash = std::min(target.find('/', at), target.size());
        if (slash > at)
            steps.push_back(target.substr(at, slash - at));
        at = slash + 1;
    }
    if (steps.empty() || std::any_of(steps.begin(), steps.end(), [](const std::string& step) {
            return step == "." || step == "..";
        }))
        return false;

    // Every folder on the way, outermost first, with the length of its path.
    std::vector<std::unique_ptr<Fd>> folders;
    std::vector<size_t> lengths;
    folders.push_back(
        std::make_unique<Fd>(::open(top.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)));
    lengths.push_back(top.size());
    for (size_t i = 0; i + 1 < steps.size(); ++i) {
        if (folders.back()->Get() < 0)
            return false;
        folders.push_back(
            std::make_unique<Fd>(::openat(folders.back()->Get(), steps[i].c_str(),
                                          O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC)));
        lengths.push_back(lengths.back() + 1 + steps[i].size());
    }
    if (folders.back()->Get() < 0)
        return false;
    const Fd file(::openat(folders.back()->Get(), steps.back().c_str(),
                           O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat info {};
    if (file.Get() < 0 || ::fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode) ||
        info.st_nlink != 1)
        return false;
    bool given = ::fchown(file.Get(), uid, gid) == 0;
    const size_t existing = WithoutTrailingSlashes(existingFolder).size();
    for (size_t i = folders.size(); i-- > 1 && lengths[i] > existing;)
        given = ::fchown(folders[i]->Get(), uid, gid) == 0 && given;
    return given;
}

} // namespace kaldo
