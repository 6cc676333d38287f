#include "main/navigation/Dispatcher.h"

#include <QString>
#include <QUrl>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace kaldo;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

class RecordingPane final : public PaneControl {
public:
    void ReturnToPage() override { Calls.push_back("return"); }
    void StopAndNavigate(const std::string& url) override { Calls.push_back("go " + url); }
    void SetReturnPage(const std::string& url) override {
        StoredReturnPage = url;
        Calls.push_back("set " + url);
    }
    const std::string& ReturnPage() const override { return StoredReturnPage; }
    bool IsErrorPage(const std::string& url) const override {
        return url.find("ieframe.dll") != std::string::npos;
    }

    std::string StoredReturnPage = "file:///data/ui/home.html";
    std::vector<std::string> Calls;
};

class RecordingActions final : public NavigationActions, public LinkOpeners {
public:
    void OpenWithShell(const std::string& url) override { Calls.push_back("shell " + url); }
    void OpenPrinterWebPage(const std::string& a) override { Calls.push_back("printerweb " + a); }
    void OpenWebLink(std::string_view marker, const std::string& argument) override {
        Calls.push_back("web " + std::string(marker) + " " + argument);
    }
    void OpenDocument(const std::string& name) override { Calls.push_back("doc " + name); }
    void OpenVideo(const std::string& name) override { Calls.push_back("video " + name); }
    void OpenPdf(const std::string& url) override { Calls.push_back("pdf " + url); }
    void RunDriverUtility() override { Calls.push_back("utility"); }
    void OpenDriverSettings() override { Calls.push_back("settings"); }
    std::string TabPage(int index) override {
        Calls.push_back("tab " + std::to_string(index));
        return index >= 0 && index < 5 ? "tab" + std::to_string(index) + ".html" : "";
    }
    std::string PageOfCurrentTab(int index) override {
        Calls.push_back("page " + std::to_string(index));
        return index >= 0 && index < 5 ? "page" + std::to_string(index) + ".html" : "";
    }
    bool SelectPrinter(const std::string& name) override {
        Calls.push_back("select " + name);
        return name != "Missing";
    }
    std::string CurrentPage() override { return "header.html"; }
    void Search(const std::string& text) override { Calls.push_back("search " + text); }
    void RefreshStatus() override { Calls.push_back("refresh"); }
    bool IsFramePage(const std::string& url) override {
        return kaldo::IsFramePage(url, {"header.html"});
    }
    bool TakePendingUpdate() override {
        Calls.push_back("update?");
        bool was = PendingUpdate;
        PendingUpdate = false;
        return was;
    }

    std::vector<std::string> ContentFolders() override { return Folders; }

    std::vector<std::string> Folders{"/data/", "/opt/Data/"};
    bool PendingUpdate = false;
    std::vector<std::string> Calls;
};

class DispatcherTest : public ::testing::Test {
protected:
    bool Dispatch(const std::string& url, NavigationStart start = NavigationStart::User) {
        return kaldo::Dispatch(url, m_pane, m_actions, m_actions, start);
    }

    RecordingPane m_pane;
    RecordingActions m_actions;
};

} // namespace

TEST_F(DispatcherTest, ErrorPagesGoBackWithoutAnyAction) {
    for (const char* url : {"res://ieframe.dll/ERROR.htm#video:intro.wmv",
                            "file:///data/ui/Syntax.html", "file:///data/help/WWHelp/page.htm"}) {
        m_pane.Calls.clear();
        EXPECT_TRUE(Dispatch(url)) << url;
        EXPECT_THAT(m_pane.Calls, ElementsAre("go file:///data/ui/home.html")) << url;
    }
    EXPECT_THAT(m_actions.Calls, IsEmpty());
}

