// The application object over the sample content without a window: panes and dialogs are
// recorders, the spooler is a fake and the printer's status comes from a fake source.
#include "main/appcore/AppContext.h"

#include "TestPaths.h"
#include "main/launchers/Launchers.h"
#include "main/printers/DeviceIdentification.h"
#include "main/printers/PrinterServices.h"
#include "main/resources/StringResources.h"
#include "main/status/StatusRetrieval.h"
#include "main/status/StatusSource.h"
#include "platform/registry/IniRegistry.h"
#include "platform/spooler/SpoolerRegistryView.h"
#include "tests/main/launchers/LauncherDoubles.h"
#include "tests/main/net/TestWebServer.h"
#include "tests/support/EventLoopWait.h"
#include "tests/support/FakeSpooler.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestFiles.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <mutex>

namespace kaldo {
namespace {

namespace fs = std::filesystem;
using namespace testsupport;

// Reports go to the main thread through its event loop.
QCoreApplication& Application() {
    static int argc = 1;
    static char name[] = "AppCoreTest";
    static char* argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);
    return application;
}

const char* PlaceName(PanePlace place) {
    switch (place) {
    case PanePlace::Header:
        return "header";
    case PanePlace::Body:
        return "body";
    case PanePlace::Footer:
        return "footer";
    }
    return "";
}

// A pane that writes what it is asked into the test's log, as "<place> <what> <url>".
class RecordingPane final : public Pane {
public:
    RecordingPane(std::string name, std::vector<std::string>& log)
        : m_name(std::move(name))
        , m_log(log) {}

    void Navigate(const std::string& url) override { Record("navigate " + url); }
    void StopAndNavigate(const std::string& url) override { Record("stop-navigate " + url); }
    void Destroy() override { Record("destroy"); }
    void ReturnToPage() override { Record("return " + m_returnPage); }
    void SetReturnPage(const std::string& url) override { m_returnPage = url; }
    const std::string& ReturnPage() const override { return m_returnPage; }
    bool IsErrorPage(const std::string&) const override { return false; }

private:
    void Record(const std::string& what) { m_log.push_back(m_name + " " + what); }

    std::string m_name;
    std::vector<std::string>& m_log;
    std::string m_returnPage;
};

// The real launchers over recording desktop, prompts and driver.
class FakeLaunchers final : public LauncherSet {
public:
    FakeLaunchers(const PrinterSelection& printer, const ModelFolders& folders)
        : m_launchers(printer, folders,
                      LauncherServices{.Shell = m_shell,
                                       .Prompts = m_prompts,
                                       .DriverFiles = m_driverFiles,
                                       .SettingsStore = m_settingsStore,
                                       .SettingsDialog = m_settingsDialog,
                                       .Background = m_background,
                                       .CheckWeb = [] { return false; },
                                       .PrinterReachable = [](const std::string&) { return false; },
                                       .WebAnswered =
                                           [](bool) {
                                           }}) {}

    Launchers& Get() override { return m_launchers; }
    void CancelWaits() override {}

private:
    testsupport::RecordingShell m_shell;
    testsupport::RecordingPrompts m_prompts;
    testsupport::FakeDriverFiles m_driverFiles;
    testsupport::FakeSettingsStore m_settingsStore;
    testsupport::FakeSettingsDialog m_settingsDialog;
    testsupport::InlineBackground m_background;
    Launchers m_launchers;
};

// The printer's answer: the given document, nothing, or a wait until the retrieval is aborted.
struct StatusAnswers {
    std::mutex Mutex;
    std::condition_variable Changed;
    std::string Document; // empty: the printer does not answer
    bool Block = false;
    int Retrievals = 0;
    int Aborts = 0;
};

class FakeStatusSource final : public StatusSource {
public:
    explicit FakeStatusSource(StatusAnswers& answers)
        : m_answers(answers) {}

