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
    void ReturnToPage() override { calls.push_back("return"); }
    void StopAndNavigate(const std::string& url) override { calls.push_back("go " + url); }
    void SetReturnPage(const std::string& url) override {
        returnPage = url;
        calls.push_back("set " + url);
    }
    const std::string& ReturnPage() const override { return returnPage; }
    bool IsErrorPage(const std::string& url) const override {
        return url.find("ieframe.dll") != std::string::npos;
    }

    std::string returnPage = "file:///data/ui/home.html";
    std::vector<std::string> calls;
};

class RecordingActions final : public NavigationActions, public LinkOpeners {
public:
    void OpenWithShell(const std::string& url) override { calls.push_back("shell " + url); }
    void OpenPrinterWebPage(const std::string& a) override { calls.push_back("printerweb " + a); }
    void OpenWebLink(std::string_view marker, const std::string& argument) override {
        calls.push_back("web " + std::string(marker) + " " + argument);
    }
    void OpenDocument(const std::string& name) override { calls.push_back("doc " + name); }
    void OpenVideo(const std::string& name) override { calls.push_back("video " + name); }
    void OpenPdf(const std::string& url) override { calls.push_back("pdf " + url); }
    void RunDriverUtility() override { calls.push_back("utility"); }
    void OpenDriverSettings() override { calls.push_back("settings"); }
    std::string TabPage(int index) override {
        calls.push_back("tab " + std::to_string(index));
        return index >= 0 && index < 5 ? "tab" + std::to_string(index) + ".html" : "";
    }
    std::string PageOfCurrentTab(int index) override {
        calls.push_back("page " + std::to_string(index));
        return index >= 0 && index < 5 ? "page" + std::to_string(index) + ".html" : "";
    }
    bool SelectPrinter(const std::string& name) override {
        calls.push_back("select " + name);
        return name != "Missing";
    }
    std::string CurrentPage() override { return "header.html"; }
    void Search(const std::string& text) override { calls.push_back("search " + text); }
    void RefreshStatus() override { calls.push_back("refresh"); }
    bool IsFramePage(const std::string& url) override {
        return kaldo::IsFramePage(url, {"header.html"});
    }
    bool TakePendingUpdate() override {
        calls.push_back("update?");
        bool was = pendingUpdate;
        pendingUpdate = false;
        return was;
    }

    std::vector<std::string> ContentFolders() override { return folders; }

    std::vector<std::string> folders{"/data/", "/opt/Data/"};
    bool pendingUpdate = false;
    std::vector<std::string> calls;
};

class DispatcherTest : public ::testing::Test {
protected:
    bool dispatch(const std::string& url, NavigationStart start = NavigationStart::User) {
        return Dispatch(url, pane, actions, actions, start);
    }

    RecordingPane pane;
    RecordingActions actions;
};

} // namespace

TEST_F(DispatcherTest, ErrorPagesGoBackWithoutAnyAction) {
    for (const char* url : {"res://ieframe.dll/ERROR.htm#video:intro.wmv",
                            "file:///data/ui/Syntax.html", "file:///data/help/WWHelp/page.htm"}) {
        pane.calls.clear();
        EXPECT_TRUE(dispatch(url)) << url;
        EXPECT_THAT(pane.calls, ElementsAre("go file:///data/ui/home.html")) << url;
    }
    EXPECT_THAT(actions.calls, IsEmpty());
}

TEST_F(DispatcherTest, BrowserErrorPageDoesNotFireTheLinkItQuotes) {
    EXPECT_TRUE(dispatch("res://ieframe.dll/navcancl.htm#video:&FileName=intro.wmv"));
    EXPECT_THAT(actions.calls, IsEmpty());
    EXPECT_THAT(pane.calls, ElementsAre("return"));
}

TEST_F(DispatcherTest, VideoLinkPlaysAndPaneStays) {
    EXPECT_TRUE(dispatch("video:&FileName=intro.wmv"));
    EXPECT_THAT(actions.calls, ElementsAre("video &FileName=intro.wmv"));
    EXPECT_THAT(pane.calls, ElementsAre("return"));
}

