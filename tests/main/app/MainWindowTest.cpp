// The main window over the sample content and a private print scheduler, offscreen: the three
// panes, real clicks on the program's link forms, and a second start handing over a printer.
#include "main/app/MainWindow.h"
#include "main/app/AppContext.h"
#include "main/app/InstanceChannel.h"
#include "main/browser/BrowserHost.h"
#include "main/browser/PaneLayout.h"
#include "main/printers/PrinterServices.h"
#include "platform/instance/InstanceLock.h"
#include "platform/registry/IniRegistry.h"
#include "platform/spooler/CupsSpooler.h"
#include "platform/spooler/SpoolerRegistryView.h"
#include "tests/platform/TempFolder.h"
#include "tests/support/PrivateCups.h"

#include "TestPaths.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QProcess>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <mutex>

using namespace kaldo;
using kaldo::testing::ScopedEnv;
using kaldo::testing::TempFolder;
namespace fs = std::filesystem;

namespace {

bool WaitUntil(const std::function<bool()>& condition, int limitMs = 20000) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > limitMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

std::string PageOf(BrowserHost* pane) {
    return pane && pane->View() ? pane->View()->url().toLocalFile().toStdString() : "";
}

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// The trace lines written while a test runs.
std::mutex g_traceMutex;
std::vector<std::string> g_trace;
QtMessageHandler g_previousHandler = nullptr;

void RecordTrace(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (context.category && std::string_view(context.category) == "kaldo.trace") {
        std::lock_guard lock(g_traceMutex);
        g_trace.push_back(message.toStdString());
    }
    if (g_previousHandler)
        g_previousHandler(type, context, message);
}

bool TraceHas(const std::string& text) {
    std::lock_guard lock(g_traceMutex);
    for (const std::string& line : g_trace) {
        if (line.find(text) != std::string::npos)
            return true;
    }
    return false;
}

class MainWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_cups = new testsupport::PrivateCups;
        ASSERT_TRUE(s_cups->Started()) << s_cups->Error();
        ASSERT_TRUE(s_cups->AddQueueForModel("Office_3020", "socket://127.0.0.5:9100",
                                             "Kaldo Presslane 3020 PS"));
        ASSERT_TRUE(s_cups->AddQueueForModel("Studio_C5100", "ipp://127.0.0.6/ipp/print",
                                             "Kaldo Presslane C5100 PS"));
        ASSERT_TRUE(
            s_cups->AddQueueForModel("Tessaro", "lpd://127.0.0.7/queue", "Tessaro Inkline 5 PCL"));
        g_previousHandler = qInstallMessageHandler(RecordTrace);
        QLoggingCategory::setFilterRules("kaldo.trace.debug=true");
    }
    static void TearDownTestSuite() {
        qInstallMessageHandler(g_previousHandler);
        delete s_cups;
        s_cups = nullptr;
    }

    void SetUp() override {
        fs::create_directories(m_temp / "program/Data");
        for (const auto& entry : fs::directory_iterator(KALDO_CONTENT_DIR)) {
            if (entry.is_directory())
                fs::copy(entry.path(),
                         m_temp / ("program/Data/" + entry.path().filename().string()),
                         fs::copy_options::recursive);
        }
        m_spooler = std::make_unique<CupsSpooler>(s_cups->Server());
        m_registry = std::make_unique<SpoolerRegistryView>(m_settings, *m_spooler);
        m_services = std::make_unique<PrinterServices>(PrinterServices{
            *m_spooler, *m_registry, m_temp / "program/ktendwell", "http://127.0.0.1:9/",
            [](const std::string&, std::chrono::milliseconds) {
                return false;
            }});
        m_context = std::make_unique<AppContext>(*m_services, m_temp / "program/");
    }

    void TearDown() override {
        m_context->Shutdown();
        m_context.reset();
    }

    // Starts the program's window for `printer` and waits for its three pages.
    void Start(const std::string& printer) {
        m_window.show();
        ASSERT_TRUE(m_context->Initialize(&m_window, printer));
        bool loaded = false;
        m_window.WhenPanesLoaded({m_context->HeaderPane()->View(), m_context->BodyPane()->View(),
                                  m_context->FooterPane()->View()},
                                 [&] { loaded = true; });
        ASSERT_TRUE(WaitUntil([&] { return loaded; }));
    }

    // Waits until `pane` shows `path` and its document has loaded completely.
    static bool WaitForPage(BrowserHost* pane, const std::string& path) {
        // The answer may come after this returns, so it lives as long as the callback.
        auto state = std::make_shared<int>(0); // 0 ask, 1 asked, 2 complete
        return WaitUntil([&] {
            if (PageOf(pane) != path)
                return false;
            if (*state == 0) {
                *state = 1;
                pane->View()->page()->runJavaScript(
                    "document.readyState + ' ' + decodeURI(document.URL)",
                    [state, expected = "complete file://" + path](const QVariant& v) {
                        *state = v.toString().toStdString() == expected ? 2 : 0;
                    });
            }
            return *state == 2;
        });
    }

    void RunInPane(BrowserHost* pane, const QString& script) {
        pane->View()->page()->runJavaScript(script);
    }

    static testsupport::PrivateCups* s_cups;
    TempFolder m_temp;
    ScopedEnv m_root{"KALDO_ROOT", (m_temp / "root").c_str()};
    ScopedEnv m_config{"XDG_CONFIG_HOME", (m_temp / "config").c_str()};
    // Message boxes close by themselves.
    ScopedEnv m_unattended{"KALDO_EXIT_WHEN_READY", "1"};
    IniRegistry m_settings;
    std::unique_ptr<CupsSpooler> m_spooler;
    std::unique_ptr<SpoolerRegistryView> m_registry;
    std::unique_ptr<PrinterServices> m_services;
    MainWindow m_window;
    std::unique_ptr<AppContext> m_context;
};

