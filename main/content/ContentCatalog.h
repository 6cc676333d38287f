#pragma once

#include "main/pages/XmlHandles.h"

#include <string>
#include <string_view>
#include <vector>

namespace kaldo {

struct ContentEntry {
    std::string DriverName;
    std::string Folder;
    std::string Model;
};

// Which printer driver names have content, in which folder and under which model, in the
// order of the content folders (by name) and of their ModelData elements.
class ContentCatalog final {
public:
    ContentCatalog() = default;
    // Reads the merged toolbox.xml of every content folder below `programFolder`.
    explicit ContentCatalog(const std::string& programFolder);
    // Merges every content folder's two configuration pieces in memory instead: for answers
    // that must not write anything and may come before any merged file exists.
    static ContentCatalog FromPieces(const std::string& programFolder,
                                     const std::string& languageCode);

    // The first entry whose DriverName equals `driverName`, else the first whose DriverName
    // occurs inside it. The outputs are left alone when nothing matches.
    bool Lookup(std::string_view driverName, std::string& folder, std::string& model) const;

    const std::vector<ContentEntry>& Entries() const { return m_entries; }

private:
    void ReadFolder(const std::string& folder);
    void ReadDocument(const XmlDocHandle& document, const std::string& folder);

    std::vector<ContentEntry> m_entries;
};

} // namespace kaldo
