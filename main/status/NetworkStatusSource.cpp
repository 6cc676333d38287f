#include "main/status/NetworkStatusSource.h"

namespace kaldo {

NetworkStatusSource::NetworkStatusSource(std::string statusUrl, DownloadOptions options)
    : m_statusUrl(std::move(statusUrl))
    , m_downloader(std::move(options)) {}

bool NetworkStatusSource::Retrieve(const std::string& file) {
    return m_downloader.Fetch(file, m_statusUrl, kStatusDocumentLimit);
}

bool NetworkStatusSource::Fetch(const std::string& file, const std::string& url) {
    return m_downloader.Fetch(file, url, kStatusIconLimit);
}

void NetworkStatusSource::Abort() {
    m_downloader.Abort();
}

} // namespace kaldo
