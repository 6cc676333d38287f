// The refresh of the content's web-hosted pages: the list of page names from the
// configuration, and what the maker's site answers for each. Input: the page the site serves,
// then the names one per line, separated by kPartSeparator.
#include "main/net/WebPageRefresh.h"
#include "platform/Paths.h"
#include "tests/fuzz/FuzzSupport.h"

#include <httplib.h>

#include <filesystem>
#include <mutex>
#include <thread>

using namespace kaldo;

namespace {

// A site on the loopback interface that answers every request with the current page.
class Site final {
public:
    Site() {
        m_server.Get(".*", [this](const httplib::Request&, httplib::Response& response) {
            std::lock_guard lock(m_mutex);
            response.set_content(m_page, "text/html");
        });
        m_port = m_server.bind_to_any_port("127.0.0.1");
        if (m_port <= 0)
            std::abort();
        m_thread = std::thread([this] { m_server.listen_after_bind(); });
        while (!m_server.is_running())
            std::this_thread::yield();
    }
    ~Site() {
        m_server.stop();
        m_thread.join();
    }

    void Serve(std::string page) {
        std::lock_guard lock(m_mutex);
        m_page = std::move(page);
    }
    std::string ModelPageUrl() const {
        return "http://127.0.0.1:" + std::to_string(m_port) + "/model.html?App=T";
    }

private:
    httplib::Server m_server;
    std::mutex m_mutex;
    std::string m_page;
    int m_port = 0;
    std::thread m_thread;
};

constexpr size_t kMaxNames = 8;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Site site;
    static const std::string ui = fuzz::Scratch() / "site/Data/content/ui";
    std::filesystem::create_directories(ui);

    const std::vector<std::string> parts = fuzz::SplitInput(data, size, 2);
    site.Serve(parts[0]);
    WebPageRefreshJob job;
    job.UiFolder = ui;
    job.ModelPageUrl = site.ModelPageUrl();
    size_t start = 0;
    while (start <= parts[1].size() && job.WebFiles.size() < kMaxNames) {
        const size_t end = std::min(parts[1].find('\n', start), parts[1].size());
        job.WebFiles.push_back(parts[1].substr(start, end - start));
        start = end + 1;
    }
    DownloadOptions options;
    options.ConnectTimeout = std::chrono::milliseconds(1000);
    options.SecurePort = 1; // the HTTPS retry of a URL that cannot be opened finds nothing
    DownloadManager downloads(options);
    RefreshWebPages(job, downloads);

    // A page put in place anywhere but the UI folder itself is a fault.
    std::error_code error;
    const std::string root = fuzz::Scratch() / "site";
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root, error)) {
        const std::string path = entry.path().string();
        if (!ui.starts_with(path) && entry.path().parent_path() != ui)
            std::abort();
    }
    for (const auto& entry : std::filesystem::directory_iterator(ui, error))
        std::filesystem::remove_all(entry.path(), error);
    return 0;
}
