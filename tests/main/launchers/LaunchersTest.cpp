#include "main/launchers/Launchers.h"

#include "main/content/ModelFolders.h"
#include "main/launchers/ErrorTexts.h"
#include "main/printers/PrinterSelection.h"
#include "tests/main/launchers/LauncherDoubles.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestFiles.h"

#include "TestPaths.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>

namespace kaldo {
namespace {

namespace fs = std::filesystem;
using kaldo::testsupport::ReadBytes;
using kaldo::testsupport::TempFolder;
using kaldo::testsupport::WriteBytes;
using testsupport::FakeDriverFiles;
using testsupport::FakeSettingsDialog;
using testsupport::FakeSettingsStore;
using testsupport::InlineBackground;
using testsupport::RecordingPrompts;
using testsupport::RecordingShell;

constexpr char kModelPage[] = "https://www.kaldo.example/product/model.html?App=Tendwell&"
                              "Page=ProductHome&Model=KP3020&Language=EN";
constexpr char kPrinter[] = "Office_Presslane";

class LaunchersTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(m_folder.Path().empty());
        fs::create_directories(m_folder / "docs");
        fs::create_directories(m_folder / "video");
        fs::create_directories(m_folder / "content");
        fs::copy_file(std::string(KALDO_TEST_DATA_DIR) + "/launchers/toolbox.xml",
                      m_folder / "content/toolbox.xml");
        LoadModel("Presslane 3020");
        m_printer.SelectedPrinter = kPrinter;
        m_folders.ContentFolder = m_folder.Path();
        m_folders.DocumentFolder = m_folder / "docs";
        m_folders.VideoFolder = m_folder / "video";
    }

    void LoadModel(const std::string& model) {
        auto config = std::make_unique<ToolboxConfig>();
        ASSERT_TRUE(config->Load(m_folder / "content", model));
        m_printer.Config = std::move(config);
    }

    void SetNetworkPrinter(const std::string& address) {
        m_printer.PrinterIsNetworked = true;
        m_printer.Config->SetPrinterAddress(address);
        m_printer.Config->SetPrinterWebUrl("http://" + address + "/");
    }

    Launchers Make() {
        return Launchers(m_printer, m_folders,
                         LauncherServices{
                             .Shell = m_shell,
                             .Prompts = m_prompts,
                             .DriverFiles = m_driverFiles,
                             .SettingsStore = m_store,
                             .SettingsDialog = m_dialog,
                             .Background = m_background,
                             .CheckWeb =
                                 [this] {
                                     ++m_webChecks;
                                     return m_webUp;
                                 },
                             .PrinterReachable =
                                 [this](const std::string& address) {
                                     m_reachAsked.push_back(address);
                                     return m_printerUp;
                                 },
                             .WebAnswered = [this](bool up) { m_webAnswers.push_back(up); },
                         });
    }

    std::string Doc(const std::string& name) const { return m_folder / ("docs/" + name); }
    std::string Video(const std::string& name) const { return m_folder / ("video/" + name); }
    const ToolboxConfig& Config() const { return *m_printer.Config; }

    // Nothing reached the desktop, the network or the user.
    void ExpectNothingHappened() const {
        EXPECT_TRUE(m_shell.Opened.empty());
        EXPECT_TRUE(m_shell.OpenedInBrowser.empty());
        EXPECT_TRUE(m_shell.Started.empty());
        EXPECT_TRUE(m_prompts.Downloads.empty());
        EXPECT_TRUE(m_prompts.Errors.empty());
        EXPECT_TRUE(m_prompts.LinkMessages.empty());
        EXPECT_EQ(m_webChecks, 0);
    }

    TempFolder m_folder;
    PrinterSelection m_printer;
    ModelFolders m_folders;
    RecordingShell m_shell;
    RecordingPrompts m_prompts;
    FakeDriverFiles m_driverFiles;
    FakeSettingsStore m_store;
    FakeSettingsDialog m_dialog;
    InlineBackground m_background;
    bool m_webUp = true;
    std::vector<bool> m_webAnswers;
    bool m_printerUp = true;
    int m_webChecks = 0;
    std::vector<std::string> m_reachAsked;
};

TEST_F(LaunchersTest, OpenWithShellHandsTheUrlToTheDesktop) {
    WriteBytes(m_folder / "ui/htmldocs/specifications.html", "<html></html>");
    const std::string url = "file://" + (m_folder / "ui/htmldocs/specifications.html");
    Make().OpenWithShell(url);
    EXPECT_EQ(m_shell.Opened, std::vector<std::string>{url});
}