    bool Retrieve(const std::string& file) override {
        std::unique_lock lock(m_answers.Mutex);
        ++m_answers.Retrievals;
        m_answers.Changed.notify_all();
        m_answers.Changed.wait(lock, [&] { return !m_answers.Block || m_aborted; });
        if (m_aborted || m_answers.Document.empty())
            return false;
        fs::copy_file(m_answers.Document, file, fs::copy_options::overwrite_existing);
        return true;
    }
    bool Fetch(const std::string&, const std::string&) override { return false; }
    void Abort() override {
        std::lock_guard lock(m_answers.Mutex);
        m_aborted = true;
        ++m_answers.Aborts;
        m_answers.Changed.notify_all();
    }

private:
    StatusAnswers& m_answers;
    bool m_aborted = false;
};

// Replaces every `from` in the file at `path` by `to`.
void ReplaceInFile(const std::string& path, const std::string& from, const std::string& to) {
    std::string text = ReadBytes(path);
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

// An installation of the sample content in `folder`.
void Install(const std::string& folder) {
    testsupport::InstallContentFolders(KALDO_CONTENT_DIR, folder);
}

// Office_3020 and Studio_C5100 are networked printers with content, Tessaro has none. The
// tests share one installation, which they only read.
class AppCoreTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        Application();
        s_installation = new TempFolder;
        Install(s_installation->Path());
    }
    static void TearDownTestSuite() {
        delete s_installation;
        s_installation = nullptr;
    }

    AppCoreTest() {
        AddNetworkPrinter("Office_3020", "Kaldo Presslane 3020 PS", "127.0.0.5");
        AddNetworkPrinter("Studio_C5100", "Kaldo Presslane C5100 PS", "127.0.0.6");
        m_spooler.AddPrinter("Tessaro", "Tessaro Inkline 5 PCL");
        m_answers.Document = KALDO_TEST_DATA_DIR "/status/ready.xml";
    }

    ~AppCoreTest() override {
        if (m_context) {
            m_context->Shutdown();
            m_context.reset();
        }
    }

    void AddNetworkPrinter(const std::string& name, const std::string& driver,
                           const std::string& address) {
        const std::string port = "IP_" + address;
        m_spooler.AddPrinter(name, driver, port);
        SpoolerPort tcp;
        tcp.Name = port;
        tcp.Monitor = PortMonitor::StandardTcpIp;
        tcp.HostName = tcp.IPAddress = address;
        tcp.PortNumber = 9100;
        m_spooler.Ports.push_back(tcp);
    }

    AppHooks RecordingHooks() {
        AppHooks hooks;
        hooks.ShowWaitCursor = [this](bool waiting) {
            m_log.push_back(waiting ? "wait" : "arrow");
        };
        hooks.ShowFatalMessage = [this](const std::string& caption, const std::string& text) {
            m_log.push_back("fatal " + caption + ": " + text);
        };
        hooks.ShowErrorBox = [this](const ToolboxConfig&, ErrorNumber kind) {
            m_log.push_back("error " + std::to_string(static_cast<int>(kind)));
        };
        hooks.CreatePane = [this](PanePlace place, NavigationDispatcher& dispatcher,
                                  RedirectMode) -> std::unique_ptr<Pane> {
            EXPECT_EQ(&dispatcher, m_context.get());
            m_log.push_back(std::string("create ") + PlaceName(place));
            return std::make_unique<RecordingPane>(PlaceName(place), m_log);
        };
        hooks.CreateLaunchers = [](const PrinterSelection& printer, const ModelFolders& folders,
                                   std::function<bool()>, std::function<void(bool)>) {
            return std::make_unique<FakeLaunchers>(printer, folders);
        };
        hooks.StatusSources = [this](const StatusRequest& request) {
            m_requests.push_back(request);
            return std::make_unique<FakeStatusSource>(m_answers);
        };
        hooks.StatusReportDelay = std::chrono::milliseconds(0);
        return hooks;
    }