TEST_F(DispatcherTest, WebLinksOpenOutsideThePane) {
    EXPECT_TRUE(dispatch("http://www.example.test/a?b=c"));
    EXPECT_TRUE(dispatch("https://www.example.test/secure"));
    EXPECT_TRUE(dispatch("file:///data/ui/x.html#uat:"));
    EXPECT_TRUE(dispatch("serviceurl:ignored"));
    EXPECT_TRUE(dispatch("suppliesurl:"));
    EXPECT_TRUE(dispatch("qst:support/faq.html"));
    EXPECT_TRUE(dispatch("pweb:config.html"));
    EXPECT_THAT(actions.calls, ElementsAre("web http:// http://www.example.test/a?b=c",
                                           "web http:// https://www.example.test/secure",
                                           "web uat: ", "web serviceurl: ", "web suppliesurl: ",
                                           "web qst: support/faq.html", "printerweb config.html"));
}

TEST_F(DispatcherTest, SecureLinkNeverRunsTheDriverUtility) {
    dispatch("https://maker.example/ps:tool");
    EXPECT_THAT(actions.calls, ElementsAre("web http:// https://maker.example/ps:tool"));
}

TEST_F(DispatcherTest, PrinterWebArgumentStartsAtFixedPosition) {
    dispatch("file:///data/ui/pweb:status.html");
    EXPECT_THAT(actions.calls, ElementsAre("printerweb ///data/ui/pweb:status.html"));
}

TEST_F(DispatcherTest, ModelPageAppliesPendingUpdateOnce) {
    actions.pendingUpdate = true;
    dispatch("printermodelurl:news");
    dispatch("printermodelurl:news");
    EXPECT_THAT(actions.calls, ElementsAre("update?", "refresh", "web printermodelurl: news",
                                           "update?", "web printermodelurl: news"));
}

TEST_F(DispatcherTest, DocumentsShellAndPdf) {
    dispatch("doc:guide.pdf");
    dispatch("file:///data/htmldocs/page.html");
    dispatch("file:///data/ui/pdfs/guide.pdf");
    EXPECT_THAT(actions.calls, ElementsAre("doc guide.pdf", "shell file:///data/htmldocs/page.html",
                                           "pdf file:///data/ui/pdfs/guide.pdf"));
}

TEST_F(DispatcherTest, DriverLinks) {
    dispatch("ps:");
    dispatch("util-driver:");
    EXPECT_THAT(actions.calls, ElementsAre("utility", "settings"));
}

TEST_F(DispatcherTest, TabLinkLoadsTheTabPage) {
    EXPECT_TRUE(dispatch("file:///data/ui/tab#3"));
    EXPECT_THAT(actions.calls, ElementsAre("tab 2"));
    EXPECT_THAT(pane.calls, ElementsAre("set tab2.html", "go tab2.html"));
}

TEST_F(DispatcherTest, TabAndPageLinkLoadsTabThenItsPage) {
    EXPECT_TRUE(dispatch("file:///data/ui/tab#2page#4"));
    EXPECT_THAT(actions.calls, ElementsAre("tab 1", "page 3"));
    EXPECT_THAT(pane.calls,
                ElementsAre("set tab1.html", "go tab1.html", "set page3.html", "go page3.html"));
}

TEST_F(DispatcherTest, TabOrPageWithoutNumberIsIgnored) {
    EXPECT_TRUE(dispatch("file:///data/ui/tab#x"));
    EXPECT_TRUE(dispatch("file:///data/ui/page#"));
    EXPECT_THAT(actions.calls, IsEmpty());
    EXPECT_THAT(pane.calls, ElementsAre("return", "return"));
}

TEST_F(DispatcherTest, TabBeyondTheLastGoesBack) {
    dispatch("tab#9");
    EXPECT_THAT(pane.calls, ElementsAre("return"));
    EXPECT_EQ(pane.returnPage, "file:///data/ui/home.html");
}

TEST_F(DispatcherTest, LowestNumbersNameNoTabOrPage) {
    dispatch("tab#-2147483648");
    dispatch("page#-2147483648");
    EXPECT_THAT(actions.calls, ElementsAre("tab -1", "page -1"));
    EXPECT_THAT(pane.calls, ElementsAre("return", "return"));
}

TEST_F(DispatcherTest, SelectPrinterDecodesTheName) {
    EXPECT_TRUE(dispatch("sp:Office%20Printer"));
    EXPECT_THAT(actions.calls, ElementsAre("select Office Printer"));
    EXPECT_THAT(pane.calls, ElementsAre("set header.html"));
}

