#include "setupsupport/LinuxSetupSupport.h"

#include "platform/AtomicFile.h"
#include "platform/Paths.h"
#include "platform/registry/Registry.h"
#include "setupsupport/DesktopEntry.h"
#include "setupsupport/FileTree.h"
#include "setupsupport/SpecialFolders.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <system_error>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace kaldo {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kProductOptionsKey =
    "SYSTEM\\CurrentControlSet\\Control\\ProductOptions";

std::string WithSlashes(std::string text) {
    std::replace(text.begin(), text.end(), '\\', '/');
    return text;
}

std::string InFolder(const std::string& name, const std::string& folder) {
    return folder.empty() ? name : JoinPath(folder, name);
}

std::string SystemError(int error) {
    return std::strerror(error);
}

// The nearest folder along `path` that exists: where a new folder would be made.
std::string ExistingAncestor(fs::path path) {
    std::error_code error;
    while (!path.empty() && !fs::is_directory(path, error)) {
        const fs::path parent = path.parent_path();
        if (parent == path)
            break;
        path = parent;
    }
    return path.empty() ? std::string("/") : path.string();
}

// "Kaldo Presslane\\Kaldo Tendwell": the submenu and the entry's name.
std::pair<std::string, std::string> SubmenuAndName(const std::string& relative) {
    const std::string path = WithSlashes(relative);
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return {std::string(), path};
    const std::string folders = path.substr(0, slash);
    return {folders.substr(folders.find_last_of('/') + 1), path.substr(slash + 1)};
}

// Whether an entry of the menu folder still places itself into the submenu `category`.
bool SubmenuInUse(const std::string& programs, const std::string& category) {
    std::error_code error;
    for (fs::directory_iterator it(programs, error), end; !error && it != end;
         it.increment(error)) {
        if (it->path().extension() != kShortcutExtension)
            continue;
        std::ifstream file(it->path());
        for (std::string line; std::getline(file, line);) {
            if (line.rfind("Categories=", 0) == 0 &&
                (";" + line.substr(11)).find(";" + category + ";") != std::string::npos)
                return true;
        }
    }
    return false;
}

bool LiesIn(const fs::path& path, const fs::path& folder) {
    if (folder.empty())
        return false;
    const auto [folderEnd, pathAt] =
        std::mismatch(folder.begin(), folder.end(), path.begin(), path.end());
    return folderEnd == folder.end();
}

} // namespace

LinuxSetupSupport::LinuxSetupSupport(std::string_view stringTables, const Registry& registry,
                                     std::string_view locale)
    : m_strings(StringTable::ForLocale(stringTables, locale))
    , m_version(LinuxVersionRecord())
    , m_languageCode(LanguageCodeForLocale(locale)) {
    m_osClass = OsClass(m_version, kProductWorkstation);
    if (OsClassHasProductType(m_osClass)) {
        m_productType = ProductTypeFromText(
            registry.QueryValue(Hive::LocalMachine, kProductOptionsKey, "ProductType"));
        m_osClass = OsClass(m_version, m_productType);
    }
    probeWow64();
}

void LinuxSetupSupport::probeWow64() {
    // Programs here are built for the machine they run on.
    m_wow64State = 0;
}

bool LinuxSetupSupport::Fail(std::string reason) {
    m_lastError = std::move(reason);
    return false;
}

int LinuxSetupSupport::deleteTree(const std::string& folder, const std::string& pattern) {
    DeleteTree(folder, pattern);
    return 0;
}

std::string LinuxSetupSupport::loadString(int id) const {
    return m_strings.Text(id);
}

int LinuxSetupSupport::isUserInGroup(int relativeId) const {
    if (relativeId != kAdministratorsGroup)
        return 0;
    if (::geteuid() == 0)
        return 1;
    const std::optional<std::string> programFiles = getSpecialFolder(kFolderProgramFiles);
    if (!programFiles)
        return 0;
    const std::string parent = ExistingAncestor(fs::path(JoinPath(*programFiles, "Kaldo")));
    return ::access(parent.c_str(), W_OK | X_OK) == 0 ? 1 : 0;
}

// A read-only file needs no change of mode to go: removal asks only its folder. Changing it
// would also change whatever a link swapped into its place, or another name of the file, leads
// to.
bool LinuxSetupSupport::deleteFile(const std::string& path) {
    if (::unlink(path.c_str()) != 0)
        return Fail("Cannot delete " + path + ": " + SystemError(errno));
    return true;
}

std::optional<FileVersion> LinuxSetupSupport::getFileVersion(const std::string& path) const {
    return ReadFileVersion(path);
}

