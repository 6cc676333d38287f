#include "main/content/ContentCatalog.h"

#include "main/content/ContentFolders.h"
#include "main/content/ContentInfoMerge.h"
#include "main/pages/DocumentUtils.h"
#include "main/pages/ResultCodes.h"
#include "main/pages/XmlElements.h"
#include "platform/Paths.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <system_error>

namespace kaldo {

namespace {

// libxml2 knows this Korean encoding only by its other name.
constexpr std::string_view kKoreanName = "ks_c_5601";
constexpr std::string_view kKoreanOtherName = "EUC-KR";

void RenameKoreanEncoding(const std::string& path) {
    while (FileContains(path, kKoreanName)) {
        std::error_code error;
        const auto before = std::filesystem::file_size(path, error);
        ReplaceInFile(path, kKoreanName, kKoreanOtherName);
        // Each replacement shortens the file; stop when one could not be made.
        if (error)
            break;
        const auto after = std::filesystem::file_size(path, error);
        if (error || after >= before)
            break;
    }
}

} // namespace

ContentCatalog ContentCatalog::FromPieces(const std::string& programFolder,
                                          const std::string& languageCode) {
    ContentCatalog catalog;
    std::vector<std::string> folders;
    ListContentFolders(programFolder, folders);
    for (const std::string& folder : folders) {
        std::string merged;
        if (MergeContentInfoText(ResolvePath(JoinPath(folder, "toolboxinfo.xml")),
                                 ResolvePath(JoinPath(folder, "tabinfo.xml")), languageCode,
                                 merged) != ResultCode::Ok)
            continue;
        for (size_t at = merged.find(kKoreanName); at != std::string::npos;
             at = merged.find(kKoreanName, at))
            merged.replace(at, kKoreanName.size(), kKoreanOtherName);
        const XmlDocHandle document(
            xmlReadMemory(merged.data(), int(merged.size()), nullptr, nullptr, kSafeParseOptions));
        catalog.ReadDocument(document, folder);
    }
    return catalog;
}

ContentCatalog::ContentCatalog(const std::string& programFolder) {
    std::vector<std::string> folders;
    ListContentFolders(programFolder, folders);
    for (const std::string& folder : folders)
        ReadFolder(folder);
}

void ContentCatalog::ReadFolder(const std::string& folder) {
    const std::string path = ResolvePath(JoinPath(folder, "toolbox.xml"));
    RenameKoreanEncoding(path);
    ReadDocument(ReadXmlFile(path), folder);
}

void ContentCatalog::ReadDocument(const XmlDocHandle& document, const std::string& folder) {
    const xmlNode* root = document ? xmlDocGetRootElement(document.get()) : nullptr;
    for (const xmlNode* node = FirstChildElement(root); node; node = NextElement(node)) {
        if (!NameIs(node, "ModelData"))
            continue;
        std::optional<std::string> model = AttributeText(node, "model");
        std::optional<std::string> driverName;
        for (const xmlNode* child = FirstChildElement(node); child; child = NextElement(child)) {
            if (NameIs(child, "DriverName"))
                driverName = ElementText(child);
        }
        if (model && driverName)
            m_entries.push_back({std::move(*driverName), folder, std::move(*model)});
    }
}

bool ContentCatalog::Lookup(std::string_view driverName, std::string& folder,
                            std::string& model) const {
    auto found = std::find_if(m_entries.begin(), m_entries.end(), [&](const ContentEntry& entry) {
        return entry.DriverName == driverName;
    });
    if (found == m_entries.end()) {
        found = std::find_if(m_entries.begin(), m_entries.end(), [&](const ContentEntry& entry) {
            return !entry.DriverName.empty() &&
                   driverName.find(entry.DriverName) != std::string_view::npos;
        });
    }
    if (found == m_entries.end())
        return false;
    folder = found->Folder;
    model = found->Model;
    return true;
}

} // namespace kaldo
