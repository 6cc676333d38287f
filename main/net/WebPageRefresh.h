#pragma once

#include "main/net/DownloadManager.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kaldo {

class BackgroundJob;

// A page from the maker's site replaces the installed copy only when its first
// kWebPageHeadBytes bytes carry this comment; anything else (an error page, say) is not ours.
inline constexpr char kToolboxMarker[] = "<!-- toolbox -->";
inline constexpr size_t kWebPageHeadBytes = 1024;
inline constexpr std::uint64_t kWebPageLimit = 8 * kMiB;

// The web-hosted pages of the content, copied from the start-up configuration.
struct WebPageRefreshJob {
    std::vector<std::string> WebFiles; // the tab pages' Web entries, in order
    std::string UiFolder;              // where the content's pages live
    std::string ModelPageUrl;
};

// Where the maker's site serves the page `fileName` for the model.
std::string WebPageUrl(const std::string& modelPageUrl, const std::string& fileName);

// Fetches each page of the job and puts it in place of the local copy when it carries
// kToolboxMarker. Names that would leave the UI folder are skipped. Stops early once
// `downloads` is aborted. Returns how many pages were replaced.
int RefreshWebPages(const WebPageRefreshJob& job, DownloadManager& downloads);

// RefreshWebPages in the background, once, stopped promptly at shutdown.
class WebPageRefresh final {
public:
    explicit WebPageRefresh(DownloadOptions options = {});
    ~WebPageRefresh();
    WebPageRefresh(const WebPageRefresh&) = delete;
    WebPageRefresh& operator=(const WebPageRefresh&) = delete;

    // False when a refresh was started before or the object has been stopped.
    bool Start(WebPageRefreshJob job);
    // Aborts the running fetch and waits for it to end; no page is replaced afterwards.
    void Stop();

private:
    DownloadOptions m_options;
    std::unique_ptr<BackgroundJob> m_refresh;
    bool m_used = false;
};

} // namespace kaldo