    // Starts on `printer`; the log then holds only what follows.
    void Start(const std::string& printer) {
        m_context = std::make_unique<AppContext>(m_services, m_programFolder, m_temp / "state/",
                                                 RecordingHooks());
        ASSERT_TRUE(m_context->Initialize(printer));
        m_startLog = std::exchange(m_log, {});
    }

    // Starts on `printer` and finishes the start, as the window does after the first paint.
    void StartAndFinish(const std::string& printer) {
        Start(printer);
        m_context->FinishStart();
    }

    // The log lines of `pane` ("header", "body", "footer").
    std::vector<std::string> LogOf(const std::string& pane) const {
        std::vector<std::string> lines;
        for (const std::string& line : m_log) {
            if (line.rfind(pane + " ", 0) == 0)
                lines.push_back(line);
        }
        return lines;
    }

    std::string Page(const std::string& file) const { return m_context->ContentPath(file); }

    static inline TempFolder* s_installation = nullptr;
    TempFolder m_temp;
    std::string m_programFolder = s_installation->Path() + "/";
    ScopedEnv m_root{"KALDO_ROOT", (m_temp / "root").c_str()};
    ScopedEnv m_config{"XDG_CONFIG_HOME", (m_temp / "config").c_str()};
    IniRegistry m_settings;
    testsupport::FakeSpooler m_spooler;
    SpoolerRegistryView m_registry{m_settings, m_spooler};
    PrinterServices m_services{m_spooler, m_registry, m_temp / "program/ktendwell",
                               "http://127.0.0.1:9/",
                               [](const std::string&, std::chrono::milliseconds) {
                                   return false;
                               }};
    StatusAnswers m_answers;
    std::vector<StatusRequest> m_requests;
    std::vector<std::string> m_log;
    std::vector<std::string> m_startLog;
    std::unique_ptr<AppContext> m_context;
};

TEST_F(AppCoreTest, StartUpShowsBodyThenHeaderThenCollectingFooter) {
    m_answers.Block = true;
    Start("Office_3020");
    const std::string folder = m_temp / "state/Data/presslane_3000/ui/";
    // The panes are made while the pages are written; each shows its page once all are there.
    EXPECT_EQ(m_startLog, (std::vector<std::string>{
                              "create body",
                              "create header",
                              "create footer",
                              "body navigate " + folder + "home.html",
                              "header navigate " + folder + "header.html",
                              "footer navigate " + folder + "status.html",
                          }));
    EXPECT_EQ(m_context->FooterStatus(), StatusValue::STATUS_COLLECTING);
    EXPECT_EQ(m_context->Printer().SelectedPrinter, "Office_3020");

    // The header lists only printers whose driver has content, the selected one first.
    const std::string header = ReadBytes(m_temp / "state/Data/presslane_3000/xml/header.xml");
    EXPECT_LT(header.find("<printername>Office_3020"), header.find("<printername>Studio_C5100"));
    EXPECT_EQ(header.find("Tessaro"), std::string::npos);
}

// The first paint waits for none of it; the window finishes the start once the panes have
// painted, or sooner when the user goes somewhere; after the end nothing of it starts.
TEST_F(AppCoreTest, StatusAndIndexPagesFollowTheFirstPages) {
    Start("Office_3020");
    const FileNames files = m_context->Printer().Config->Files();
    EXPECT_TRUE(fs::exists(Page(files.File_Status)));
    EXPECT_FALSE(fs::exists(Page(files.File_IndexContent)));
    EXPECT_FALSE(fs::exists(Page(files.File_CurrentProblem)));
    EXPECT_TRUE(m_requests.empty());
    m_context->FinishStart();
    const std::string index = ReadBytes(Page(files.File_IndexContent));
    EXPECT_NE(index.find("0 - 9"), std::string::npos);
    EXPECT_NE(index.find("Paper jam"), std::string::npos);
    EXPECT_TRUE(fs::exists(Page(files.File_Solutions)));
    EXPECT_TRUE(fs::exists(Page(files.File_CurrentProblem)));
    EXPECT_EQ(m_requests.size(), 1u);

    m_context->Shutdown();
    Start("Office_3020");
    EXPECT_TRUE(m_context->Dispatch(*m_context->BodyPane(), "tab#4", NavigationStart::User));
    EXPECT_EQ(m_requests.size(), 2u);

    m_context->Shutdown();
    Start("Office_3020");
    m_context->Shutdown();
    m_context->FinishStart();
    EXPECT_EQ(m_requests.size(), 2u);
}

