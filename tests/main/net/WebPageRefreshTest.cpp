#include "main/net/WebPageRefresh.h"

#include "TestPaths.h"
#include "tests/main/net/TestWebServer.h"
#include "tests/support/Eventually.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestFiles.h"
#include "tools/Simulator.h"
#include "tools/SimulatorOptions.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <string>
#include <thread>

namespace kaldo {
namespace {

using kaldo::testsupport::ClosedPort;
using kaldo::testsupport::Eventually;
using kaldo::testsupport::FolderEntries;
using kaldo::testsupport::ReadFile;
using kaldo::testsupport::TempFolder;
using kaldo::testsupport::TestWebServer;
using kaldo::testsupport::WriteBytes;
namespace fs = std::filesystem;

const char kModelQuery[] = "?App=Tendwell&Page=ProductHome&Model=KP3020&Language=EN";
const char kMarkedPage[] = "<!-- toolbox -->\n<html><body>fresh from the site</body></html>\n";

class WebPageRefreshTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(m_folder / "ui");
        m_pages = {
            {"whatsnew.html", kMarkedPage},
            {"tips.html", kMarkedPage},
            {"plain.html", "<html><body>no marker</body></html>"},
            {"late.html", std::string(2000, ' ') + kMarkedPage},
            {"huge.html", kMarkedPage + std::string(kWebPageLimit, ' ')},
            {"failing.html", kMarkedPage},
        };
        m_server.Routes().Get("/product/model.html", [this](const httplib::Request& request,
                                                            httplib::Response& response) {
            const auto page = m_pages.find(request.get_param_value("FileName"));
            if (page == m_pages.end()) {
                response.status = 404;
                response.set_content("<html><body>404 Not Found</body></html>", "text/html");
                return;
            }
            // An error answer that carries the marker all the same.
            if (page->first == "failing.html")
                response.status = 500;
            response.set_content(page->second, "text/html");
        });
        m_server.ServeStalling("/stall");
        ASSERT_TRUE(m_server.Start());
        m_options.SecurePort = ClosedPort();
    }

    WebPageRefreshJob Job(std::vector<std::string> files) const {
        return {std::move(files), Ui(), m_server.Url("/product/model.html") + kModelQuery};
    }

    int Refresh(const WebPageRefreshJob& job) {
        DownloadManager downloads(m_options);
        return RefreshWebPages(job, downloads);
    }

    std::string Ui() const { return m_folder / "ui"; }
    std::string Page(const std::string& name) const { return m_folder / ("ui/" + name); }

    TempFolder m_folder;
    TestWebServer m_server;
    DownloadOptions m_options;
    std::map<std::string, std::string> m_pages; // set before the server starts
};

TEST_F(WebPageRefreshTest, MarkedPagesReplaceTheLocalCopies) {
    WriteBytes(Page("whatsnew.html"), "installed");
    EXPECT_EQ(Refresh(Job({"whatsnew.html", "tips.html"})), 2);
    EXPECT_EQ(ReadFile(Page("whatsnew.html")), kMarkedPage);
    EXPECT_EQ(ReadFile(Page("tips.html")), kMarkedPage);
    EXPECT_EQ(FolderEntries(Ui()), (std::vector<std::string>{"tips.html", "whatsnew.html"}));
    ASSERT_EQ(m_server.Seen().size(), 2u);
    EXPECT_EQ(m_server.Seen()[0].Target, std::string("/product/model.html") + kModelQuery +
                                             "&PgName=userdochtml&FileName=whatsnew.html");
}

TEST_F(WebPageRefreshTest, PageWithoutMarkerInItsHeadKeepsTheInstalledCopy) {
    for (const char* name : {"plain.html", "late.html", "missing.html"})
        WriteBytes(Page(name), "installed");
    EXPECT_EQ(Refresh(Job({"plain.html", "late.html", "missing.html"})), 0);
    for (const char* name : {"plain.html", "late.html", "missing.html"})
        EXPECT_EQ(ReadFile(Page(name)), "installed") << name;
    EXPECT_EQ(FolderEntries(Ui()).size(), 3u);
    EXPECT_EQ(m_server.Seen().size(), 3u);
}

TEST_F(WebPageRefreshTest, ErrorStatusOrAPageOverTheLimitKeepsTheInstalledCopy) {
    for (const char* name : {"failing.html", "huge.html"})
        WriteBytes(Page(name), "installed");
    EXPECT_EQ(Refresh(Job({"failing.html", "huge.html"})), 0);
    for (const char* name : {"failing.html", "huge.html"})
        EXPECT_EQ(ReadFile(Page(name)), "installed") << name;
    EXPECT_EQ(FolderEntries(Ui()).size(), 2u);
}