int LinuxSetupSupport::compareFiles(const std::string& nameA, const std::string& folderA,
                                    const std::string& nameB, const std::string& folderB) const {
    const std::string pathA = InFolder(nameA, folderA);
    const std::string pathB = InFolder(nameB, folderB);
    const std::optional<FileVersion> versionA = getFileVersion(pathA);
    const std::optional<FileVersion> versionB = getFileVersion(pathB);
    if (versionA && versionB) {
        if (*versionA > *versionB)
            return kCompareSourceNewer;
        return *versionA < *versionB ? kCompareDestinationNewer : kCompareSameVersion;
    }
    if (versionA)
        return kCompareSourceNewer;
    if (versionB)
        return kCompareDestinationNewer;

    struct stat a {};
    struct stat b {};
    const bool aExists = ::stat(pathA.c_str(), &a) == 0;
    const bool bExists = ::stat(pathB.c_str(), &b) == 0;
    if (aExists && !bExists)
        return kCompareDestinationNewer; // copied all the same: the destination is missing
    if (!aExists && !bExists)
        return kCompareNeitherExists;
    if (!aExists)
        return kCompareSourceNewer;
    const bool aEarlier =
        a.st_mtim.tv_sec < b.st_mtim.tv_sec ||
        (a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec < b.st_mtim.tv_nsec);
    return aEarlier ? kCompareDestinationNewer : kCompareSourceNewer;
}

// Written beside and renamed over, so that a menu never reads half a file. Folders on the way
// are made; inside the home of the user a setup runs for, they and the file become the user's.
bool LinuxSetupSupport::WriteFile(const std::string& path, const std::string& text, mode_t mode) {
    const std::string firstExisting = ExistingAncestor(fs::path(path).parent_path());
    if (!CreateDirectories(path, false))
        return Fail("Cannot create the folder of " + path + ": " + SystemError(errno));
    // A fresh temporary name, never one that somebody could have laid a link at beforehand.
    AtomicFile file(path);
    if (!file.Open() || !file.Write(text) || ::fchmod(::fileno(file.Stream()), mode) != 0 ||
        !file.Commit())
        return Fail("Cannot write " + path + ": " + SystemError(errno));
    if (m_userOwner && path.rfind(m_userOwner->Home + "/", 0) == 0)
        GiveOwnership(m_userOwner->Home, path, firstExisting, m_userOwner->Uid, m_userOwner->Gid);
    return true;
}

bool LinuxSetupSupport::createShortcut(const std::string& target, const std::string& link,
                                       const std::string& description,
                                       const std::string& workingFolder) {
    const std::string path = WithSlashes(link) + std::string(kShortcutExtension);
    const std::string name = fs::path(WithSlashes(link)).filename().string();
    // Desktops start only executable entries.
    return WriteFile(path, DesktopEntryText(name, target, description, workingFolder), 0755);
}

int LinuxSetupSupport::ProgramsFolderId() const {
    return ProgramsMenuFolderId(getOsClass());
}

std::optional<std::string> LinuxSetupSupport::ProgramsFolder() const {
    return getSpecialFolder(ProgramsFolderId());
}

// Menus show entries by category; a folder of the menu is a submenu that a merged menu file
// names and gathers by its own category, not a subfolder of the entries.
bool LinuxSetupSupport::createProgramsShortcut(const std::string& target,
                                               const std::string& relative,
                                               const std::string& description,
                                               const std::string& workingFolder) {
    const std::optional<std::string> programs = ProgramsFolder();
    if (!programs)
        return Fail("The applications menu folder is unknown");
    const auto [submenu, name] = SubmenuAndName(relative);
    if (DesktopFileId(name).empty())
        return Fail("The menu entry \"" + relative + "\" has no name");
    if (!submenu.empty()) {
        const std::optional<std::string> directories = MenuDirectoriesFolder(ProgramsFolderId());
        const std::optional<std::string> menus = MergedMenusFolder(ProgramsFolderId());
        if (!directories || !menus)
            return Fail("The menu folders are unknown");
        const std::string id = DesktopFileId(submenu);
        if (!WriteFile(JoinPath(*directories, id + ".directory"), DirectoryEntryText(submenu),
                       0644) ||
            !WriteFile(JoinPath(*menus, id + ".menu"), MergedMenuText(submenu), 0644))
            return false;
    }
    const std::string path =
        JoinPath(*programs, DesktopFileId(name) + std::string(kShortcutExtension));
    return WriteFile(path, DesktopEntryText(name, target, description, workingFolder, submenu),
                     0644);
}

bool LinuxSetupSupport::deleteShortcut(const std::string& link) {
    return deleteFile(WithSlashes(link) + std::string(kShortcutExtension));
}