TEST_F(DispatcherTest, FailedPrinterSelectionReturnsToThePage) {
    dispatch("sp:Missing");
    EXPECT_THAT(pane.calls, ElementsAre("return"));
    EXPECT_EQ(pane.returnPage, "file:///data/ui/home.html");
}

TEST_F(DispatcherTest, KeywordsFromTheSearchBox) {
    dispatch("file:///data/ui/search.html?keywords=paper%20jam");
    dispatch("file:///data/ui/search.html?keywords=toner+C%2B+%C3%A9");
    EXPECT_THAT(actions.calls, ElementsAre("search paper jam", "search toner C+ \xC3\xA9"));
    EXPECT_THAT(pane.calls, ElementsAre("return", "return"));
}

TEST_F(DispatcherTest, SubmittedSearchRunsWhateverTheWords) {
    for (const char* words : {"error", "syntax+error", "WWHelp", "pdfs", "htmldocs", "video%3A",
                              "ps%3A+driver", "tab%231", "sp%3AOffice"}) {
        actions.calls.clear();
        pane.calls.clear();
        EXPECT_TRUE(dispatch(std::string("file:///data/ui/header.html?keywords=") + words))
            << words;
        ASSERT_EQ(actions.calls.size(), 1u) << words;
        EXPECT_EQ(actions.calls[0].rfind("search ", 0), 0u) << actions.calls[0];
        EXPECT_THAT(pane.calls, ElementsAre("return")) << words;
    }
    actions.calls.clear();
    dispatch("file:///data/error-reports/ui/search.html?lang=EN&keywords=pdfs+error#top");
    dispatch("search:?keywords=syntax");
    EXPECT_THAT(actions.calls, ElementsAre("search pdfs error", "search syntax"));
}

TEST_F(DispatcherTest, WebPageWithAKeywordsFieldIsNoSearch) {
    dispatch("http://www.example.test/find?keywords=toner");
    dispatch("https://www.example.test/find?keywords=error");
    EXPECT_THAT(actions.calls,
                ElementsAre("web http:// http://www.example.test/find?keywords=toner"));
}

TEST_F(DispatcherTest, BrowserErrorPageQuotingASearchRunsNoSearch) {
    EXPECT_TRUE(dispatch("res://ieframe.dll/ERROR.htm#file:///data/ui/h.html?keywords=toner"));
    EXPECT_THAT(actions.calls, IsEmpty());
    EXPECT_THAT(pane.calls, ElementsAre("go file:///data/ui/home.html"));
}

TEST_F(DispatcherTest, KeywordsAreLimitedTo255Bytes) {
    dispatch("keywords=" + std::string(300, 'a'));
    ASSERT_EQ(actions.calls.size(), 1u);
    EXPECT_EQ(actions.calls[0], "search " + std::string(255, 'a'));
}

TEST_F(DispatcherTest, UtilitySearchUnescapesAsUri) {
    dispatch("util-search:paper%20tray");
    EXPECT_THAT(actions.calls, ElementsAre("search paper tray"));
}

TEST_F(DispatcherTest, RefreshStatusStaysWithoutReturning) {
    EXPECT_TRUE(dispatch("util-rs:"));
    EXPECT_THAT(actions.calls, ElementsAre("refresh"));
    EXPECT_THAT(pane.calls, IsEmpty());
}

TEST_F(DispatcherTest, OrdinaryPageLoadsAndBecomesTheReturnPage) {
    EXPECT_FALSE(dispatch("file:///data/ui/guides.html"));
    EXPECT_EQ(pane.returnPage, "file:///data/ui/guides.html");
}

TEST_F(DispatcherTest, FramePageLoadsWithoutChangingTheReturnPage) {
    EXPECT_FALSE(dispatch("file:///data/UI/Header.HTML"));
    EXPECT_EQ(pane.returnPage, "file:///data/ui/home.html");
}

TEST_F(DispatcherTest, FirstMarkerInOrderDecides) {
    // "doc:" comes before "sp:" in the order, whatever their places in the URL.
    dispatch("file:///data/ui/x.html#sp:x-doc:guide.pdf");
    EXPECT_THAT(actions.calls, ElementsAre("doc guide.pdf"));
}