testsupport::PrivateCups* MainWindowTest::s_cups = nullptr;

} // namespace

TEST_F(MainWindowTest, StartUpShowsHeaderDefaultPageAndFooter) {
    Start("Office_3020");
    EXPECT_TRUE(EndsWith(PageOf(m_context->HeaderPane()), "Data/presslane_3000/ui/header.html"));
    EXPECT_TRUE(EndsWith(PageOf(m_context->BodyPane()), "Data/presslane_3000/ui/home.html"));
    EXPECT_TRUE(EndsWith(PageOf(m_context->FooterPane()), "Data/presslane_3000/ui/nostatus.html"));

    EXPECT_EQ(m_window.width(), 780);
    EXPECT_EQ(m_window.minimumSize(), m_window.maximumSize()); // no resizing
    EXPECT_FALSE(m_window.windowFlags() & Qt::WindowMaximizeButtonHint);
    const PaneRects rects = ComputePaneRects(m_window.size(), m_window.height());
    EXPECT_EQ(m_context->BodyPane()->View()->geometry(), rects.body);
    EXPECT_EQ(m_context->HeaderPane()->View()->geometry().height(), 60);

    // The header lists only printers whose driver has content, the selected one first.
    std::ifstream in(m_temp / "program/Data/presslane_3000/xml/header.xml");
    const std::string header(std::istreambuf_iterator<char>(in), {});
    EXPECT_LT(header.find("<printername>Office_3020"), header.find("<printername>Studio_C5100"));
    EXPECT_EQ(header.find("Tessaro"), std::string::npos);
}

TEST_F(MainWindowTest, TabAndPageLinksSwitchTheBody) {
    Start("Office_3020");
    BrowserHost* body = m_context->BodyPane();
    RunInPane(body, "document.querySelector('a[href=\"tab#2\"]').click()");
    const std::string guides =
        m_context->Folders().ContentPath(m_context->Printer().Config->TabPageFile(1));
    ASSERT_TRUE(WaitForPage(body, guides)) << PageOf(body);
    EXPECT_EQ(m_context->Printer().CurrentTab, 1);

    RunInPane(body, "document.querySelector('a[href^=\"page#2\"]').click()");
    const auto& pages = m_context->Printer().Config->Tabs()[1].Pages;
    ASSERT_GE(pages.size(), 2u);
    const std::string second = m_context->Folders().ContentPath(pages[1].File);
    EXPECT_TRUE(WaitForPage(body, second)) << PageOf(body);
}