// A default page that the rest of the start would build is built before it is shown, and
// from then on follows each status report.
TEST_F(AppCoreTest, StartOnTheTroubleTabBuildsItsPageFirst) {
    m_programFolder = m_temp / "program/";
    Install(m_programFolder);
    ReplaceInFile(m_programFolder + "Data/presslane_3000/tabinfo.xml",
                  "<TabInfo>\n  <Default>0</Default>", "<TabInfo>\n  <Default>2</Default>");
    Start("Office_3020");
    const std::string current = Page(m_context->Printer().Config->Files().File_CurrentProblem);
    EXPECT_NE(std::ranges::find(m_startLog, "body navigate " + current), m_startLog.end());
    const std::string collecting = ReadBytes(current);
    EXPECT_FALSE(collecting.empty());
    m_context->FinishStart();
    ASSERT_TRUE(
        WaitUntil([&] { return m_context->FooterStatus() != StatusValue::STATUS_COLLECTING; }));
    EXPECT_NE(ReadBytes(current), collecting);
}

// A printer the start cannot show ends it before the web engine starts: no pane is made.
TEST_F(AppCoreTest, PrinterWithoutContentEndsTheStartWithoutPanes) {
    m_context = std::make_unique<AppContext>(m_services, m_programFolder, m_temp / "state/",
                                             RecordingHooks());
    EXPECT_FALSE(m_context->Initialize("Tessaro"));
    EXPECT_EQ(m_log,
              (std::vector<std::string>{"fatal " + LoadResourceString(StringId::FatalCaption) +
                                        ": " + LoadResourceString(StringId::FatalStart)}));
}

TEST_F(AppCoreTest, NetworkedPrinterIsAskedAtItsStatusUrl) {
    StartAndFinish("Office_3020");
    ASSERT_FALSE(m_requests.empty());
    const StatusRequest& request = m_requests.back();
    EXPECT_FALSE(request.UseUsb);
    EXPECT_EQ(request.Source,
              StatusUrl("http://127.0.0.5/", m_context->Printer().Config->StatusPage(),
                        m_context->ContentLanguage()));
    EXPECT_EQ(request.PrinterWebUrl, "http://127.0.0.5/");
    EXPECT_EQ(request.ImagesFolder, m_temp / "state/Data/presslane_3000/ui/images");
    EXPECT_TRUE(request.Language.empty());
    EXPECT_EQ(request.QueueName, "Office_3020");
}

TEST_F(AppCoreTest, FooterShowsEachStatusReportOnce) {
    StartAndFinish("Office_3020");
    int shown = 0;
    m_context->WhenStatusShown([&] { ++shown; });
    ASSERT_TRUE(
        WaitUntil([&] { return m_context->FooterStatus() != StatusValue::STATUS_COLLECTING; }));
    EXPECT_EQ(m_context->FooterStatus(), StatusValue::STATUS_AVAILABLE);
    EXPECT_EQ(m_log, (std::vector<std::string>{
                         "wait", "footer navigate " + m_context->FooterPagePath(), "arrow"}));
    EXPECT_EQ(shown, 1);

    // The refresh link asks again; a printer that does not answer is unavailable.
    m_answers.Document.clear();
    m_log.clear();
    EXPECT_TRUE(m_context->Dispatch(*m_context->FooterPane(), "util-rs:", NavigationStart::User));
    EXPECT_EQ(m_context->FooterStatus(), StatusValue::STATUS_COLLECTING);
    ASSERT_TRUE(
        WaitUntil([&] { return m_context->FooterStatus() != StatusValue::STATUS_COLLECTING; }));
    EXPECT_EQ(m_context->FooterStatus(), StatusValue::STATUS_UNAVAILABLE);
    EXPECT_EQ(LogOf("footer"),
              (std::vector<std::string>{"footer navigate " + m_context->FooterPagePath(),
                                        "footer navigate " + m_context->FooterPagePath()}));
    EXPECT_EQ(shown, 1);
}