// Only documents and videos of the content, never anything the desktop would run, and
// nothing outside the content folder however a link names it.
TEST_F(LaunchersTest, DesktopIsGivenOnlyDocumentsOfTheContentFolder) {
    WriteBytes(m_folder / "ui/pdfs/guide.pdf", "%PDF-1.4");
    WriteBytes(m_folder / "ui/pdfs/run.pdf", "%PDF-1.4");
    fs::permissions(m_folder / "ui/pdfs/run.pdf", fs::perms::owner_exec, fs::perm_options::add);
    WriteBytes(m_folder / "ui/htmldocs/evil.desktop", "[Desktop Entry]\nExec=sh\n");
    WriteBytes(m_folder / "ui/htmldocs/evil.sh", "#!/bin/sh\n");
    fs::create_directories(m_folder / "ui/htmldocs/folder.html");
    TempFolder outside;
    WriteBytes(outside / "secret.pdf", "%PDF-1.4");
    m_shell.Applications["pdf"] = "viewer.desktop";
    m_shell.Applications["desktop"] = "runner.desktop";
    m_shell.Applications["html"] = "browser.desktop";
    Launchers launchers = Make();
    const std::string ui = "file://" + (m_folder / "ui/");
    for (const std::string& target :
         {std::string("file:///etc/hostname#pdfs"), std::string("file:///etc/hostname?htmldocs"),
          ui + "htmldocs/evil.desktop", ui + "htmldocs/evil.sh", ui + "pdfs/run.pdf",
          ui + "htmldocs/folder.html",
          ui + "../../" + fs::path(outside.Path()).filename().string() + "/secret.pdf",
          "file://" + outside / "secret.pdf", outside / "secret.pdf", std::string("doc:htmldocs"),
          std::string("/etc/hostname")}) {
        launchers.OpenWithShell(target);
        launchers.OpenPdf(target);
    }
    EXPECT_TRUE(m_shell.Opened.empty()) << m_shell.Opened.front();

    launchers.OpenPdf(ui + "pdfs/guide.pdf");
    launchers.OpenWithShell("https://www.kaldo.example/htmldocs/specs.html");
    EXPECT_EQ(m_shell.Opened,
              (std::vector<std::string>{ui + "pdfs/guide.pdf",
                                        "https://www.kaldo.example/htmldocs/specs.html"}));
}

// --- the printer's own web pages

TEST_F(LaunchersTest, PrinterWebPageOpensBelowTheWebRootWhenThePrinterAnswers) {
    SetNetworkPrinter("192.168.1.20");
    Make().OpenPrinterWebPage("config.html");
    EXPECT_EQ(m_reachAsked, std::vector<std::string>{"192.168.1.20"});
    EXPECT_EQ(m_shell.Opened, std::vector<std::string>{"http://192.168.1.20/config.html"});
    EXPECT_TRUE(m_prompts.Errors.empty());
}

TEST_F(LaunchersTest, PrinterWebPageShowsNoNetworkWhenThePrinterDoesNotAnswer) {
    SetNetworkPrinter("192.168.1.20");
    m_printerUp = false;
    Make().OpenPrinterWebPage("config.html");
    EXPECT_TRUE(m_shell.Opened.empty());
    EXPECT_EQ(m_prompts.Errors, std::vector<ErrorNumber>{ErrorNumber::NoNetwork});
}

TEST_F(LaunchersTest, PrinterWithoutAddressShowsNoNetworkWithoutTryingIt) {
    Make().OpenPrinterWebPage("config.html");
    EXPECT_TRUE(m_reachAsked.empty());
    EXPECT_TRUE(m_shell.Opened.empty());
    EXPECT_EQ(m_prompts.Errors, std::vector<ErrorNumber>{ErrorNumber::NoNetwork});
}

// --- web links

// A web marker and the address it opens.
class WebMarkerTest : public LaunchersTest,
                      public testing::WithParamInterface<std::pair<std::string, std::string>> {};

TEST_P(WebMarkerTest, OpensItsAddress) {
    const auto& [marker, address] = GetParam();
    Launchers launchers = Make();
    launchers.OpenWebLink(marker, "&PgName=drivers");
    EXPECT_EQ(m_shell.Opened, std::vector<std::string>{address});
    EXPECT_EQ(m_webChecks, 1);
    EXPECT_TRUE(m_prompts.Errors.empty());
}