TEST_F(DispatcherTest, BrowserErrorPageDoesNotFireTheLinkItQuotes) {
    EXPECT_TRUE(Dispatch("res://ieframe.dll/navcancl.htm#video:&FileName=intro.wmv"));
    EXPECT_THAT(m_actions.Calls, IsEmpty());
    EXPECT_THAT(m_pane.Calls, ElementsAre("return"));
}

TEST_F(DispatcherTest, VideoLinkPlaysAndPaneStays) {
    EXPECT_TRUE(Dispatch("video:&FileName=intro.wmv"));
    EXPECT_THAT(m_actions.Calls, ElementsAre("video &FileName=intro.wmv"));
    EXPECT_THAT(m_pane.Calls, ElementsAre("return"));
}

TEST_F(DispatcherTest, WebLinksOpenOutsideThePane) {
    EXPECT_TRUE(Dispatch("http://www.example.test/a?b=c"));
    EXPECT_TRUE(Dispatch("https://www.example.test/secure"));
    EXPECT_TRUE(Dispatch("file:///data/ui/x.html#uat:"));
    EXPECT_TRUE(Dispatch("serviceurl:ignored"));
    EXPECT_TRUE(Dispatch("suppliesurl:"));
    EXPECT_TRUE(Dispatch("qst:support/faq.html"));
    EXPECT_TRUE(Dispatch("pweb:config.html"));
    EXPECT_THAT(m_actions.Calls,
                ElementsAre("web http:// http://www.example.test/a?b=c",
                            "web http:// https://www.example.test/secure", "web uat: ",
                            "web serviceurl: ", "web suppliesurl: ", "web qst: support/faq.html",
                            "printerweb config.html"));
}

TEST_F(DispatcherTest, SecureLinkNeverRunsTheDriverUtility) {
    Dispatch("https://maker.example/ps:tool");
    EXPECT_THAT(m_actions.Calls, ElementsAre("web http:// https://maker.example/ps:tool"));
}

TEST_F(DispatcherTest, PrinterWebArgumentStartsAtFixedPosition) {
    Dispatch("file:///data/ui/pweb:status.html");
    EXPECT_THAT(m_actions.Calls, ElementsAre("printerweb ///data/ui/pweb:status.html"));
}

TEST_F(DispatcherTest, ModelPageAppliesPendingUpdateOnce) {
    m_actions.PendingUpdate = true;
    Dispatch("printermodelurl:news");
    Dispatch("printermodelurl:news");
    EXPECT_THAT(m_actions.Calls, ElementsAre("update?", "refresh", "web printermodelurl: news",
                                             "update?", "web printermodelurl: news"));
}

TEST_F(DispatcherTest, DocumentsShellAndPdf) {
    Dispatch("doc:guide.pdf");
    Dispatch("file:///data/htmldocs/page.html");
    Dispatch("file:///data/ui/pdfs/guide.pdf");
    EXPECT_THAT(m_actions.Calls,
                ElementsAre("doc guide.pdf", "shell file:///data/htmldocs/page.html",
                            "pdf file:///data/ui/pdfs/guide.pdf"));
}

TEST_F(DispatcherTest, DriverLinks) {
    Dispatch("ps:");
    Dispatch("util-driver:");
    EXPECT_THAT(m_actions.Calls, ElementsAre("utility", "settings"));
}

TEST_F(DispatcherTest, TabLinkLoadsTheTabPage) {
    EXPECT_TRUE(Dispatch("file:///data/ui/tab#3"));
    EXPECT_THAT(m_actions.Calls, ElementsAre("tab 2"));
    EXPECT_THAT(m_pane.Calls, ElementsAre("set tab2.html", "go tab2.html"));
}

TEST_F(DispatcherTest, TabAndPageLinkLoadsTabThenItsPage) {
    EXPECT_TRUE(Dispatch("file:///data/ui/tab#2page#4"));
    EXPECT_THAT(m_actions.Calls, ElementsAre("tab 1", "page 3"));
    EXPECT_THAT(m_pane.Calls,
                ElementsAre("set tab1.html", "go tab1.html", "set page3.html", "go page3.html"));
}