TEST_F(AppCoreTest, PrinterSwitchShowsTheNewPrinterInEveryPane) {
    m_answers.Block = true;
    Start("Office_3020");
    ASSERT_TRUE(
        m_context->Dispatch(*m_context->HeaderPane(), "sp:Studio_C5100", NavigationStart::User));
    EXPECT_EQ(m_context->Printer().SelectedPrinter, "Studio_C5100");
    const std::string folder = m_temp / "state/Data/presslane_c5000/ui/";
    EXPECT_EQ(LogOf("header").front(), "header navigate " + folder + "header.html");
    EXPECT_EQ(LogOf("footer"),
              (std::vector<std::string>{"footer navigate " + folder + "status.html"}));
    EXPECT_EQ(LogOf("body").front(), "body navigate " + folder + "home.html");
    EXPECT_EQ(m_context->FooterStatus(), StatusValue::STATUS_COLLECTING);
    // The retrieval for the old printer was ended for the new one.
    std::lock_guard lock(m_answers.Mutex);
    EXPECT_GE(m_answers.Aborts, 1);
}

TEST_F(AppCoreTest, PrinterSwitchSeesANewerInstallation) {
    m_programFolder = m_temp / "program/";
    Install(m_programFolder);
    Start("Office_3020");
    std::ofstream(m_temp / "program/Data/presslane_c5000/ui/added.html") << "added";
    fs::remove(m_temp / "program/Data/presslane_c5000/ui/videos.html");
    ASSERT_TRUE(m_context->SelectPrinterByName("Studio_C5100"));
    EXPECT_EQ(ReadBytes(m_context->ContentPath("added.html")), "added");
    EXPECT_FALSE(
        fs::exists(fs::symlink_status(m_temp / "state/Data/presslane_c5000/ui/videos.html")));
}

TEST_F(AppCoreTest, ForwardedPrinterIsShownAndTheBodyReturnsToItsHeader) {
    m_answers.Block = true;
    Start("Office_3020");
    m_context->OnForwardedPrinter("Studio_C5100");
    EXPECT_EQ(m_context->Printer().SelectedPrinter, "Studio_C5100");
    EXPECT_EQ(m_context->BodyPane()->ReturnPage(), m_context->HeaderPagePath());
    EXPECT_EQ(LogOf("body"), (std::vector<std::string>{"body navigate " + Page("home.html")}));
}

TEST_F(AppCoreTest, SwitchToAPrinterWithoutContentSaysSoAfterTheWait) {
    m_answers.Block = true;
    Start("Office_3020");
    EXPECT_FALSE(m_context->SelectPrinterByName("Tessaro"));
    EXPECT_EQ(m_context->Printer().SelectedPrinter, "Office_3020");
    EXPECT_EQ(m_log, (std::vector<std::string>{"wait", "arrow",
                                               "error " + std::to_string(static_cast<int>(
                                                              ErrorNumber::ContentNotFound))}));
}

TEST_F(AppCoreTest, SwitchWhoseHeaderCannotBeBuiltPutsThePreviousPrinterBack) {
    m_programFolder = m_temp / "program/";
    Install(m_programFolder);
    m_answers.Block = true;
    Start("Office_3020");
    const std::string officeFolder = m_context->Folders().UiFolder;
    const ToolboxConfig* officeConfig = m_context->Printer().Config.get();
    std::ofstream(m_temp / "program/Data/presslane_c5000/xml/header.xsl", std::ios::trunc)
        << "not a stylesheet";
    EXPECT_FALSE(m_context->SelectPrinterByName("Studio_C5100"));
    EXPECT_EQ(m_context->Printer().SelectedPrinter, "Office_3020");
    EXPECT_EQ(m_context->Printer().Config.get(), officeConfig);
    EXPECT_EQ(m_context->Folders().UiFolder, officeFolder);
    ASSERT_GE(m_log.size(), 2u);
    EXPECT_EQ(m_log.front(), "wait");
    EXPECT_EQ(m_log.back(),
              "error " + std::to_string(static_cast<int>(ErrorNumber::ContentNotFound)));
}