INSTANTIATE_TEST_SUITE_P(
    LaunchersTest, WebMarkerTest,
    testing::Values(
        std::pair<std::string, std::string>{"printermodelurl:",
                                            std::string(kModelPage) + "&PgName=drivers"},
        std::pair<std::string, std::string>{"qst:", std::string(kModelPage) + "&PgName=drivers"},
        std::pair<std::string, std::string>{"uat:", "https://www.kaldo.example/uat/EN"},
        std::pair<std::string, std::string>{"serviceurl:",
                                            "https://www.kaldo.example/service/kp3020"},
        std::pair<std::string, std::string>{"suppliesurl:",
                                            "https://www.kaldo.example/supplies/presslane-3000"}),
    [](const testing::TestParamInfo<std::pair<std::string, std::string>>& info) {
        std::string name;
        for (char c : info.param.first)
            if (std::isalnum(static_cast<unsigned char>(c)))
                name += c;
        return name;
    });

TEST_F(LaunchersTest, PlainAndSecureLinksOpenThemselvesInTheBrowser) {
    Launchers launchers = Make();
    launchers.OpenWebLink("http://", "http://www.kaldo.example/news.html");
    launchers.OpenWebLink("http://", "https://www.kaldo.example/secure.html");
    EXPECT_EQ(m_shell.Opened, (std::vector<std::string>{"http://www.kaldo.example/news.html",
                                                        "https://www.kaldo.example/secure.html"}));
    EXPECT_TRUE(m_shell.Started.empty());
}

TEST_F(LaunchersTest, WebLinkShowsNoWebWhenTheSiteDoesNotAnswer) {
    m_webUp = false;
    Make().OpenWebLink("suppliesurl:", "");
    EXPECT_EQ(m_webChecks, 1);
    EXPECT_TRUE(m_shell.Opened.empty());
    EXPECT_EQ(m_prompts.Errors, std::vector<ErrorNumber>{ErrorNumber::NoWeb});
}

TEST_F(LaunchersTest, WebLinkOpensOnlyOnceTheSiteHasAnswered) {
    m_background.Holding = true;
    // The answer comes back to launchers that still exist, as in the program.
    Launchers launchers = Make();
    launchers.OpenWebLink("http://", "http://www.kaldo.example/a.html");
    EXPECT_TRUE(m_shell.Opened.empty());
    EXPECT_TRUE(m_prompts.Errors.empty());
    EXPECT_EQ(m_background.Waiting(), 1u);
    m_background.Answer();
    EXPECT_EQ(m_shell.Opened, std::vector<std::string>{"http://www.kaldo.example/a.html"});
    EXPECT_EQ(m_webAnswers, std::vector<bool>{true});
}

TEST_F(LaunchersTest, EveryAnswerOfTheSiteIsKept) {
    m_webUp = false;
    Make().OpenWebLink("http://", "http://www.kaldo.example/a.html");
    m_webUp = true;
    Make().OpenWebLink("http://", "http://www.kaldo.example/a.html");
    EXPECT_EQ(m_webAnswers, (std::vector<bool>{false, true}));
}

TEST_F(LaunchersTest, PrinterWebPageOpensOnlyOnceThePrinterHasAnswered) {
    SetNetworkPrinter("192.168.1.20");
    m_background.Holding = true;
    // The answer comes back to launchers that still exist, as in the program.
    Launchers launchers = Make();
    launchers.OpenPrinterWebPage("config.html");
    EXPECT_TRUE(m_shell.Opened.empty());
    m_background.Answer();
    EXPECT_EQ(m_shell.Opened, std::vector<std::string>{"http://192.168.1.20/config.html"});
}

TEST_F(LaunchersTest, MissingDocumentIsFetchedOnlyOnceTheSiteHasAnswered) {
    m_background.Holding = true;
    m_prompts.Site[std::string(kModelPage) + "&FileName=setup"] = "%PDF-1.4 guide";
    m_shell.Applications["pdf"] = "viewer.desktop";
    // The answer comes back to launchers that still exist, as in the program.
    Launchers launchers = Make();
    launchers.OpenDocument("&FileName=setup");
    EXPECT_TRUE(m_prompts.Downloads.empty());
    m_background.Answer();
    EXPECT_EQ(m_prompts.Downloads.size(), 1u);
    EXPECT_TRUE(m_shell.Opened.empty());
    m_background.Answer();
    EXPECT_EQ(m_shell.Opened, std::vector<std::string>{Doc("setup.pdf")});
}

TEST_F(LaunchersTest, UnknownMarkerOpensNothing) {
    Make().OpenWebLink("ftp:", "ftp://www.kaldo.example/");
    EXPECT_TRUE(m_shell.Opened.empty());
    EXPECT_TRUE(m_prompts.Errors.empty());
}

TEST_F(LaunchersTest, LinkThatOnlyMentionsAWebAddressIsNotOpened) {
    Make().OpenWebLink("http://", "file:///etc/passwd?back=http://www.kaldo.example/");
    EXPECT_TRUE(m_shell.Opened.empty());
}

// --- documents

