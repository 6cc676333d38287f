#include "setupsupport/LinuxSetupSupport.h"

#include "platform/Paths.h"
#include "platform/registry/Registry.h"
#include "setupsupport/DesktopEntry.h"
#include "setupsupport/FileTree.h"
#include "setupsupport/SpecialFolders.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace kaldo {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kProductOptionsKey =
    "SYSTEM\\CurrentControlSet\\Control\\ProductOptions";

std::string withSlashes(std::string text) {
    std::replace(text.begin(), text.end(), '\\', '/');
    return text;
}

std::string inFolder(const std::string& name, const std::string& folder) {
    return folder.empty() ? name : JoinPath(folder, name);
}

std::string systemError(int error) {
    return std::strerror(error);
}

// The nearest folder along `path` that exists: where a new folder would be made.
std::string existingAncestor(fs::path path) {
    std::error_code error;
    while (!path.empty() && !fs::is_directory(path, error)) {
        const fs::path parent = path.parent_path();
        if (parent == path)
            break;
        path = parent;
    }
    return path.empty() ? std::string("/") : path.string();
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

bool LinuxSetupSupport::fail(std::string reason) {
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
    const std::string parent = existingAncestor(fs::path(JoinPath(*programFiles, "Kaldo")));
    return ::access(parent.c_str(), W_OK | X_OK) == 0 ? 1 : 0;
}

bool LinuxSetupSupport::deleteFile(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0)
        return fail("Cannot delete " + path + ": " + systemError(errno));
    if (S_ISREG(info.st_mode) && (info.st_mode & S_IWUSR) == 0)
        ::chmod(path.c_str(), (info.st_mode & 07777) | S_IWUSR);
    if (::unlink(path.c_str()) != 0)
        return fail("Cannot delete " + path + ": " + systemError(errno));
    return true;
}

std::optional<FileVersion> LinuxSetupSupport::getFileVersion(const std::string& path) const {
    return ReadFileVersion(path);
}

int LinuxSetupSupport::compareFiles(const std::string& nameA, const std::string& folderA,
                                    const std::string& nameB, const std::string& folderB) const {
    const std::string pathA = inFolder(nameA, folderA);
    const std::string pathB = inFolder(nameB, folderB);
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

bool LinuxSetupSupport::createShortcut(const std::string& target, const std::string& link,
                                       const std::string& description,
                                       const std::string& workingFolder) {
    const std::string path = withSlashes(link) + std::string(kShortcutExtension);
    if (!CreateDirectories(path, false))
        return fail("Cannot create the folder of " + path + ": " + systemError(errno));
    const std::string name = fs::path(withSlashes(link)).filename().string();
    const std::string text = DesktopEntryText(name, target, description, workingFolder);

    // Written beside and renamed over, so that a menu never reads half an entry.
    const std::string temporary = path + ".new";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        if (!(file << text) || !file.flush())
            return fail("Cannot write " + path + ": " + systemError(errno));
    }
    ::chmod(temporary.c_str(), 0755); // desktops start only executable entries
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return fail("Cannot write " + path + ": " + systemError(error));
    }
    return true;
}

std::optional<std::string> LinuxSetupSupport::programsFolder() const {
    return getSpecialFolder(getOsClass() < 7 ? kFolderPrograms : kFolderCommonPrograms);
}

bool LinuxSetupSupport::createProgramsShortcut(const std::string& target,
                                               const std::string& relative,
                                               const std::string& description,
                                               const std::string& workingFolder) {
    const std::optional<std::string> programs = programsFolder();
    if (!programs)
        return fail("The applications menu folder is unknown");
    return createShortcut(target, JoinPath(*programs, withSlashes(relative)), description,
                          workingFolder);
}

bool LinuxSetupSupport::deleteShortcut(const std::string& link) {
    return deleteFile(withSlashes(link) + std::string(kShortcutExtension));
}

bool LinuxSetupSupport::deleteProgramsShortcut(const std::string& relative) {
    const std::optional<std::string> programs = programsFolder();
    if (!programs)
        return fail("The applications menu folder is unknown");
    return deleteShortcut(JoinPath(*programs, withSlashes(relative)));
}

bool LinuxSetupSupport::createDirectories(const std::string& path, bool includeLast) {
    if (CreateDirectories(path, includeLast))
        return true;
    return fail("Cannot create the folders of " + path + ": " + systemError(errno));
}

std::optional<std::string> LinuxSetupSupport::getSpecialFolder(int id) const {
    return SpecialFolderPath(id);
}

bool LinuxSetupSupport::copyOne(const std::string& source, const std::string& destination) {
    std::error_code error;
    if (!fs::copy_file(source, destination, fs::copy_options::overwrite_existing, error))
        return fail("Cannot copy " + source + " to " + destination + ": " + error.message());
    // The replace policy compares write times, so the copy keeps the source's.
    const fs::file_time_type written = fs::last_write_time(source, error);
    if (!error)
        fs::last_write_time(destination, written, error);
    return true;
}

bool LinuxSetupSupport::copyFiles(const std::string& pattern, const std::string& source,
                                  const std::string& destination, bool move) {
    if (pattern.empty() || source.empty() || destination.empty())
        return fail("Nothing to copy: pattern, source or destination missing");
    if (!createDirectories(destination, true))
        return false;

    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(source, error), end; !error && it != end; it.increment(error)) {
        std::error_code typeError;
        if (it->is_regular_file(typeError))
            names.push_back(it->path().filename().string());
    }
    if (error)
        return fail("Cannot read the folder " + source + ": " + error.message());
    std::sort(names.begin(), names.end());

    bool allCopied = true;
    for (const std::string& name : names) {
        if (!MatchesPattern(name, pattern))
            continue;
        const std::string from = JoinPath(source, name);
        const std::string to = JoinPath(destination, name);
        std::error_code sameError;
        if (fs::equivalent(from, to, sameError))
            continue; // already in place: replacing it would delete the source
        const int comparison = compareFiles(name, source, name, destination);
        std::error_code existsError;
        const bool destinationExists = fs::exists(fs::symlink_status(to, existsError));
        if (comparison == kCompareDestinationNewer && destinationExists)
            continue;
        if (destinationExists)
            deleteFile(to);
        bool copied = copyOne(from, to);
        if (copied && move)
            copied = deleteFile(from);
        allCopied = allCopied && copied;
    }
    return allCopied;
}

} // namespace kaldo