TEST_F(AppCoreTest, ForwardedUnknownOrEmptyNameKeepsThePrinter) {
    m_answers.Block = true;
    Start("Office_3020");
    m_context->BodyPane()->SetReturnPage("file:///shown.html");
    m_context->OnForwardedPrinter("");
    EXPECT_TRUE(m_log.empty());
    m_context->OnForwardedPrinter("No such printer");
    EXPECT_EQ(m_context->Printer().SelectedPrinter, "Office_3020");
    // The body goes back to what it showed.
    EXPECT_EQ(LogOf("body"), (std::vector<std::string>{"body return file:///shown.html"}));
}

// A driverless printer that has never said what it is holds up the first paint only when it
// is the printer to show: otherwise it is asked afterwards, and listed once it has content.
TEST_F(AppCoreTest, UnknownDriverlessPrinterIsAskedOnceThePanesShowUnlessItIsShown) {
    const std::string lobby = "ipp://10.0.0.9/ipp/print";
    m_spooler.Printers.push_back(
        {"Lobby", "\\\\localhost", "Printer - IPP Everywhere", "http://10.0.0.9/ipp/print", lobby});
    m_spooler.Devices[lobby] = {"Kaldo Presslane 3020", "MFG:Kaldo;MDL:Presslane 3020;"};
    fs::create_directories(m_temp / "state");
    DeviceIdentifier devices(m_spooler, {m_temp / "state/printer-devices.txt"});
    m_services.Devices = &devices;

    m_answers.Block = true;
    Start("Office_3020");
    EXPECT_TRUE(m_spooler.Questions.empty());
    const std::string header = m_temp / "state/Data/presslane_3000/xml/header.xml";
    EXPECT_EQ(ReadBytes(header).find("Lobby"), std::string::npos);
    m_context->FinishStart();
    ASSERT_TRUE(WaitUntil([&] { return !LogOf("header").empty(); }));
    EXPECT_EQ(m_spooler.Questions, (std::vector<std::vector<std::string>>{{lobby}}));
    EXPECT_NE(ReadBytes(header).find("<printername>Lobby"), std::string::npos);
    EXPECT_EQ(LogOf("header"),
              (std::vector<std::string>{"header navigate " + m_context->HeaderPagePath()}));
    m_context->Shutdown();

    // Remembered, it is asked no more; forgotten, a start on it asks it first.
    Start("Lobby");
    EXPECT_EQ(m_spooler.Questions.size(), 1u);
    m_context->Shutdown();
    fs::remove(m_temp / "state/printer-devices.txt");
    DeviceIdentifier forgetful(m_spooler, {m_temp / "state/printer-devices.txt"});
    m_services.Devices = &forgetful;
    Start("Lobby");
    EXPECT_EQ(m_context->Printer().SelectedPrinter, "Lobby");
    EXPECT_EQ(m_spooler.Questions.size(), 2u);
    m_context->Shutdown();
    m_context.reset();
}