TEST_F(LaunchersTest, DocumentFoundLocallyOpensWithoutWebAccess) {
    WriteBytes(Doc("guide.pdf"), "%PDF-1.4");
    m_shell.Applications["pdf"] = "viewer.desktop";
    Make().OpenDocument("&FileName=guide");
    EXPECT_EQ(m_shell.Opened, std::vector<std::string>{Doc("guide.pdf")});
    EXPECT_EQ(m_webChecks, 0);
    EXPECT_TRUE(m_prompts.Downloads.empty());
}

TEST_F(LaunchersTest, DocumentNameIsMatchedWithoutRegardToCase) {
    WriteBytes(Doc("Guide.PDF"), "%PDF-1.4");
    m_shell.Applications["PDF"] = "viewer.desktop";
    Make().OpenDocument("&FileName=guide");
    EXPECT_EQ(m_shell.Opened, std::vector<std::string>{Doc("Guide.PDF")});
    EXPECT_TRUE(m_prompts.Downloads.empty());
}

TEST_F(LaunchersTest, ItemWithoutFileNameDoesNothing) {
    Launchers launchers = Make();
    launchers.OpenDocument("&Name=guide");
    launchers.OpenVideo("&filename=intro.webm");
    ExpectNothingHappened();
}

TEST_F(LaunchersTest, MissingDocumentIsDownloadedFromTheModelPageThenOpened) {
    const std::string url = std::string(kModelPage) + "&FileName=guide";
    m_prompts.Site[url] = "%PDF-1.4 downloaded";
    m_shell.Applications["pdf"] = "viewer.desktop";
    Make().OpenDocument("&FileName=guide");
    ASSERT_EQ(m_prompts.Downloads.size(), 1u);
    EXPECT_EQ(m_prompts.Downloads[0].Url, url);
    EXPECT_EQ(m_prompts.Downloads[0].LocalPath, Doc("guide.pdf"));
    EXPECT_EQ(ReadBytes(Doc("guide.pdf")), "%PDF-1.4 downloaded");
    EXPECT_EQ(m_shell.Opened, std::vector<std::string>{Doc("guide.pdf")});
}

TEST_F(LaunchersTest, MissingDocumentWhileOfflineShowsNoWeb) {
    m_webUp = false;
    Make().OpenDocument("&FileName=guide");
    EXPECT_EQ(m_prompts.Errors, std::vector<ErrorNumber>{ErrorNumber::NoWeb});
    EXPECT_TRUE(m_prompts.Downloads.empty());
    EXPECT_TRUE(m_shell.Opened.empty());
}

TEST_F(LaunchersTest, FailedOrCancelledDownloadOpensNothingAndSaysNothingMore) {
    m_shell.Applications["pdf"] = "viewer.desktop";
    Make().OpenDocument("&FileName=guide");
    EXPECT_EQ(m_prompts.Downloads.size(), 1u);
    EXPECT_TRUE(m_shell.Opened.empty());
    EXPECT_TRUE(m_prompts.Errors.empty());
}

TEST_F(LaunchersTest, MovedDocumentIsFetchedAgainFromTheAddressInTheTitle) {
    const std::string url = std::string(kModelPage) + "&FileName=guide";
    m_prompts.Site[url] = "<HTML><HEAD><TITLE> https://cdn.kaldo.example/kp3020/guide.pdf "
                          "</TITLE></HEAD><BODY>This file has moved.</BODY></HTML>";
    m_prompts.Site["https://cdn.kaldo.example/kp3020/guide.pdf"] = "%PDF-1.4 moved";
    m_shell.Applications["pdf"] = "viewer.desktop";
    Make().OpenDocument("&FileName=guide");
    ASSERT_EQ(m_prompts.Downloads.size(), 2u);
    EXPECT_EQ(m_prompts.Downloads[1].Url, "https://cdn.kaldo.example/kp3020/guide.pdf");
    EXPECT_EQ(m_prompts.Downloads[1].LocalPath, Doc("guide.pdf"));
    EXPECT_EQ(ReadBytes(Doc("guide.pdf")), "%PDF-1.4 moved");
    EXPECT_EQ(m_shell.Opened, std::vector<std::string>{Doc("guide.pdf")});
}

TEST_F(LaunchersTest, HtmlPageWithoutTitleIsNeitherOpenedNorKept) {
    m_prompts.Site[std::string(kModelPage) + "&FileName=guide"] =
        "<HTML><BODY><H1>404</H1></BODY></HTML>";
    m_shell.Applications["pdf"] = "viewer.desktop";
    Launchers launchers = Make();
    launchers.OpenDocument("&FileName=guide");
    EXPECT_TRUE(m_shell.Opened.empty());
    EXPECT_FALSE(fs::exists(Doc("guide.pdf")));

    // The next click asks the site again instead of opening the page as the document.
    launchers.OpenDocument("&FileName=guide");
    EXPECT_EQ(m_prompts.Downloads.size(), 2u);
    EXPECT_TRUE(m_shell.Opened.empty());
}

