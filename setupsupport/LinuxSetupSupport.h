#pragma once

#include "platform/InvokingUser.h"
#include "platform/strings/StringTable.h"
#include "setupsupport/SetupSupport.h"

namespace kaldo {

class Registry;

// SetupSupport on this system: special folders under KALDO_ROOT and the XDG folders,
// shortcuts as desktop entries, versions from embedded version blocks, strings from the
// program's own tables.
class LinuxSetupSupport : public SetupSupport {
public:
    // `stringTables` is the resource folder of the program's string tables; `locale` chooses
    // their language and the language code. The product type comes from `registry`.
    LinuxSetupSupport(std::string_view stringTables, const Registry& registry,
                      std::string_view locale);

    std::string getLanguageCode() const override { return m_languageCode; }
    VersionRecord getVersionInfo() const override { return m_version; }
    int getOsClass() const override { return m_osClass; }
    int getWow64State() const override { return m_wow64State; }
    void probeWow64() override;
    int deleteTree(const std::string& folder, const std::string& pattern) override;
    std::string loadString(int id) const override;
    int isUserInGroup(int relativeId) const override;
    bool deleteFile(const std::string& path) override;
    std::optional<FileVersion> getFileVersion(const std::string& path) const override;
    int compareFiles(const std::string& nameA, const std::string& folderA, const std::string& nameB,
                     const std::string& folderB) const override;
    bool createShortcut(const std::string& target, const std::string& link,
                        const std::string& description, const std::string& workingFolder) override;
    bool createProgramsShortcut(const std::string& target, const std::string& relative,
                                const std::string& description,
                                const std::string& workingFolder) override;
    bool deleteShortcut(const std::string& link) override;
    bool deleteProgramsShortcut(const std::string& relative) override;
    bool createDirectories(const std::string& path, bool includeLast) override;
    std::optional<std::string> getSpecialFolder(int id) const override;
    using SetupSupport::copyFiles;
    bool copyFiles(const std::string& pattern, const std::string& source,
                   const std::string& destination, bool move,
                   const std::string& linksWithin) override;
    std::string lastError() const override { return m_lastError; }

    int GetProductType() const { return m_productType; }

    // Files and folders that shortcuts add inside this user's home become the user's, for a
    // setup run as root on the user's behalf.
    void SetUserFileOwner(std::optional<InvokingUser> user) { m_userOwner = std::move(user); }

private:
    bool Fail(std::string reason);
    int ProgramsFolderId() const;
    std::optional<std::string> ProgramsFolder() const;
    bool CopyOne(const std::string& source, const std::string& destination);
    bool WriteFile(const std::string& path, const std::string& text, mode_t mode);

    StringTable m_strings;
    VersionRecord m_version;
    std::string m_languageCode;
    int m_osClass = kUnknownOsClass;
    int m_productType = kProductWorkstation;
    int m_wow64State = 2;
    std::string m_lastError;
    std::optional<InvokingUser> m_userOwner;
};

} // namespace kaldo