TEST_F(AppCoreTest, ShutdownRemembersThePrinterAndEndsTheRetrieval) {
    m_answers.Block = true;
    StartAndFinish("Studio_C5100");
    {
        std::unique_lock lock(m_answers.Mutex);
        ASSERT_TRUE(m_answers.Changed.wait_for(lock, std::chrono::seconds(10),
                                               [&] { return m_answers.Retrievals > 0; }));
    }
    m_context->Shutdown();
    EXPECT_EQ(m_settings.QueryValue(Hive::CurrentUser, "SOFTWARE\\Kaldo\\Tendwell", "Last_Printer"),
              "Studio_C5100");
    EXPECT_EQ(m_log,
              (std::vector<std::string>{"body destroy", "header destroy", "footer destroy"}));
    {
        std::lock_guard lock(m_answers.Mutex);
        EXPECT_EQ(m_answers.Aborts, 1);
    }
    // No report of the ended retrieval reaches the footer.
    QCoreApplication::processEvents();
    EXPECT_EQ(m_context->FooterStatus(), StatusValue::STATUS_COLLECTING);
    m_context.reset();
    EXPECT_EQ(m_log.size(), 3u);
}

// Two content folders with synonyms, frames and web pages of their own, and a site that
// serves every page.
TEST_F(AppCoreTest, PrinterSwitchBringsTheContentFoldersSynonymsFramesAndWebPages) {
    testsupport::TestWebServer site;
    site.Routes().Get(
        "/product/model.html", [](const httplib::Request&, httplib::Response& answer) {
            answer.set_content("<!-- toolbox -->\n<html><body>fresh</body></html>", "text/html");
        });
    ASSERT_TRUE(site.Start());
    const auto fetched = [&](const std::string& page) {
        int count = 0;
        for (const testsupport::SeenRequest& request : site.Seen())
            count += request.Target.find("FileName=" + page) != std::string::npos ? 1 : 0;
        return count;
    };

    m_programFolder = m_temp / "program/";
    Install(m_programFolder);
    const std::string data = m_programFolder + "Data/";
    for (const char* folder : {"presslane_3000/", "presslane_c5000/"})
        ReplaceInFile(data + folder + "toolboxinfo.xml", "http://localhost:18080/", site.Url("/"));
    ReplaceInFile(data + "presslane_c5000/xml/synonyms.xml", "<Synonyms>",
                  "<Synonyms><Group><Item>zorblax</Item><Item>jam</Item></Group>");
    ReplaceInFile(data + "presslane_c5000/tabinfo.xml", "<Web>whatsnew.html</Web>",
                  "<Web>c5news.html</Web>");
    ReplaceInFile(data + "presslane_c5000/tabinfo.xml", "<Frame>index_content.html</Frame>",
                  "<Frame>index_content.html</Frame><Frame>c5frame.html</Frame>");
    const auto results = [&](const std::string& folder) {
        return ReadBytes(m_temp / ("state/Data/" + folder + "/xml/search_results.xml"));
    };

    m_answers.Block = true;
    Start("Office_3020");
    m_context->FinishStart();
    ASSERT_TRUE(WaitUntil([&] { return fetched("whatsnew.html") == 1; }));
    m_context->Search("zorblax");
    EXPECT_EQ(results("presslane_3000").find("paper jam"), std::string::npos);
    EXPECT_FALSE(m_context->IsFramePage("file:///x/c5frame.html"));

    ASSERT_TRUE(m_context->SelectPrinterByName("Studio_C5100"));
    EXPECT_TRUE(m_context->IsFramePage("file:///x/c5frame.html"));
    m_context->Search("zorblax");
    EXPECT_NE(results("presslane_c5000").find("paper jam"), std::string::npos);
    const std::string news = m_context->ContentPath("c5news.html");
    EXPECT_TRUE(WaitUntil([&] { return ReadBytes(news).find("fresh") != std::string::npos; }));

    // Back and forth: each folder's pages were refreshed once this run.
    ASSERT_TRUE(m_context->SelectPrinterByName("Office_3020"));
    EXPECT_FALSE(m_context->IsFramePage("file:///x/c5frame.html"));
    ASSERT_TRUE(m_context->SelectPrinterByName("Studio_C5100"));
    EXPECT_FALSE(WaitUntil(
        [&] { return fetched("whatsnew.html") > 1 || fetched("c5news.html") > 1; }, 1000));
}

} // namespace
} // namespace kaldo