TEST_F(LaunchersTest, RedirectToSomethingOtherThanAWebAddressIsNotFollowed) {
    m_prompts.Site[std::string(kModelPage) + "&FileName=guide"] =
        "<HTML><TITLE>file:///etc/shadow</TITLE></HTML>";
    m_prompts.Site["file:///etc/shadow"] = "secret";
    Make().OpenDocument("&FileName=guide");
    EXPECT_EQ(m_prompts.Downloads.size(), 1u);
    EXPECT_FALSE(fs::exists(Doc("guide.pdf")));
    EXPECT_TRUE(m_shell.Opened.empty());
}

TEST_F(LaunchersTest, RedirectThatAnswersWithAnotherPageIsNotOpened) {
    m_prompts.Site[std::string(kModelPage) + "&FileName=guide"] =
        "<HTML><TITLE>https://cdn.kaldo.example/guide.pdf</TITLE></HTML>";
    m_prompts.Site["https://cdn.kaldo.example/guide.pdf"] =
        "<HTML><TITLE>https://cdn.kaldo.example/elsewhere.pdf</TITLE></HTML>";
    m_shell.Applications["pdf"] = "viewer.desktop";
    Make().OpenDocument("&FileName=guide");
    EXPECT_EQ(m_prompts.Downloads.size(), 2u);
    EXPECT_FALSE(fs::exists(Doc("guide.pdf")));
    EXPECT_TRUE(m_shell.Opened.empty());
}

TEST_F(LaunchersTest, FetchedFileThatIsNotWhatItsNameSaysIsNeitherOpenedNorKept) {
    m_prompts.Site[std::string(kModelPage) + "&FileName=guide"] = "#!/bin/sh\nrm -rf ~\n";
    m_prompts.Site[std::string(kModelPage) + "&FileName=intro.webm"] = "[Desktop Entry]\n";
    m_shell.Applications["pdf"] = "viewer.desktop";
    m_shell.Applications["webm"] = "player.desktop";
    Launchers launchers = Make();
    launchers.OpenDocument("&FileName=guide");
    launchers.OpenVideo("&FileName=intro.webm");
    EXPECT_EQ(m_prompts.Downloads.size(), 2u);
    EXPECT_TRUE(m_shell.Opened.empty());
    EXPECT_FALSE(fs::exists(Doc("guide.pdf")));
    EXPECT_FALSE(fs::exists(Video("intro.webm")));
}

TEST_F(LaunchersTest, VideoNamesOutsideTheListOfVideoTypesAreNeverFetched) {
    m_shell.Applications["sh"] = "runner.desktop";
    Launchers launchers = Make();
    for (const char* item : {"&FileName=evil.sh", "&FileName=evil.desktop", "&FileName=evil",
                             "&FileName=evil.webm.exe", "&FileName=.webm"})
        launchers.OpenVideo(item);
    ExpectNothingHappened();
}

TEST_F(LaunchersTest, HtmlPageInAnyLetterCaseIsNeitherOpenedNorKept) {
    m_prompts.Site[std::string(kModelPage) + "&FileName=guide"] =
        "\xEF\xBB\xBF\n<!doctype html><html><title>404 Not Found</title></html>";
    m_shell.Applications["pdf"] = "viewer.desktop";
    Make().OpenDocument("&FileName=guide");
    EXPECT_TRUE(m_shell.Opened.empty());
    EXPECT_FALSE(fs::exists(Doc("guide.pdf")));
}

TEST_F(LaunchersTest, FileNamesThatWouldLeaveTheirFolderAreRefused) {
    WriteBytes(m_folder / "secret.pdf", "%PDF-1.4");
    m_shell.Applications["pdf"] = "viewer.desktop";
    m_shell.Applications["webm"] = "player.desktop";
    Launchers launchers = Make();
    for (const char* item :
         {"&FileName=../secret", "&FileName=/etc/passwd", "&FileName=sub/guide",
          "&FileName=..\\secret", "&FileName=", "&FileName=..", "&FileName=a\nb"}) {
        launchers.OpenDocument(item);
        launchers.OpenVideo(item);
    }
    ExpectNothingHappened();
}