TEST_F(DispatcherTest, TabOrPageWithoutNumberIsIgnored) {
    EXPECT_TRUE(Dispatch("file:///data/ui/tab#x"));
    EXPECT_TRUE(Dispatch("file:///data/ui/page#"));
    EXPECT_THAT(m_actions.Calls, IsEmpty());
    EXPECT_THAT(m_pane.Calls, ElementsAre("return", "return"));
}

TEST_F(DispatcherTest, TabBeyondTheLastGoesBack) {
    Dispatch("tab#9");
    EXPECT_THAT(m_pane.Calls, ElementsAre("return"));
    EXPECT_EQ(m_pane.StoredReturnPage, "file:///data/ui/home.html");
}

TEST_F(DispatcherTest, LowestNumbersNameNoTabOrPage) {
    Dispatch("tab#-2147483648");
    Dispatch("page#-2147483648");
    EXPECT_THAT(m_actions.Calls, ElementsAre("tab -1", "page -1"));
    EXPECT_THAT(m_pane.Calls, ElementsAre("return", "return"));
}

TEST_F(DispatcherTest, SelectPrinterDecodesTheName) {
    EXPECT_TRUE(Dispatch("sp:Office%20Printer"));
    EXPECT_THAT(m_actions.Calls, ElementsAre("select Office Printer"));
    EXPECT_THAT(m_pane.Calls, ElementsAre("set header.html"));
}

TEST_F(DispatcherTest, FailedPrinterSelectionReturnsToThePage) {
    Dispatch("sp:Missing");
    EXPECT_THAT(m_pane.Calls, ElementsAre("return"));
    EXPECT_EQ(m_pane.StoredReturnPage, "file:///data/ui/home.html");
}

TEST_F(DispatcherTest, KeywordsFromTheSearchBox) {
    Dispatch("file:///data/ui/search.html?keywords=paper%20jam");
    Dispatch("file:///data/ui/search.html?keywords=toner+C%2B+%C3%A9");
    EXPECT_THAT(m_actions.Calls, ElementsAre("search paper jam", "search toner C+ \xC3\xA9"));
    EXPECT_THAT(m_pane.Calls, ElementsAre("return", "return"));
}

TEST_F(DispatcherTest, SubmittedSearchRunsWhateverTheWords) {
    for (const char* words : {"error", "syntax+error", "WWHelp", "pdfs", "htmldocs", "video%3A",
                              "ps%3A+driver", "tab%231", "sp%3AOffice"}) {
        m_actions.Calls.clear();
        m_pane.Calls.clear();
        EXPECT_TRUE(Dispatch(std::string("file:///data/ui/header.html?keywords=") + words))
            << words;
        ASSERT_EQ(m_actions.Calls.size(), 1u) << words;
        EXPECT_EQ(m_actions.Calls[0].rfind("search ", 0), 0u) << m_actions.Calls[0];
        EXPECT_THAT(m_pane.Calls, ElementsAre("return")) << words;
    }
    m_actions.Calls.clear();
    Dispatch("file:///data/error-reports/ui/search.html?lang=EN&keywords=pdfs+error#top");
    Dispatch("search:?keywords=syntax");
    EXPECT_THAT(m_actions.Calls, ElementsAre("search pdfs error", "search syntax"));
}

TEST_F(DispatcherTest, WebPageWithAKeywordsFieldIsNoSearch) {
    Dispatch("http://www.example.test/find?keywords=toner");
    Dispatch("https://www.example.test/find?keywords=error");
    EXPECT_THAT(m_actions.Calls,
                ElementsAre("web http:// http://www.example.test/find?keywords=toner"));
}

TEST_F(DispatcherTest, BrowserErrorPageQuotingASearchRunsNoSearch) {
    EXPECT_TRUE(Dispatch("res://ieframe.dll/ERROR.htm#file:///data/ui/h.html?keywords=toner"));
    EXPECT_THAT(m_actions.Calls, IsEmpty());
    EXPECT_THAT(m_pane.Calls, ElementsAre("go file:///data/ui/home.html"));
}