TEST_F(DispatcherTest, PrinterAndSearchLinksComeBeforeTheErrorMarkers) {
    EXPECT_TRUE(dispatch("sp:Syntax_Lab"));
    EXPECT_TRUE(dispatch("sp:Error%20Desk"));
    EXPECT_TRUE(dispatch("util-search:error"));
    EXPECT_TRUE(dispatch("util-search:wwhelp%20pdfs"));
    EXPECT_THAT(actions.calls, ElementsAre("select Syntax_Lab", "select Error Desk", "search error",
                                           "search wwhelp pdfs"));
    EXPECT_THAT(pane.calls, ElementsAre("set header.html", "set header.html", "return", "return"));
}

// Every page lives below the user's home; what that path holds is no link.
TEST_F(DispatcherTest, MarkersAboveTheContentFolderAreNoLinks) {
    const std::string home = "/home/Errors syntax/WWHelp pdfs htmldocs/ps:sp:doc:video:/.cache/";
    actions.folders = {home + "kaldo/Tendwell/Data/"};
    const std::string ui =
        QUrl::fromLocalFile(QString::fromStdString(home + "kaldo/Tendwell/Data/p3000/ui/"))
            .toString()
            .toStdString();
    EXPECT_FALSE(dispatch(ui + "home.html"));
    EXPECT_EQ(pane.returnPage, ui + "home.html");
    EXPECT_THAT(actions.calls, IsEmpty());

    EXPECT_TRUE(dispatch(ui + "tab#2"));
    EXPECT_TRUE(dispatch(ui + "pdfs/guide.pdf"));
    EXPECT_TRUE(dispatch(ui + "search.html?keywords=toner"));
    EXPECT_THAT(actions.calls,
                ElementsAre("tab 1", "pdf " + ui + "pdfs/guide.pdf", "search toner"));
}

TEST_F(DispatcherTest, ContentFolderIsFoundHoweverItIsSpelled) {
    actions.folders = {"/home/u//.cache/./kaldo/Data/"};
    EXPECT_FALSE(dispatch("file:///home/u/.cache/kaldo/Data/p/ui/home.html"));
    EXPECT_TRUE(dispatch("file:///home/u/.cache/kaldo/Data/p/ui/tab#2"));
    EXPECT_THAT(actions.calls, ElementsAre("tab 1"));
}

TEST_F(DispatcherTest, FileOutsideTheContentFoldersIsNeitherShownNorALink) {
    for (const char* url :
         {"file:///etc/hostname#pdfs", "file:///etc/hostname?htmldocs", "file:///tmp/x/ui/tab#2",
          "file:///tmp/error.html", "file://host/data/ui/home.html"}) {
        EXPECT_TRUE(dispatch(url)) << url;
        EXPECT_TRUE(dispatch(url, NavigationStart::Page)) << url;
    }
    EXPECT_THAT(actions.calls, IsEmpty());
    EXPECT_THAT(pane.calls, IsEmpty());
    EXPECT_EQ(pane.returnPage, "file:///data/ui/home.html");
}

// A page's own script, timer or redirect: the link is dropped where it stands, and the pane is
// not sent back to its page, which would run the same script again.
TEST_F(DispatcherTest, LinksThePageStartsByItselfDoNothing) {
    actions.pendingUpdate = true;
    for (const char* url :
         {"sp:Studio", "util-search:x", "util-rs:", "ps:", "util-driver:", "doc:&FileName=a",
          "video:&FileName=b.webm", "http://site/exfil?d=host", "https://site/", "printermodelurl:",
          "qst:x", "uat:", "pweb:/", "file:///data/ui/tab#2", "file:///data/ui/pdfs/a.pdf",
          "file:///data/ui/htmldocs/a.html", "file:///data/ui/h.html?keywords=x",
          "file:///data/ui/error.html", "search:?keywords=x"}) {
        EXPECT_TRUE(dispatch(url, NavigationStart::Page)) << url;
    }
    EXPECT_THAT(actions.calls, IsEmpty());
    EXPECT_THAT(pane.calls, IsEmpty());
    EXPECT_TRUE(actions.pendingUpdate);

    // Ordinary pages may still load.
    EXPECT_FALSE(dispatch("file:///data/ui/guides.html", NavigationStart::Page));
    EXPECT_EQ(pane.returnPage, "file:///data/ui/guides.html");
}

TEST_F(DispatcherTest, LinksTheProgramLoadsAct) {
    EXPECT_TRUE(dispatch("util-rs:", NavigationStart::Program));
    EXPECT_TRUE(dispatch("sp:Studio", NavigationStart::Program));
    EXPECT_THAT(actions.calls, ElementsAre("refresh", "select Studio"));
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