TEST_F(LaunchersTest, HtmlDocumentIsShownFromTheSiteAndNeverLookedForLocally) {
    WriteBytes(Doc("specs.html.pdf"), "%PDF-1.4");
    m_shell.Applications["pdf"] = "viewer.desktop";
    Make().OpenDocument("&FileName=specs.html");
    EXPECT_EQ(m_webChecks, 1);
    EXPECT_EQ(m_shell.Opened,
              std::vector<std::string>{std::string(kModelPage) + "&FileName=specs.html"});
    EXPECT_TRUE(m_prompts.Downloads.empty());
}

TEST_F(LaunchersTest, WebContentWhileOfflineShowsNoWeb) {
    m_webUp = false;
    Make().OpenVideo("&FileName=tour.htm");
    EXPECT_TRUE(m_shell.Opened.empty());
    EXPECT_EQ(m_prompts.Errors, std::vector<ErrorNumber>{ErrorNumber::NoWeb});
}

TEST_F(LaunchersTest, SwfVideoIsNeverLookedForLocally) {
    WriteBytes(Video("intro.swf"), "FWS");
    m_shell.Browser = "browser.desktop";
    Make().OpenVideo("&FileName=intro.swf");
    EXPECT_EQ(m_shell.Opened,
              std::vector<std::string>{std::string(kModelPage) + "&FileName=intro.swf"});
    EXPECT_TRUE(m_shell.OpenedInBrowser.empty());
    EXPECT_TRUE(m_prompts.Downloads.empty());
}

TEST_F(LaunchersTest, SwfWithoutPlayerOrBrowserShowsTheVideoNotice) {
    Make().OpenVideo("&FileName=intro.swf");
    ASSERT_EQ(m_prompts.LinkMessages.size(), 1u);
    EXPECT_EQ(m_prompts.LinkMessages[0].Title, "Kaldo Tendwell");
    EXPECT_EQ(m_prompts.LinkMessages[0].Text, "No video player was found.");
    EXPECT_EQ(m_prompts.LinkMessages[0].Link, kVideoPlayerSite);
    EXPECT_EQ(m_webChecks, 0);
    EXPECT_TRUE(m_shell.Opened.empty());
}

// --- PDF reader and video player

TEST_F(LaunchersTest, MissingPdfReaderShowsTheNoticeWithTheVendorLink) {
    WriteBytes(Doc("guide.pdf"), "%PDF-1.4");
    Make().OpenDocument("&FileName=guide");
    ASSERT_EQ(m_prompts.LinkMessages.size(), 1u);
    EXPECT_EQ(m_prompts.LinkMessages[0].Title, "Kaldo Tendwell");
    EXPECT_EQ(m_prompts.LinkMessages[0].Text, "No PDF viewer was found.");
    EXPECT_EQ(m_prompts.LinkMessages[0].Link, kPdfReaderSite);
    EXPECT_TRUE(m_shell.Opened.empty());
}

TEST_F(LaunchersTest, PdfLinkOfThePagesOpensItsFile) {
    WriteBytes(m_folder / "quick_setup.pdf", "%PDF-1.4");
    m_shell.Applications["pdf"] = "viewer.desktop";
    const std::string url = "file://" + (m_folder / "quick_setup.pdf");
    Make().OpenPdf(url);
    EXPECT_EQ(m_shell.Opened, std::vector<std::string>{url});
}

TEST_F(LaunchersTest, PdfThatDoesNotExistOpensNothing) {
    m_shell.Applications["pdf"] = "viewer.desktop";
    Launchers launchers = Make();
    launchers.OpenPdf("file://" + (m_folder / "gone.pdf"));
    launchers.OpenPdf(m_folder / "gone.pdf");
    EXPECT_TRUE(m_shell.Opened.empty());
    EXPECT_TRUE(m_prompts.LinkMessages.empty());
}

TEST_F(LaunchersTest, VideoOpensInItsPlayer) {
    WriteBytes(Video("load_paper.webm"), "webm");
    m_shell.Applications["webm"] = "player.desktop";
    m_shell.Browser = "browser.desktop";
    Make().OpenVideo("&FileName=load_paper.webm");
    EXPECT_EQ(m_shell.Opened, std::vector<std::string>{Video("load_paper.webm")});
    EXPECT_TRUE(m_shell.OpenedInBrowser.empty());
}

TEST_F(LaunchersTest, VideoWithoutPlayerPlaysInTheBrowser) {
    WriteBytes(Video("load_paper.webm"), "webm");
    m_shell.Browser = "browser.desktop";
    Make().OpenVideo("&FileName=load_paper.webm");
    EXPECT_TRUE(m_shell.Opened.empty());
    EXPECT_EQ(m_shell.OpenedInBrowser, std::vector<std::string>{Video("load_paper.webm")});
}