TEST_F(DispatcherTest, KeywordsAreLimitedTo255Bytes) {
    Dispatch("keywords=" + std::string(300, 'a'));
    ASSERT_EQ(m_actions.Calls.size(), 1u);
    EXPECT_EQ(m_actions.Calls[0], "search " + std::string(255, 'a'));
}

TEST_F(DispatcherTest, UtilitySearchUnescapesAsUri) {
    Dispatch("util-search:paper%20tray");
    EXPECT_THAT(m_actions.Calls, ElementsAre("search paper tray"));
}

TEST_F(DispatcherTest, RefreshStatusStaysWithoutReturning) {
    EXPECT_TRUE(Dispatch("util-rs:"));
    EXPECT_THAT(m_actions.Calls, ElementsAre("refresh"));
    EXPECT_THAT(m_pane.Calls, IsEmpty());
}

TEST_F(DispatcherTest, OrdinaryPageLoadsAndBecomesTheReturnPage) {
    EXPECT_FALSE(Dispatch("file:///data/ui/guides.html"));
    EXPECT_EQ(m_pane.StoredReturnPage, "file:///data/ui/guides.html");
}

TEST_F(DispatcherTest, FramePageLoadsWithoutChangingTheReturnPage) {
    EXPECT_FALSE(Dispatch("file:///data/UI/Header.HTML"));
    EXPECT_EQ(m_pane.StoredReturnPage, "file:///data/ui/home.html");
}

TEST_F(DispatcherTest, FirstMarkerInOrderDecides) {
    // "doc:" comes before "sp:" in the order, whatever their places in the URL.
    Dispatch("file:///data/ui/x.html#sp:x-doc:guide.pdf");
    EXPECT_THAT(m_actions.Calls, ElementsAre("doc guide.pdf"));
}

TEST_F(DispatcherTest, PrinterAndSearchLinksComeBeforeTheErrorMarkers) {
    EXPECT_TRUE(Dispatch("sp:Syntax_Lab"));
    EXPECT_TRUE(Dispatch("sp:Error%20Desk"));
    EXPECT_TRUE(Dispatch("util-search:error"));
    EXPECT_TRUE(Dispatch("util-search:wwhelp%20pdfs"));
    EXPECT_THAT(m_actions.Calls, ElementsAre("select Syntax_Lab", "select Error Desk",
                                             "search error", "search wwhelp pdfs"));
    EXPECT_THAT(m_pane.Calls,
                ElementsAre("set header.html", "set header.html", "return", "return"));
}

// Every page lives below the user's home; what that path holds is no link.
TEST_F(DispatcherTest, MarkersAboveTheContentFolderAreNoLinks) {
    const std::string home = "/home/Errors syntax/WWHelp pdfs htmldocs/ps:sp:doc:video:/.cache/";
    m_actions.Folders = {home + "kaldo/Tendwell/Data/"};
    const std::string ui =
        QUrl::fromLocalFile(QString::fromStdString(home + "kaldo/Tendwell/Data/p3000/ui/"))
            .toString()
            .toStdString();
    EXPECT_FALSE(Dispatch(ui + "home.html"));
    EXPECT_EQ(m_pane.StoredReturnPage, ui + "home.html");
    EXPECT_THAT(m_actions.Calls, IsEmpty());

    EXPECT_TRUE(Dispatch(ui + "tab#2"));
    EXPECT_TRUE(Dispatch(ui + "pdfs/guide.pdf"));
    EXPECT_TRUE(Dispatch(ui + "search.html?keywords=toner"));
    EXPECT_THAT(m_actions.Calls,
                ElementsAre("tab 1", "pdf " + ui + "pdfs/guide.pdf", "search toner"));
}

