#include "platform/Paths.h"

#include "platform/NameCompare.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <pwd.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace kaldo {

namespace fs = std::filesystem;

std::string JoinPath(std::string_view a, std::string_view b) {
    if (a.empty())
        return std::string(b);
    if (b.empty())
        return std::string(a);
    std::string joined(a);
    const bool aEnds = joined.back() == '/';
    const bool bStarts = b.front() == '/';
    if (aEnds && bStarts)
        joined.append(b.substr(1));
    else if (aEnds || bStarts)
        joined.append(b);
    else
        joined.append(1, '/').append(b);
    return joined;
}

std::string ProgramFolder() {
    std::error_code error;
    fs::path exe = fs::read_symlink("/proc/self/exe", error);
    if (error)
        return "./";
    std::string folder = exe.parent_path().string();
    if (folder.empty() || folder.back() != '/')
        folder.push_back('/');
    return folder;
}

std::optional<std::string> AbsolutePathVariable(const char* name) {
    const char* value = std::getenv(name);
    // Relative values are invalid for XDG variables and are ignored.
    if (value == nullptr || value[0] != '/')
        return std::nullopt;
    return std::string(value);
}

std::optional<std::string> HomeFolder() {
    if (std::optional<std::string> home = AbsolutePathVariable("HOME"))
        return home;
    if (const passwd* entry = ::getpwuid(::getuid()); entry != nullptr && entry->pw_dir != nullptr)
        return std::string(entry->pw_dir);
    return std::nullopt;
}

std::string CacheFolder() {
    return AbsolutePathVariable("XDG_CACHE_HOME")
        .value_or(JoinPath(HomeFolder().value_or("/"), ".cache"));
}

static constexpr char kStateLevels[] = "kaldo/Tendwell/";

std::string StateFolder() {
    return JoinPath(CacheFolder(), kStateLevels);
}

// Why `folder`, one of the program's own, must not be used; empty when it may.
static std::string CheckOwnFolder(const std::string& folder) {
    struct stat info {};
    if (::lstat(folder.c_str(), &info) != 0)
        return folder + ": " + std::strerror(errno);
    if (!S_ISDIR(info.st_mode))
        return folder + ": not a folder";
    if (info.st_uid != ::geteuid())
        return folder + ": belongs to another user (uid " + std::to_string(info.st_uid) + ")";
    if ((info.st_mode & (S_IWGRP | S_IWOTH)) != 0)
        return folder + ": other users may write it";
    if ((info.st_mode & (S_IRWXG | S_IRWXO)) != 0 && ::chmod(folder.c_str(), 0700) != 0)
        return folder + ": " + std::strerror(errno);
    return {};
}

PreparedFolder PrepareStateFolder(const std::string& cacheFolder) {
    const std::string state = JoinPath(cacheFolder, kStateLevels);
    if (state.front() != '/')
        return {{}, state + ": not an absolute path"};
    const std::string ownFirst = JoinPath(cacheFolder, "kaldo");
    // Every missing level is made by us, for us alone; ours are checked before anything is
    // made in them.
    std::string level;
    for (const fs::path& part : fs::path(state)) {
        if (part.empty())
            continue;
        level = JoinPath(level, part.string());
        if (::mkdir(level.c_str(), 0700) != 0 && errno != EEXIST)
            return {{}, level + ": " + std::strerror(errno)};
        if (level.size() >= ownFirst.size()) {
            if (std::string error = CheckOwnFolder(level); !error.empty())
                return {{}, std::move(error)};
        }
    }
    return {state, {}};
}

// Of several matches without regard to case the smallest name wins, so the choice does not depend
// on the order in which the folder lists its entries.
static std::string MatchEntry(const std::string& folder, const std::string& name) {
    std::error_code error;
    if (fs::exists(fs::path(folder) / name, error))
        return name;
    std::string match;
    for (fs::directory_iterator it(folder.empty() ? "." : folder, error), end; !error && it != end;
         it.increment(error)) {
        std::string candidate = it->path().filename().string();
        if ((match.empty() || candidate < match) && SameNameIgnoringCase(candidate, name))
            match = std::move(candidate);
    }
    return match;
}

std::optional<std::vector<std::string>> ListFolders(const std::string& folder) {
    std::error_code error;
    fs::directory_iterator it(folder, error);
    if (error)
        return std::nullopt;
    std::vector<std::string> names;
    for (const fs::directory_iterator end; it != end; it.increment(error)) {
        std::error_code typeError;
        if (it->is_directory(typeError))
            names.push_back(it->path().filename().string());
    }
    if (error)
        return std::nullopt;
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return NameBeforeIgnoringCase(a, b);
    });
    return names;
}

std::string ResolvePath(std::string_view path) {
    std::string text(path);
    std::replace(text.begin(), text.end(), '\\', '/');

    std::string resolved;
    size_t pos = 0;
    if (!text.empty() && text.front() == '/') {
        resolved.push_back('/');
        pos = 1;
    }
    // A path that exists as given has every component exact: nothing to look up level by level.
    std::error_code error;
    bool matching = !fs::exists(text, error);
    while (pos <= text.size()) {
        size_t next = text.find('/', pos);
        if (next == std::string::npos)
            next = text.size();
        std::string component = text.substr(pos, next - pos);
        pos = next + 1;
        if (component.empty())
            continue;
        if (matching && component != "." && component != "..") {
            std::string found = MatchEntry(resolved, component);
            if (found.empty())
                matching = false;
            else
                component = found;
        }
        if (!resolved.empty() && resolved.back() != '/')
            resolved.push_back('/');
        resolved += component;
    }
    if (text.size() > 1 && text.back() == '/' && (resolved.empty() || resolved.back() != '/'))
        resolved.push_back('/');
    return resolved;
}

std::string MachinePath(std::string_view absolutePath) {
    const char* root = std::getenv("KALDO_ROOT");
    if (root == nullptr || *root == '\0')
        root = "/";
    return JoinPath(root, absolutePath);
}

} // namespace kaldo