TEST_F(LaunchersTest, VideoWithoutPlayerOrBrowserShowsTheNotice) {
    WriteBytes(Video("load_paper.webm"), "webm");
    Make().OpenVideo("&FileName=load_paper.webm");
    ASSERT_EQ(m_prompts.LinkMessages.size(), 1u);
    EXPECT_EQ(m_prompts.LinkMessages[0].Text, "No video player was found.");
    EXPECT_EQ(m_prompts.LinkMessages[0].Link, kVideoPlayerSite);
    EXPECT_TRUE(m_shell.Opened.empty());
    EXPECT_TRUE(m_shell.OpenedInBrowser.empty());
}

TEST_F(LaunchersTest, MissingVideoIsDownloadedIntoTheVideoFolder) {
    const std::string url = std::string(kModelPage) + "&FileName=clear_jam.webm";
    m_prompts.Site[url] = "\x1a\x45\xdf\xa3 webm bytes";
    m_shell.Applications["webm"] = "player.desktop";
    Make().OpenVideo("&FileName=clear_jam.webm");
    ASSERT_EQ(m_prompts.Downloads.size(), 1u);
    EXPECT_EQ(m_prompts.Downloads[0].LocalPath, Video("clear_jam.webm"));
    EXPECT_EQ(m_shell.Opened, std::vector<std::string>{Video("clear_jam.webm")});
}

// --- driver utility

TEST_F(LaunchersTest, UtilityOfANetworkPrinterGetsItsAddressAndTcp) {
    SetNetworkPrinter("192.168.1.20");
    Make().RunDriverUtility();
    ASSERT_EQ(m_shell.Started.size(), 1u);
    EXPECT_EQ(m_shell.Started[0].Program, "/usr/lib/cups/filter/kaldo/presslane-utility");
    EXPECT_EQ(m_shell.Started[0].Arguments,
              (std::vector<std::string>{kPrinter, "192.168.1.20", "NULL", "0", "F", "T",
                                        "TCP_CONNECTION"}));
}

TEST_F(LaunchersTest, UtilityOfAUsbPrinterGetsAnEmptyAddressAndUsb) {
    m_printer.Config->SetPrinterAddress("192.168.1.20");
    m_printer.PrinterIsNetworked = false;
    Make().RunDriverUtility();
    ASSERT_EQ(m_shell.Started.size(), 1u);
    EXPECT_EQ(m_shell.Started[0].Arguments,
              (std::vector<std::string>{kPrinter, "", "NULL", "0", "F", "T", "USB_CONNECTION"}));
}

TEST_F(LaunchersTest, LongAddressesAndOddPrinterNamesReachTheUtilityWhole) {
    m_printer.SelectedPrinter = "Front \"Desk\" $(rm -rf ~)";
    SetNetworkPrinter("fd12:3456:789a:0001:0000:0000:0000:0020");
    Make().RunDriverUtility();
    ASSERT_EQ(m_shell.Started.size(), 1u);
    EXPECT_EQ(m_shell.Started[0].Arguments[0], "Front \"Desk\" $(rm -rf ~)");
    EXPECT_EQ(m_shell.Started[0].Arguments[1], "fd12:3456:789a:0001:0000:0000:0000:0020");
}

TEST_F(LaunchersTest, WithoutUtilityPathTheFirstDriverProgramStartsSilently) {
    LoadModel("Presslane 3040");
    m_driverFiles.Files = {{"/usr/share/ppd/kaldo/kp3040.ppd", false},
                           {"/usr/lib/cups/filter/rastertokaldo", false},
                           {"/usr/lib/kaldo/KPSETUP.EXE", false},
                           {"/opt/kaldo/bin/presslane-utility", true}};
    Make().RunDriverUtility();
    EXPECT_EQ(m_driverFiles.AskedFor, std::vector<std::string>{kPrinter});
    ASSERT_EQ(m_shell.Started.size(), 1u);
    EXPECT_EQ(m_shell.Started[0].Program, "/usr/lib/kaldo/KPSETUP.EXE");
    EXPECT_EQ(m_shell.Started[0].Arguments, (std::vector<std::string>{kPrinter, "/s"}));
}

TEST_F(LaunchersTest, WithoutUtilityPathTheDriversOwnUtilityStarts) {
    LoadModel("Presslane 3040");
    m_driverFiles.Files = {{"/usr/lib/cups/filter/rastertokaldo", false},
                           {"/opt/kaldo/bin/presslane-utility", true}};
    Make().RunDriverUtility();
    ASSERT_EQ(m_shell.Started.size(), 1u);
    EXPECT_EQ(m_shell.Started[0].Program, "/opt/kaldo/bin/presslane-utility");
}