TEST_F(DispatcherTest, ContentFolderIsFoundHoweverItIsSpelled) {
    m_actions.Folders = {"/home/u//.cache/./kaldo/Data/"};
    EXPECT_FALSE(Dispatch("file:///home/u/.cache/kaldo/Data/p/ui/home.html"));
    EXPECT_TRUE(Dispatch("file:///home/u/.cache/kaldo/Data/p/ui/tab#2"));
    EXPECT_THAT(m_actions.Calls, ElementsAre("tab 1"));
}

TEST_F(DispatcherTest, FileOutsideTheContentFoldersIsNeitherShownNorALink) {
    for (const char* url :
         {"file:///etc/hostname#pdfs", "file:///etc/hostname?htmldocs", "file:///tmp/x/ui/tab#2",
          "file:///tmp/error.html", "file://host/data/ui/home.html"}) {
        EXPECT_TRUE(Dispatch(url)) << url;
        EXPECT_TRUE(Dispatch(url, NavigationStart::Page)) << url;
    }
    EXPECT_THAT(m_actions.Calls, IsEmpty());
    EXPECT_THAT(m_pane.Calls, IsEmpty());
    EXPECT_EQ(m_pane.StoredReturnPage, "file:///data/ui/home.html");
}

// A page's own script, timer or redirect: the link is dropped where it stands, and the pane is
// not sent back to its page, which would run the same script again.
TEST_F(DispatcherTest, LinksThePageStartsByItselfDoNothing) {
    m_actions.PendingUpdate = true;
    for (const char* url :
         {"sp:Studio", "util-search:x", "util-rs:", "ps:", "util-driver:", "doc:&FileName=a",
          "video:&FileName=b.webm", "http://site/exfil?d=host", "https://site/", "printermodelurl:",
          "qst:x", "uat:", "pweb:/", "file:///data/ui/tab#2", "file:///data/ui/pdfs/a.pdf",
          "file:///data/ui/htmldocs/a.html", "file:///data/ui/h.html?keywords=x",
          "file:///data/ui/error.html", "search:?keywords=x"}) {
        EXPECT_TRUE(Dispatch(url, NavigationStart::Page)) << url;
    }
    EXPECT_THAT(m_actions.Calls, IsEmpty());
    EXPECT_THAT(m_pane.Calls, IsEmpty());
    EXPECT_TRUE(m_actions.PendingUpdate);

    // Ordinary pages may still load.
    EXPECT_FALSE(Dispatch("file:///data/ui/guides.html", NavigationStart::Page));
    EXPECT_EQ(m_pane.StoredReturnPage, "file:///data/ui/guides.html");
}

TEST_F(DispatcherTest, LinksTheProgramLoadsAct) {
    EXPECT_TRUE(Dispatch("util-rs:", NavigationStart::Program));
    EXPECT_TRUE(Dispatch("sp:Studio", NavigationStart::Program));
    EXPECT_THAT(m_actions.Calls, ElementsAre("refresh", "select Studio"));
}

TEST(ReadDecimalTest, ReadsLikePercentD) {
    EXPECT_EQ(ReadDecimal("12abc"), 12);
    EXPECT_EQ(ReadDecimal("  -3"), -3);
    EXPECT_EQ(ReadDecimal("+7"), 7);
    EXPECT_EQ(ReadDecimal("x1"), std::nullopt);
    EXPECT_EQ(ReadDecimal(""), std::nullopt);
}

TEST(IsFramePageTest, MatchesSlashOrBackslashAndIgnoresCase) {
    std::vector<std::string> frames{"", "top.html"};
    EXPECT_TRUE(IsFramePage("file:///data/ui/TOP.html", frames));
    EXPECT_TRUE(IsFramePage("C:\\ui\\top.html", frames));
    EXPECT_FALSE(IsFramePage("file:///data/ui/desktop.html", frames));
    EXPECT_FALSE(IsFramePage("file:///data/ui/other.html", frames));
}