TEST_F(WebPageRefreshTest, UnreachableSiteKeepsTheInstalledCopy) {
    WriteBytes(Page("whatsnew.html"), "installed");
    WebPageRefreshJob job = Job({"whatsnew.html"});
    job.ModelPageUrl = "http://127.0.0.1:" + std::to_string(ClosedPort()) + "/model.html?App=T";
    EXPECT_EQ(Refresh(job), 0);
    EXPECT_EQ(ReadFile(Page("whatsnew.html")), "installed");
    EXPECT_EQ(FolderEntries(Ui()).size(), 1u);
}

TEST_F(WebPageRefreshTest, NamesThatLeaveTheUiFolderAreRefused) {
    m_pages["../outside.html"] = kMarkedPage; // a site that would answer anything
    EXPECT_EQ(Refresh(Job({"../outside.html", "..", ".", "", "sub/whatsnew.html",
                           "..\\outside.html", m_folder / "outside.html"})),
              0);
    EXPECT_TRUE(m_server.Seen().empty());
    EXPECT_EQ(FolderEntries(m_folder.Path()), std::vector<std::string>{"ui"});
    EXPECT_TRUE(FolderEntries(Ui()).empty());
}

TEST_F(WebPageRefreshTest, InstalledCopyIsFoundWithoutRegardToCase) {
    WriteBytes(Page("WhatsNew.html"), "installed");
    EXPECT_EQ(Refresh(Job({"whatsnew.html"})), 1);
    EXPECT_EQ(ReadFile(Page("WhatsNew.html")), kMarkedPage);
    EXPECT_EQ(FolderEntries(Ui()), std::vector<std::string>{"WhatsNew.html"});
}

TEST_F(WebPageRefreshTest, NoUiFolderMeansNothingIsFetched) {
    WebPageRefreshJob job = Job({"whatsnew.html"});
    job.UiFolder.clear();
    EXPECT_EQ(Refresh(job), 0);
    EXPECT_TRUE(m_server.Seen().empty());
}

TEST_F(WebPageRefreshTest, ThreadRefreshesOnce) {
    WriteBytes(Page("whatsnew.html"), "installed");
    WebPageRefresh refresh(m_options);
    ASSERT_TRUE(refresh.Start(Job({"whatsnew.html"})));
    EXPECT_FALSE(refresh.Start(Job({"tips.html"})));
    Eventually([&] { return ReadFile(Page("whatsnew.html")) == kMarkedPage; });
    refresh.Stop();
    EXPECT_EQ(ReadFile(Page("whatsnew.html")), kMarkedPage);
    EXPECT_FALSE(fs::exists(Page("tips.html")));
}

TEST_F(WebPageRefreshTest, StopAbortsAStalledFetchAndKeepsTheInstalledCopy) {
    WriteBytes(Page("whatsnew.html"), "installed");
    WebPageRefresh refresh(m_options);
    ASSERT_TRUE(
        refresh.Start({{"whatsnew.html", "tips.html"}, Ui(), m_server.Url("/stall?App=T")}));
    ASSERT_TRUE(m_server.WaitForArrivals(1));
    refresh.Stop();
    EXPECT_EQ(ReadFile(Page("whatsnew.html")), "installed");
    EXPECT_EQ(FolderEntries(Ui()), std::vector<std::string>{"whatsnew.html"});
    EXPECT_EQ(m_server.Seen().size(), 1u);
    EXPECT_FALSE(refresh.Start(Job({"whatsnew.html"})));
}

// --- against the maker's site of the simulator -------------------------------------------

TEST(WebPageRefreshSimulatorTest, SamplePageIsReplacedOnlyWhenTheSiteMarksIt) {
    const std::string installed =
        ReadFile(std::string(KALDO_CONTENT_DIR) + "/presslane_3000/ui/whatsnew.html").value_or("");
    ASSERT_FALSE(installed.empty());
    for (const bool marker : {false, true}) {
        TempFolder folder;
        WriteBytes(folder / "whatsnew.html", installed);
        simulator::SimulatorOptions options;
        std::string error;
        ASSERT_EQ(simulator::ParseSimulatorOptions(
                      {"--site", "127.0.0.1:0", "--web-marker", marker ? "yes" : "no", "--quiet"},
                      options, error),
                  simulator::ParseOutcome::Run)
            << error;
        simulator::Simulator site;
        ASSERT_TRUE(site.Start(options, error)) << error;
        const std::string modelPage = "http://" + simulator::FormatHostPort(*site.SiteAddress()) +
                                      "/product/model.html" + kModelQuery;
        DownloadManager downloads;
        EXPECT_EQ(RefreshWebPages({{"whatsnew.html"}, folder.Path(), modelPage}, downloads),
                  marker ? 1 : 0);
        const std::string page = ReadFile(folder / "whatsnew.html").value_or("");
        EXPECT_EQ(page == installed, !marker);
        EXPECT_EQ(page.rfind(kToolboxMarker, 0) == 0, marker);
        site.Stop();
    }
}

} // namespace
} // namespace kaldo