TEST_F(LaunchersTest, WithoutUtilityPathOrDriverProgramNothingStarts) {
    LoadModel("Presslane 3040");
    m_driverFiles.Files = {{"/usr/lib/cups/filter/rastertokaldo", false}};
    Make().RunDriverUtility();
    EXPECT_TRUE(m_shell.Started.empty());
    EXPECT_TRUE(m_prompts.Errors.empty());
}

TEST_F(LaunchersTest, UtilityThatFailsToStartIsNotReported) {
    m_shell.StartSucceeds = false;
    Make().RunDriverUtility();
    EXPECT_EQ(m_shell.Started.size(), 1u);
    EXPECT_TRUE(m_prompts.Errors.empty());
}

// --- driver settings

TEST_F(LaunchersTest, ConfirmedChangesBecomeThePrintersDefaults) {
    m_store.Current = {{"media", "A4"}, {"sides", "one-sided"}};
    m_dialog.Changes = {{"sides", "two-sided-long-edge"}, {"media", "A4"}, {"copies", "2"}};
    Make().OpenDriverSettings();
    EXPECT_EQ(m_store.LoadedFor, std::vector<std::string>{kPrinter});
    ASSERT_EQ(m_dialog.Shown.size(), 1u);
    EXPECT_EQ(m_dialog.Shown[0], m_store.Current);
    ASSERT_TRUE(m_store.Saved.has_value());
    EXPECT_EQ(*m_store.Saved, (PrintOptions{{"copies", "2"}, {"sides", "two-sided-long-edge"}}));
    EXPECT_TRUE(m_prompts.Errors.empty());
}

TEST_F(LaunchersTest, ConfirmedWithoutChangesStoresNothing) {
    m_store.Current = {{"media", "A4"}};
    m_store.Saves = false;
    Make().OpenDriverSettings();
    EXPECT_FALSE(m_store.Saved.has_value());
    EXPECT_TRUE(m_prompts.Errors.empty());
}

TEST_F(LaunchersTest, CancellingTheDriverSettingsChangesNothingAndShowsNothing) {
    m_dialog.Answer = DriverSettingsDialog::Result::Cancelled;
    m_dialog.Changes = {{"sides", "two-sided-long-edge"}};
    Make().OpenDriverSettings();
    EXPECT_EQ(m_dialog.Shown.size(), 1u);
    EXPECT_FALSE(m_store.Saved.has_value());
    EXPECT_TRUE(m_prompts.Errors.empty());
}

TEST_F(LaunchersTest, DriverSettingsThatCannotBeReadShowError4) {
    m_store.Loads = false;
    Make().OpenDriverSettings();
    EXPECT_TRUE(m_dialog.Shown.empty());
    EXPECT_EQ(m_prompts.Errors, std::vector<ErrorNumber>{ErrorNumber::DriverSettings});
}

TEST_F(LaunchersTest, DriverSettingsDialogThatCannotBeShownShowsError4) {
    m_dialog.Answer = DriverSettingsDialog::Result::Failed;
    Make().OpenDriverSettings();
    EXPECT_FALSE(m_store.Saved.has_value());
    EXPECT_EQ(m_prompts.Errors, std::vector<ErrorNumber>{ErrorNumber::DriverSettings});
}

TEST_F(LaunchersTest, DriverSettingsThatCannotBeSavedShowError5) {
    m_store.Saves = false;
    m_dialog.Changes = {{"sides", "two-sided-long-edge"}};
    Make().OpenDriverSettings();
    EXPECT_EQ(m_prompts.Errors, std::vector<ErrorNumber>{ErrorNumber::SaveSettings});
}

TEST_F(LaunchersTest, WithoutAPrinterNoDriverSettingsAreOpened) {
    m_printer.SelectedPrinter.clear();
    Make().OpenDriverSettings();
    EXPECT_TRUE(m_store.LoadedFor.empty());
    EXPECT_EQ(m_prompts.Errors, std::vector<ErrorNumber>{ErrorNumber::DriverSettings});
}

// --- no configuration loaded

TEST_F(LaunchersTest, WithoutConfigurationTheContentActionsDoNothing) {
    m_printer.Config.reset();
    WriteBytes(Doc("guide.pdf"), "%PDF-1.4");
    Launchers launchers = Make();
    launchers.OpenPrinterWebPage("config.html");
    launchers.OpenWebLink("http://", "http://www.kaldo.example/");
    launchers.OpenDocument("&FileName=guide");
    launchers.OpenVideo("&FileName=intro.webm");
    launchers.RunDriverUtility();
    launchers.OpenDriverSettings();
    ExpectNothingHappened();
    EXPECT_TRUE(m_store.LoadedFor.empty());
}

} // namespace
} // namespace kaldo
