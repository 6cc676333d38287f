#pragma once

#include "main/net/DownloadManager.h"
#include "main/status/StatusSource.h"

namespace kaldo {

// What a printer may send: its status document and its status icon are small; a larger answer
// is refused while it arrives.
inline constexpr std::uint64_t kStatusDocumentLimit = 4 * kMiB;
inline constexpr std::uint64_t kStatusIconLimit = 1 * kMiB;

// The status document from the printer's own web server.
class NetworkStatusSource final : public StatusSource {
public:
    explicit NetworkStatusSource(std::string statusUrl, DownloadOptions options = {});

    bool Retrieve(const std::string& file) override;
    bool Fetch(const std::string& file, const std::string& url) override;
    void Abort() override;

private:
    const std::string m_statusUrl;
    DownloadManager m_downloader;
};

} // namespace kaldo
