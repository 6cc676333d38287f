#pragma once

#include "platform/fileversion/FileVersion.h"
#include "setupsupport/MachineFacts.h"

#include <optional>
#include <string>
#include <string_view>

namespace kaldo {

// What compareFiles finds for a source file A and a destination file B.
constexpr int kCompareNeitherExists = 0;
constexpr int kCompareSameVersion = 1;
constexpr int kCompareDestinationNewer = 2; // B stays
constexpr int kCompareSourceNewer = 4;

// The built-in group that may administer the machine.
constexpr int kAdministratorsGroup = 544;

// The machine facts and the file, folder, shortcut, string and account operations that the
// installer and the uninstaller share. One object per program, filled once when made.
// Paths use '/'; link paths relative to a menu may use '\' as the string tables write them.
// Operations never show messages; a failing one leaves its reason in lastError().
class SetupSupport {
public:
    virtual ~SetupSupport() = default;

    // The system language's three-letter code, normalised ("DEU", "ENU", "FRA", ...).
    virtual std::string getLanguageCode() const = 0;
    virtual VersionRecord getVersionInfo() const = 0;
    virtual int getOsClass() const = 0;
    // 1 when a 32-bit program runs on a 64-bit system; always 0 here.
    virtual int getWow64State() const = 0;
    virtual void probeWow64() = 0;
    // Deletes the matching files of the tree and the folders that become empty. Returns 0.
    virtual int deleteTree(const std::string& folder, const std::string& pattern) = 0;
    // String `id` of the program's own table in the user's language; empty when missing.
    virtual std::string loadString(int id) const = 0;
    // 1 when the user belongs to the group, else 0. Only the administrators group (544) is
    // known: root, or a user who may write where the program folder goes.
    virtual int isUserInGroup(int relativeId) const = 0;
    // Deletes the file (a link as a link), whatever its mode, without changing that mode.
    virtual bool deleteFile(const std::string& path) = 0;
    virtual std::optional<FileVersion> getFileVersion(const std::string& path) const = 0;
    // A is the source, B the destination; an empty folder means the name is the whole path.
    virtual int compareFiles(const std::string& nameA, const std::string& folderA,
                             const std::string& nameB, const std::string& folderB) const = 0;
    // Writes `link` + ".desktop" to start `target`, making the folders on the way.
    virtual bool createShortcut(const std::string& target, const std::string& link,
                                const std::string& description,
                                const std::string& workingFolder) = 0;
    virtual bool createProgramsShortcut(const std::string& target, const std::string& relative,
                                        const std::string& description,
                                        const std::string& workingFolder) = 0;
    virtual bool deleteShortcut(const std::string& link) = 0;
    virtual bool deleteProgramsShortcut(const std::string& relative) = 0;
    virtual bool createDirectories(const std::string& path, bool includeLast) = 0;
    virtual std::optional<std::string> getSpecialFolder(int id) const = 0;
    // Copies the files of `source` that match `pattern` into `destination` (made when
    // missing). A destination file is replaced unless it is newer than the source. A file that
    // is a link is copied as the file it leads to when that lies in `linksWithin`; one that
    // leads anywhere else is refused. Keeps going past a file that fails, and then answers
    // false with every failed file in lastError().
    virtual bool copyFiles(const std::string& pattern, const std::string& source,
                           const std::string& destination, bool move,
                           const std::string& linksWithin) = 0;
    // Links may lead only to files of `source` itself.
    bool copyFiles(const std::string& pattern, const std::string& source,
                   const std::string& destination, bool move) {
        return copyFiles(pattern, source, destination, move, source);
    }

    // Why the last operation that failed did so; empty when none has.
    virtual std::string lastError() const = 0;
};

} // namespace kaldo
