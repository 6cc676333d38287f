#pragma once

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
    explicit ContentCatalog(const std::string& programFolder);

    // The first entry whose DriverName equals `driverName`, else the first whose DriverName
    // occurs inside it. The outputs are left alone when nothing matches.
    bool Lookup(std::string_view driverName, std::string& folder, std::string& model) const;

    const std::vector<ContentEntry>& Entries() const { return m_entries; }

private:
    void ReadFolder(const std::string& folder);

    std::vector<ContentEntry> m_entries;
};

} // namespace kaldo
