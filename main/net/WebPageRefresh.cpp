#include "main/net/WebPageRefresh.h"

#include "main/net/InertPage.h"
#include "platform/AtomicFile.h"
#include "platform/BackgroundJob.h"
#include "platform/Paths.h"
#include "platform/Trace.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>

namespace kaldo {

namespace {

// Web entries come from the content's configuration and name files of the UI folder itself.
bool StaysInFolder(std::string_view name) {
    if (name.empty() || name == "." || name == "..")
        return false;
    return std::none_of(name.begin(), name.end(), [](char c) {
        return c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20;
    });
}

std::string ReadAll(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// The page as it may be shown: only one of ours, and only as data.
std::optional<std::string> ShownPage(const std::string& fetched) {
    if (fetched.substr(0, kWebPageHeadBytes).find(kToolboxMarker) == std::string::npos)
        return std::nullopt;
    return MakeInertPage(fetched);
}

bool RefreshWebPage(const WebPageRefreshJob& job, const std::string& name,
                    DownloadManager& downloads) {
    const std::string target = ResolvePath(JoinPath(job.UiFolder, name));
    // The fetched page lands beside the target under a name of its own; only its inert form
    // replaces the target.
    AtomicFile fetched(target);
    if (!fetched.Open() || !downloads.Fetch(fetched.TemporaryPath(),
                                            WebPageUrl(job.ModelPageUrl, name), kWebPageLimit))
        return false;
    const std::optional<std::string> page = ShownPage(ReadAll(fetched.TemporaryPath()));
    fetched.Discard();
    if (!page) {
        Trace("web page refresh: kept the installed " + name + "\n");
        return false;
    }
    return !downloads.Aborted() && WriteFileAtomically(target, *page);
}

} // namespace

std::string WebPageUrl(const std::string& modelPageUrl, const std::string& fileName) {
    return modelPageUrl + "&PgName=userdochtml&FileName=" + fileName;
}

int RefreshWebPages(const WebPageRefreshJob& job, DownloadManager& downloads) {
    if (job.UiFolder.empty())
        return 0;
    int replaced = 0;
    for (const std::string& name : job.WebFiles) {
        if (downloads.Aborted())
            break;
        if (!StaysInFolder(name)) {
            Trace("web page refresh: refused " + name + "\n");
            continue;
        }
        if (RefreshWebPage(job, name, downloads))
            ++replaced;
    }
    return replaced;
}

WebPageRefresh::WebPageRefresh(DownloadOptions options)
    : m_options(std::move(options)) {}

WebPageRefresh::~WebPageRefresh() {
    Stop();
}

bool WebPageRefresh::Start(WebPageRefreshJob job) {
    if (m_used)
        return false;
    m_used = true;
    m_refresh = std::make_unique<BackgroundJob>(
        [job = std::move(job), options = m_options](std::stop_token abort) {
            DownloadManager downloads(options);
            std::stop_callback stopFetch(abort, [&downloads] { downloads.Abort(); });
            RefreshWebPages(job, downloads);
        });
    return true;
}

void WebPageRefresh::Stop() {
    m_used = true;
    m_refresh.reset();
}

} // namespace kaldo