TEST_F(MainWindowTest, PrinterListSwitchesToAnotherPrinter) {
    Start("Office_3020");
    RunInPane(m_context->HeaderPane(),
              "var s = document.getElementById('printer');"
              "for (var o of s.options) if (o.text == 'Studio_C5100') s.value = o.value;"
              "s.dispatchEvent(new Event('change'));");
    ASSERT_TRUE(WaitUntil([&] { return m_context->Printer().SelectedPrinter == "Studio_C5100"; }));
    EXPECT_TRUE(WaitUntil([&] {
        return EndsWith(PageOf(m_context->BodyPane()), "Data/presslane_c5000/ui/home.html") &&
               EndsWith(PageOf(m_context->HeaderPane()), "Data/presslane_c5000/ui/header.html");
    })) << PageOf(m_context->BodyPane());
}

TEST_F(MainWindowTest, SearchBoxShowsTheResultsInTheSearchTab) {
    Start("Office_3020");
    RunInPane(m_context->HeaderPane(), "var k = document.getElementById('keywords');"
                                       "k.value = 'paper jam'; k.form.submit();");
    EXPECT_TRUE(WaitUntil([] { return TraceHas("search paper jam"); }));
    const ToolboxConfig& config = *m_context->Printer().Config;
    const std::string searchPage =
        m_context->ContentPath(config.Tabs()[config.SearchTab()].Pages[config.SearchPage()].File);
    EXPECT_TRUE(WaitForPage(m_context->BodyPane(), searchPage)) << PageOf(m_context->BodyPane());
    EXPECT_EQ(m_context->Printer().CurrentTab, config.SearchTab());
    std::ifstream in(m_context->ContentPath(config.Files().File_SearchContent));
    const std::string results(std::istreambuf_iterator<char>(in), {});
    EXPECT_NE(results.find("paper jam"), std::string::npos);
    // The header stays where it was.
    EXPECT_TRUE(EndsWith(PageOf(m_context->HeaderPane()), "presslane_3000/ui/header.html"));
}

TEST_F(MainWindowTest, IndexPagesAreBuiltAtStartUp) {
    Start("Office_3020");
    const FileNames files = m_context->Printer().Config->Files();
    std::ifstream in(m_context->ContentPath(files.File_IndexContent));
    const std::string index(std::istreambuf_iterator<char>(in), {});
    EXPECT_NE(index.find("0 - 9"), std::string::npos);
    EXPECT_NE(index.find("Paper jam"), std::string::npos);
}

TEST_F(MainWindowTest, SecondStartHandsOverItsPrinter) {
    Start("Office_3020");
    InstanceLock lock("KALDO_TENDWELL_MUTEX");
    ASSERT_TRUE(lock.Held());
    InstanceServer server([&](const std::string& name) { m_context->OnForwardedPrinter(name); });
    ASSERT_TRUE(server.Listen(InstanceSocketPath("Kaldo_Tendwell")));

    QProcess second;
    second.start(KTENDWELL_PROGRAM, {"Studio_C5100"});
    ASSERT_TRUE(WaitUntil([&] { return second.state() == QProcess::NotRunning; }, 60000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    // Switched before the second start ended.
    EXPECT_EQ(m_context->Printer().SelectedPrinter, "Studio_C5100");
    EXPECT_TRUE(WaitUntil([&] {
        return EndsWith(PageOf(m_context->BodyPane()), "Data/presslane_c5000/ui/home.html");
    }));
}

TEST_F(MainWindowTest, ForwardedUnknownOrEmptyNameKeepsThePrinter) {
    Start("Office_3020");
    m_context->OnForwardedPrinter("");
    m_context->OnForwardedPrinter("No such printer");
    EXPECT_EQ(m_context->Printer().SelectedPrinter, "Office_3020");
}

TEST_F(MainWindowTest, LastPrinterIsRememberedForTheUser) {
    Start("Studio_C5100");
    m_context->Shutdown();
    EXPECT_EQ(m_settings.QueryValue(Hive::CurrentUser, "SOFTWARE\\Kaldo\\Tendwell", "Last_Printer"),
              "Studio_C5100");
}
