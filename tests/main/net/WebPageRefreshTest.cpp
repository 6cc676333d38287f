#include "main/net/WebPageRefresh.h"

#include "main/net/InertPage.h"

#include "TestPaths.h"
#include "simulator/Simulator.h"
#include "simulator/SimulatorOptions.h"
#include "tests/main/net/TestWebServer.h"
#include "tests/support/Eventually.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestFiles.h"

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

// The marked page as the refresh stores it.
bool IsFresh(const std::optional<std::string>& page) {
    return page && page->find(kToolboxMarker) != std::string::npos &&
           page->find("<body>fresh from the site</body>") != std::string::npos;
}

// Every way a page can act, each beside something it must keep.
const char kActingPage[] = R"page(<!-- toolbox -->
<!DOCTYPE html><html><head><meta charset="utf-8">
<meta http-equiv="refresh" content="0; url=sp:Studio">
<base href="file:///etc/">
<link rel="stylesheet" href="kaldo.css"><style>p { color: red }</style>
<script>location.href = 'sp:Studio';</script></head>
<body onload="location.href='util-rs:'">
<p class="news" style="color: blue">Firmware 2.15 is available</p>
<img src="images/new.png" alt="new" onerror="fetch('http://site/')">
<a href="tab#2">Guides</a> <a href="http://maker.example/news">More</a>
<a href="javascript:location='ps:'">x</a> <a href=" &#10;JaVaScRiPt:alert(1)">y</a>
<a href="sp:Studio">z</a> <a href="file:///etc/hostname#pdfs">w</a> <a href="/etc/hostname?htmldocs">v</a>
<a href="doc:&amp;FileName=evil.desktop">u</a> <a href="data:text/html,x">t</a>
<iframe src="util-rs:"></iframe><object data="x.swf"></object><embed src="x.swf">
<form action="sp:Studio"><input name="keywords"></form>
<svg><script>alert(1)</script><a xlink:href="javascript:alert(1)"><text>s</text></a></svg>
<div onclick="alert(1)" onmouseover="alert(2)">kept text</div>
</body></html>
)page";
class WebPageRefreshTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(m_folder / "ui");
        m_pages = {
            {"whatsnew.html", kMarkedPage},
            {"acting.html", kActingPage},
            {"unparsable.html", "<!-- toolbox -->"},
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
    EXPECT_TRUE(IsFresh(ReadFile(Page("whatsnew.html"))));
    EXPECT_TRUE(IsFresh(ReadFile(Page("tips.html"))));
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

TEST_F(WebPageRefreshTest, RefreshedPageKeepsItsTextButNothingThatActs) {
    WriteBytes(Page("acting.html"), "installed");
    EXPECT_EQ(Refresh(Job({"acting.html"})), 1);
    const std::string page = ReadFile(Page("acting.html")).value_or("");
    for (const char* kept :
         {"Firmware 2.15 is available", "kept text", "href=\"kaldo.css\"", "p { color: red }",
          "style=\"color: blue\"", "src=\"images/new.png\"", "href=\"tab#2\"",
          "href=\"http://maker.example/news\"", "<!-- toolbox -->"}) {
        EXPECT_NE(page.find(kept), std::string::npos) << kept << "\n" << page;
    }
    for (const char* gone :
         {"<script",       "onload",  "onerror", "onclick", "onmouseover", "avascript",
          "aVaScRiPt",     "refresh", "<base",   "<iframe", "<object",     "<embed",
          "<form",         "<input",  "<svg",    "sp:",     "util-rs:",    "file:",
          "/etc/hostname", "doc:",    "data:",   "alert"}) {
        EXPECT_EQ(page.find(gone), std::string::npos) << gone << "\n" << page;
    }
}

TEST_F(WebPageRefreshTest, PageThatDoesNotParseKeepsTheInstalledCopy) {
    WriteBytes(Page("unparsable.html"), "installed");
    EXPECT_EQ(Refresh(Job({"unparsable.html"})), 0);
    EXPECT_EQ(ReadFile(Page("unparsable.html")), "installed");
    EXPECT_EQ(FolderEntries(Ui()), std::vector<std::string>{"unparsable.html"});
}

TEST(InertPageTest, OrdinaryLinkTargets) {
    for (const char* ordinary : {"", "tab#2", "page.html", "images/a.png", "pdfs/a.pdf#x:y",
                                 "HTTP://maker.example/", "https://a/", "mailto:a@b", "?q=1"})
        EXPECT_TRUE(IsOrdinaryLinkTarget(ordinary)) << ordinary;
    for (const char* acting :
         {"javascript:x", " java\tscript:x", "\x01javascript:x", "sp:A",
          "util-rs:", "ps:", "file:///etc/passwd", "/etc/passwd", "\\host\\share",
          "data:text/html,x", "C:\\x", "vbscript:x", "search:?keywords=a"})
        EXPECT_FALSE(IsOrdinaryLinkTarget(acting)) << acting;
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
    EXPECT_TRUE(IsFresh(ReadFile(Page("WhatsNew.html"))));
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
    Eventually([&] { return IsFresh(ReadFile(Page("whatsnew.html"))); });
    refresh.Stop();
    EXPECT_TRUE(IsFresh(ReadFile(Page("whatsnew.html"))));
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

TEST(WebPageRefreshSimulatorTest, SamplePageIsReplacedOnlyWhenTheSiteMarksItAndNeverActs) {
    const std::string installed =
        ReadFile(std::string(KALDO_CONTENT_DIR) + "/presslane_3000/ui/whatsnew.html").value_or("");
    ASSERT_FALSE(installed.empty());
    for (const std::string site : {"plain", "marked", "hostile"}) {
        SCOPED_TRACE(site);
        const bool marker = site != "plain";
        TempFolder folder;
        WriteBytes(folder / "whatsnew.html", installed);
        simulator::SimulatorOptions options;
        std::string error;
        ASSERT_EQ(simulator::ParseSimulatorOptions({"--site", "127.0.0.1:0", "--web-marker",
                                                    marker ? "yes" : "no", "--hostile",
                                                    site == "hostile" ? "yes" : "no", "--quiet"},
                                                   options, error),
                  simulator::ParseOutcome::Run)
            << error;
        simulator::Simulator simulated;
        ASSERT_TRUE(simulated.Start(options, error)) << error;
        const std::string modelPage = "http://" +
                                      simulator::FormatHostPort(*simulated.SiteAddress()) +
                                      "/product/model.html" + kModelQuery;
        DownloadManager downloads;
        EXPECT_EQ(RefreshWebPages({{"whatsnew.html"}, folder.Path(), modelPage}, downloads),
                  marker ? 1 : 0);
        const std::string page = ReadFile(folder / "whatsnew.html").value_or("");
        EXPECT_EQ(page == installed, !marker);
        if (marker) {
            EXPECT_NE(page.find("News from the Kaldo web site"), std::string::npos) << page;
            for (const char* acting : {"<script", "onload", "<iframe", "refresh",
                                       "javascript:", "exfil", "sp:", "util-rs:", "file:"})
                EXPECT_EQ(page.find(acting), std::string::npos) << acting << "\n" << page;
        }
        simulated.Stop();
    }
}

} // namespace
} // namespace kaldo