// The submenu goes with its last entry.
bool LinuxSetupSupport::deleteProgramsShortcut(const std::string& relative) {
    const std::optional<std::string> programs = ProgramsFolder();
    if (!programs)
        return Fail("The applications menu folder is unknown");
    const auto [submenu, name] = SubmenuAndName(relative);
    const bool deleted = deleteShortcut(JoinPath(*programs, DesktopFileId(name)));
    if (!submenu.empty() && !SubmenuInUse(*programs, SubmenuCategory(submenu))) {
        const std::string id = DesktopFileId(submenu);
        if (const auto menus = MergedMenusFolder(ProgramsFolderId()))
            ::unlink(JoinPath(*menus, id + ".menu").c_str());
        if (const auto directories = MenuDirectoriesFolder(ProgramsFolderId()))
            ::unlink(JoinPath(*directories, id + ".directory").c_str());
    }
    return deleted;
}

bool LinuxSetupSupport::createDirectories(const std::string& path, bool includeLast) {
    if (CreateDirectories(path, includeLast))
        return true;
    return Fail("Cannot create the folders of " + path + ": " + SystemError(errno));
}

std::optional<std::string> LinuxSetupSupport::getSpecialFolder(int id) const {
    return SpecialFolderPath(id);
}

// The copy is made beside the destination and renamed over it once complete, with the source's
// mode and write time: the replace policy compares write times, and a copy cut off part-way
// must never stand in the destination's place looking newer than its source.
bool LinuxSetupSupport::CopyOne(const std::string& source, const std::string& destination) {
    const auto failed = [&](int error) {
        return Fail("Cannot copy " + source + " to " + destination + ": " + SystemError(error));
    };
    struct stat info {};
    if (::stat(source.c_str(), &info) != 0)
        return failed(errno);
    if (!S_ISREG(info.st_mode))
        return failed(EINVAL);
    std::ifstream input(source, std::ios::binary);
    if (!input)
        return failed(errno);
    AtomicFile copy(destination);
    if (!copy.Open())
        return failed(errno);
    std::vector<char> buffer(1 << 16);
    while (input) {
        input.read(buffer.data(), std::streamsize(buffer.size()));
        if (!copy.Write(std::string_view(buffer.data(), size_t(input.gcount()))))
            return failed(errno);
    }
    if (input.bad())
        return failed(EIO);
    // The time is set after the last write reached the file, or the write would renew it.
    const int output = ::fileno(copy.Stream());
    const timespec times[2] = {{0, UTIME_OMIT}, info.st_mtim};
    if (std::fflush(copy.Stream()) != 0 || ::fchmod(output, info.st_mode & 07777) != 0 ||
        ::futimens(output, times) != 0 || !copy.Commit())
        return failed(errno);
    return true;
}

bool LinuxSetupSupport::copyFiles(const std::string& pattern, const std::string& source,
                                  const std::string& destination, bool move,
                                  const std::string& linksWithin) {
    if (pattern.empty() || source.empty() || destination.empty())
        return Fail("Nothing to copy: pattern, source or destination missing");
    if (!createDirectories(destination, true))
        return false;

    // Each name with the file it is copied from: itself, or where its link leads.
    std::vector<std::pair<std::string, fs::path>> files;
    std::vector<std::string> failures;
    std::error_code error;
    const fs::path boundary = fs::weakly_canonical(linksWithin, error);
    for (fs::directory_iterator it(source, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        std::error_code typeError;
        if (!MatchesPattern(name, pattern))
            continue;
        if (!it->is_symlink(typeError)) {
            if (it->is_regular_file(typeError))
                files.emplace_back(name, it->path());
            continue;
        }
        const fs::path real = fs::canonical(it->path(), typeError);
        if (typeError) {
            failures.push_back("The file " + it->path().string() + " is a link that leads nowhere");
            continue;
        }
        if (!LiesIn(real, boundary)) {
            failures.push_back("The file " + it->path().string() + " is a link that leads out of " +
                               boundary.string());
            continue;
        }
        if (fs::is_regular_file(fs::symlink_status(real, typeError)))
            files.emplace_back(name, real);
    }
    if (error)
        return Fail("Cannot read the folder " + source + ": " + error.message());
    std::sort(files.begin(), files.end());

    for (const auto& [name, from] : files) {
        const std::string to = JoinPath(destination, name);
        std::error_code sameError;
        if (fs::equivalent(from, to, sameError))
            continue; // already in place: replacing it would delete the source
        const int comparison = compareFiles(from.string(), "", to, "");
        std::error_code existsError;
        const bool destinationExists = fs::exists(fs::symlink_status(to, existsError));
        if (comparison == kCompareDestinationNewer && destinationExists)
            continue;
        // A read-only destination is replaced as well; the rename needs no rights on it.
        bool copied = CopyOne(from.string(), to);
        if (copied && move)
            copied = deleteFile(JoinPath(source, name));
        if (!copied)
            failures.push_back(m_lastError);
    }
    if (failures.empty())
        return true;
    std::string reasons;
    for (const std::string& failure : failures)
        reasons += (reasons.empty() ? "" : "\n") + failure;
    return Fail(reasons);
}

} // namespace kaldo
