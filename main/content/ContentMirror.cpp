#include "main/content/ContentMirror.h"

#include "main/content/ContentFolders.h"
#include "platform/AtomicFile.h"
#include "platform/Paths.h"

#include <array>
#include <cerrno>
#include <climits>
#include <filesystem>
#include <optional>
#include <set>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace kaldo {

namespace fs = std::filesystem;

namespace {

constexpr const char* kMergedConfiguration = "toolbox.xml";

bool MakeFolder(const fs::path& folder) {
    std::error_code error;
    const fs::file_status status = fs::symlink_status(folder, error);
    if (fs::is_directory(status))
        return true;
    if (fs::exists(status))
        fs::remove_all(folder, error);
    // This user's alone, like the state folder it lies in.
    if (!folder.has_parent_path() || folder.parent_path() == folder ||
        !MakeFolder(folder.parent_path()))
        return false;
    return ::mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST;
}

// A link the program made between files of the mirror (the caption picture): relative, and
// it leads to a file.
bool IsOwnLink(const fs::path& link, const fs::path& target) {
    std::error_code error;
    return target.is_relative() && fs::exists(link, error);
}

// The target of the link at `path`, read in one call (every start reads every link of the
// mirror); nothing when `path` is no link.
std::optional<fs::path> LinkTarget(const fs::path& path) {
    std::array<char, PATH_MAX> target{};
    const ssize_t size = ::readlink(path.c_str(), target.data(), target.size());
    if (size < 0 || static_cast<size_t>(size) == target.size())
        return std::nullopt;
    return fs::path(std::string(target.data(), static_cast<size_t>(size)));
}

void MirrorFile(const fs::path& installed, const fs::path& mirror) {
    std::error_code error;
    const std::optional<fs::path> target = LinkTarget(mirror);
    if (target && (*target == installed || IsOwnLink(mirror, *target)))
        return;
    // Not our link: a link elsewhere is replaced below, as is a folder or other thing.
    const fs::file_status status = fs::symlink_status(mirror, error);
    if (fs::is_regular_file(status)) {
        // This user's own file: downloaded, updated or written by the program. It stays
        // until the installation brings a newer one.
        const auto own = fs::last_write_time(mirror, error);
        const auto shipped = fs::last_write_time(installed, error);
        if (error || shipped <= own)
            return;
    } else if (fs::exists(status) && !fs::is_symlink(status)) {
        fs::remove_all(mirror, error);
    }
    ReplaceWithLink(installed.string(), mirror.string());
}

// What the installation no longer has: links go, this user's own files stay.
void PruneEntry(const fs::path& mirror) {
    std::error_code error;
    const fs::file_status status = fs::symlink_status(mirror, error);
    if (fs::is_symlink(status)) {
        const fs::path target = fs::read_symlink(mirror, error);
        if (error || !IsOwnLink(mirror, target))
            fs::remove(mirror, error);
    } else if (fs::is_directory(status)) {
        for (fs::directory_iterator it(mirror, error), end; !error && it != end;
             it.increment(error))
            PruneEntry(it->path());
        // Only an empty folder is removed.
        fs::remove(mirror, error);
    }
}

bool SyncFolder(const fs::path& installed, const fs::path& mirror, bool contentFolder) {
    if (!MakeFolder(mirror))
        return false;
    std::error_code error;
    std::set<std::string> shipped;
    for (fs::directory_iterator it(installed, error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (contentFolder && name == kMergedConfiguration)
            continue;
        // The folder listing's file types save a look at each file; links are followed.
        std::error_code typeError;
        if (it->is_directory(typeError)) {
            shipped.insert(name);
            SyncFolder(it->path(), mirror / name, false);
        } else if (it->is_regular_file(typeError)) {
            shipped.insert(name);
            MirrorFile(it->path(), mirror / name);
        }
    }
    if (error)
        return false;
    std::vector<fs::path> gone;
    for (fs::directory_iterator it(mirror, error), end; !error && it != end; it.increment(error)) {
        if (shipped.count(it->path().filename().string()) == 0)
            gone.push_back(it->path());
    }
    for (const fs::path& path : gone)
        PruneEntry(path);
    return true;
}

} // namespace

bool MirrorContentFolders(const std::string& programFolder, const std::string& stateFolder) {
    std::vector<std::string> installed;
    if (!ListContentFolders(programFolder, installed))
        return false;
    const fs::path installedData = ResolvePath(JoinPath(programFolder, "data"));
    const fs::path data = fs::path(stateFolder) / installedData.filename();
    if (!MakeFolder(data))
        return false;
    std::set<std::string> names;
    for (const std::string& folder : installed) {
        const std::string name = fs::path(folder).filename().string();
        names.insert(name);
        MirrorContentFolder(folder, (data / name).string());
    }
    // A content folder that was uninstalled takes this user's pages with it.
    std::error_code error;
    std::vector<fs::path> gone;
    for (fs::directory_iterator it(data, error), end; !error && it != end; it.increment(error)) {
        if (names.count(it->path().filename().string()) == 0)
            gone.push_back(it->path());
    }
    for (const fs::path& path : gone)
        fs::remove_all(path, error);
    return true;
}

bool MirrorContentFolder(const std::string& installedFolder, const std::string& mirrorFolder) {
    return SyncFolder(fs::absolute(installedFolder), mirrorFolder, true);
}

} // namespace kaldo
