#include "platform/Paths.h"

#include <QString>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <pwd.h>
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

static std::string absoluteVariable(const char* name) {
    const char* value = std::getenv(name);
    // Relative values are invalid for XDG variables and are ignored.
    return value != nullptr && value[0] == '/' ? value : "";
}

std::string StateFolder() {
    std::string cache = absoluteVariable("XDG_CACHE_HOME");
    if (cache.empty()) {
        std::string home = absoluteVariable("HOME");
        if (home.empty()) {
            const passwd* user = ::getpwuid(::getuid());
            home = user != nullptr && user->pw_dir != nullptr ? user->pw_dir : "/";
        }
        cache = JoinPath(home, ".cache");
    }
    return JoinPath(cache, "kaldo/Tendwell/");
}

// Names compare as on Windows: without regard to case, also beyond ASCII ("DONNÉES" is
// "données"). Of several such matches the smallest name wins, so the choice does not depend
// on the order in which the folder lists its entries.
static std::string matchEntry(const std::string& folder, const std::string& name) {
    std::error_code error;
    if (fs::exists(fs::path(folder) / name, error))
        return name;
    const QString wanted = QString::fromStdString(name);
    std::string match;
    for (fs::directory_iterator it(folder.empty() ? "." : folder, error), end; !error && it != end;
         it.increment(error)) {
        std::string candidate = it->path().filename().string();
        if ((match.empty() || candidate < match) &&
            QString::fromStdString(candidate).compare(wanted, Qt::CaseInsensitive) == 0)
            match = std::move(candidate);
    }
    return match;
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
    bool matching = true;
    while (pos <= text.size()) {
        size_t next = text.find('/', pos);
        if (next == std::string::npos)
            next = text.size();
        std::string component = text.substr(pos, next - pos);
        pos = next + 1;
        if (component.empty())
            continue;
        if (matching && component != "." && component != "..") {
            std::string found = matchEntry(resolved, component);
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
