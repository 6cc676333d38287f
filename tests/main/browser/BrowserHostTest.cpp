#include "main/browser/BrowserHost.h"
#include "main/browser/LinkSchemes.h"
#include "main/navigation/Dispatcher.h"
#include "main/navigation/NavigationDispatcher.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WebEngineTestEnvironment.h"

#include "TestPaths.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QWidget>

#include <httplib.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace kaldo {
namespace {

constexpr int kTimeoutMs = 30000;

// Records every navigation; lets through only the pages a test allows, unless a test
// decides itself.
class RecordingDispatcher final : public NavigationDispatcher {
public:
    bool Dispatch(Pane& pane, const std::string& url, NavigationStart start) override {
        Urls.push_back(url);
        Starts.push_back(start);
        if (Decide)
            return Decide(static_cast<BrowserHost&>(pane), url, start);
        return Allowed.count(url) == 0;
    }

    std::set<std::string> Allowed;
    std::function<bool(BrowserHost&, const std::string&, NavigationStart)> Decide;
    std::vector<std::string> Urls;
    std::vector<NavigationStart> Starts;
};

class EventCounter final : public QObject {
public:
    EventCounter(QEvent::Type type)
        : m_type(type) {}
    int Count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == m_type)
            ++Count;
        return false;
    }

private:
    QEvent::Type m_type;
};

// The application's side of the program's own links, recorded as text.
class RecordedActions final : public NavigationActions, public LinkOpeners {
public:
    void OpenWithShell(const std::string& url) override { Record("OpenWithShell", url); }
    void OpenPrinterWebPage(const std::string& argument) override {
        Record("OpenPrinterWebPage", argument);
    }
    void OpenWebLink(std::string_view marker, const std::string& argument) override {
        Record("OpenWebLink", std::string(marker) + argument);
    }
    void OpenDocument(const std::string& name) override { Record("OpenDocument", name); }
    void OpenVideo(const std::string& name) override { Record("OpenVideo", name); }
    void OpenPdf(const std::string& url) override { Record("OpenPdf", url); }
    void RunDriverUtility() override { Record("RunDriverUtility", ""); }
    void OpenDriverSettings() override { Record("OpenDriverSettings", ""); }
    std::string TabPage(int index) override {
        Record("TabPage", std::to_string(index));
        return AnswerTabPage;
    }
    std::string PageOfCurrentTab(int index) override {
        Record("PageOfCurrentTab", std::to_string(index));
        return PageOfTab;
    }
    bool SelectPrinter(const std::string& name) override {
        Record("SelectPrinter", name);
        return true;
    }
    std::string CurrentPage() override { return AnswerCurrentPage; }
    void Search(const std::string& text) override { Record("Search", text); }
    void RefreshStatus() override { Record("RefreshStatus", ""); }
    bool IsFramePage(const std::string&) override { return false; }
    bool TakePendingUpdate() override { return false; }
    std::vector<std::string> ContentFolders() override { return {Folder}; }

    std::string Folder;
    std::string AnswerTabPage;
    std::string PageOfTab;
    std::string AnswerCurrentPage;
    std::vector<std::string> Calls;

private:
    void Record(const char* action, const std::string& argument) {
        Calls.push_back(std::string(action) + "(" + argument + ")");
    }
};

bool AnyMenuVisible() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (qobject_cast<QMenu*>(widget) != nullptr && widget->isVisible())
            return true;
    return false;
}

QVariant RunJavaScript(QWebEnginePage* page, const QString& script) {
    QVariant result;
    bool done = false;
    page->runJavaScript(script, [&](const QVariant& value) {
        result = value;
        done = true;
    });
    if (!QTest::qWaitFor([&] { return done; }, kTimeoutMs))
        ADD_FAILURE() << "script did not finish: " << script.toStdString();
    return result;
}

bool WaitForLoad(QSignalSpy& spy, bool ok) {
    return QTest::qWaitFor(
        [&] {
            for (const QList<QVariant>& arguments : spy)
                if (arguments.at(0).toBool() == ok)
                    return true;
            return false;
        },
        kTimeoutMs);
}

class BrowserHostTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(m_folder.empty());
        std::filesystem::copy(KALDO_TEST_DATA_DIR "/browser", m_folder);

        m_window = std::make_unique<QWidget>();
        m_window->resize(780, 627);
        m_window->show();
    }

    void TearDown() override {
        m_host.reset();
        m_window.reset();
    }

    std::string Path(const std::string& name) const { return m_folder + "/" + name; }
    std::string FileUrl(const std::string& name) const {
        return LinkText(QUrl::fromLocalFile(QString::fromStdString(Path(name))));
    }

    void CreatePane(RedirectMode mode = RedirectMode::Stop) {
        m_host = std::make_unique<BrowserHost>(m_dispatcher, mode);
        ASSERT_EQ(m_host->Create(m_window.get(), QRect(0, 60, 780, 429)), 0);
    }

    QWebEnginePage* Page() const { return m_host->View()->page(); }
    std::string ShownUrl() const { return LinkText(m_host->View()->url()); }
    QVariant Js(const QString& script) const { return RunJavaScript(Page(), script); }

    // Loads a page of the test folder through the pane and waits until it is shown.
    void Show(const std::string& name) {
        m_dispatcher.Allowed.insert(FileUrl(name));
        QSignalSpy loads(Page(), &QWebEnginePage::loadFinished);
        m_host->Navigate(Path(name));
        ASSERT_TRUE(WaitForLoad(loads, true)) << name;
        ASSERT_EQ(ShownUrl(), FileUrl(name));
    }

    // Runs a script that starts a navigation and returns the URL the dispatcher got for it.
    std::string Follow(const QString& script) {
        const size_t before = m_dispatcher.Urls.size();
        Js(script);
        if (!QTest::qWaitFor([&] { return m_dispatcher.Urls.size() > before; }, kTimeoutMs))
            return "(no navigation)";
        return m_dispatcher.Urls[before];
    }
    std::string Click(const std::string& id) {
        return Follow(QStringLiteral("document.getElementById('%1').click()")
                          .arg(QString::fromStdString(id)));
    }
    // The user's own click on an element: a real mouse event on the pane.
    void UserClick(const std::string& id) {
        const QVariantList centre =
            Js(QStringLiteral("var e = document.getElementById('%1'); e.scrollIntoView();"
                              "var r = e.getBoundingClientRect();"
                              "[r.left + r.width / 2, r.top + r.height / 2]")
                   .arg(QString::fromStdString(id)))
                .toList();
        ASSERT_EQ(centre.size(), 2) << id;
        QTest::mouseClick(m_host->View()->focusProxy(), Qt::LeftButton, {},
                          QPoint(int(centre[0].toDouble()), int(centre[1].toDouble())));
    }

    testsupport::TempFolder m_temp;
    std::string m_folder = m_temp.Path();
    RecordingDispatcher m_dispatcher;
    std::unique_ptr<QWidget> m_window;
    std::unique_ptr<BrowserHost> m_host;
};

TEST_F(BrowserHostTest, CreateNeedsAParentAndHappensOnce) {
    BrowserHost host(m_dispatcher, RedirectMode::Stop);
    EXPECT_EQ(host.Create(nullptr, QRect(0, 0, 100, 60)), -1);
    EXPECT_EQ(host.View(), nullptr);

    EXPECT_EQ(host.Create(m_window.get(), QRect(0, 0, 100, 60)), 0);
    QWebEngineView* view = host.View();
    EXPECT_EQ(host.Create(m_window.get(), QRect(0, 0, 100, 60)), -1);
    EXPECT_EQ(host.View(), view);
}

// The program writes its first pages on a thread while the engine starts, and that thread
// reads the environment: the engine's start must not add to it.
TEST_F(BrowserHostTest, EngineStartAddsNothingToTheEnvironment) {
    CreatePane();
    Show("links.html");

    std::vector<std::string> added;
    std::ranges::set_difference(testsupport::EnvironmentNames(),
                                testsupport::NamesBeforeTheEngine(), std::back_inserter(added));
    EXPECT_EQ(added, std::vector<std::string>{});
}

TEST_F(BrowserHostTest, PaneSitsInItsRectangleOfTheParent) {
    CreatePane();

    EXPECT_EQ(m_host->View()->parentWidget(), m_window.get());
    EXPECT_EQ(m_host->View()->geometry(), QRect(0, 60, 780, 429));
    EXPECT_TRUE(m_host->View()->isVisible());
}

TEST_F(BrowserHostTest, NavigateLoadsALocalPathAndTheDispatcherSeesItsFileUrl) {
    CreatePane();
    Show("links.html");

    EXPECT_EQ(m_dispatcher.Urls, std::vector<std::string>{FileUrl("links.html")});
}

TEST_F(BrowserHostTest, NavigateLoadsAUrlText) {
    CreatePane();
    m_dispatcher.Allowed.insert(FileUrl("target.html"));
    QSignalSpy loads(Page(), &QWebEnginePage::loadFinished);

    m_host->Navigate(FileUrl("target.html"));

    ASSERT_TRUE(WaitForLoad(loads, true));
    EXPECT_EQ(ShownUrl(), FileUrl("target.html"));
}

TEST_F(BrowserHostTest, EveryLinkFormReachesTheDispatcherAndCancelledLinksKeepThePage) {
    CreatePane();
    Show("links.html");
    ASSERT_EQ(Js("window.kept = 42").toInt(), 42);

    const std::string folder = FileUrl("");
    const struct {
        std::string Id;
        std::string Expected;
    } links[] = {
        {"tab", folder + "tab#2"},
        {"page", folder + "page#3"},
        {"tabpage", folder + "tab#2page#4"},
        {"sp", "sp:Office Printer"},
        {"spUtf8", "sp:B\xC3\xBCro 50%25"},
        {"doc", "doc:&FileName=guide.pdf"},
        {"video", "video:&FileName=intro.wmv"},
        {"pdfs", folder + "pdfs/guide.pdf"},
        {"htmldocs", folder + "htmldocs/manual.html"},
        {"pweb", "pweb:/index.html"},
        {"printermodelurl", "printermodelurl:"},
        {"qst", "qst:support/faq.html"},
        {"uat", "uat:"},
        {"serviceurl", "serviceurl:"},
        {"suppliesurl", "suppliesurl:"},
        {"ps", "ps:"},
        {"utilDriver", "util-driver:"},
        {"utilSearch", "util-search:paper jam"},
        {"utilRs", "util-rs:"},
        {"keywords", folder + "search.html?keywords=paper jam"},
        {"http", "http://www.example.com/model"},
        {"https", "https://www.example.com/"},
        {"upperCase", "doc:&FileName=Guide.pdf"},
        {"popup", "doc:&FileName=popup.pdf"},
    };
    for (const auto& link : links) {
        SCOPED_TRACE(link.Id);
        EXPECT_EQ(Click(link.Id), link.Expected);
        EXPECT_EQ(ShownUrl(), FileUrl("links.html"));
        EXPECT_EQ(Js("window.kept").toInt(), 42);
    }

    EXPECT_EQ(Follow("document.getElementById('searchForm').submit()"),
              "search:?keywords=paper+jam");
    EXPECT_EQ(Follow("document.getElementById('localSearchForm').submit()"),
              folder + "search.html?keywords=caf\xC3\xA9+%26+tea%2Bmilk");
    EXPECT_EQ(Js("window.kept").toInt(), 42);
    EXPECT_EQ(ShownUrl(), FileUrl("links.html"));
}

TEST_F(BrowserHostTest, LinksClickedInAPaneReachTheirActionsThroughTheDispatcher) {
    RecordedActions actions;
    actions.Folder = m_folder + "/";
    actions.AnswerTabPage = Path("target.html");
    actions.PageOfTab = Path("neighbours.html");
    actions.AnswerCurrentPage = Path("links.html");
    m_dispatcher.Decide = [&](BrowserHost& pane, const std::string& url, NavigationStart start) {
        return Dispatch(url, pane.Sink(), actions, actions, start);
    };
    CreatePane();
    Show("links.html");

    // Each link sends the pane back to its page, or on to the page the link names.
    const struct {
        std::string Id;
        std::vector<std::string> Calls;
        std::string ShownAfter;
    } links[] = {
        {"doc", {"OpenDocument(&FileName=guide.pdf)"}, "links.html"},
        {"video", {"OpenVideo(&FileName=intro.wmv)"}, "links.html"},
        {"popup", {"OpenDocument(&FileName=popup.pdf)"}, "links.html"},
        {"utilSearch", {"Search(paper jam)"}, "links.html"},
        {"tabpage", {"TabPage(1)", "PageOfCurrentTab(3)"}, "neighbours.html"},
    };
    for (const auto& link : links) {
        SCOPED_TRACE(link.Id);
        actions.Calls.clear();
        QSignalSpy loads(Page(), &QWebEnginePage::loadFinished);
        UserClick(link.Id);
        ASSERT_TRUE(WaitForLoad(loads, true));
        EXPECT_EQ(actions.Calls, link.Calls);
        EXPECT_EQ(ShownUrl(), FileUrl(link.ShownAfter));
        if (ShownUrl() != FileUrl("links.html"))
            Show("links.html");
    }

    // The search box sent with the Enter key.
    actions.Calls.clear();
    Js("document.getElementById('searchField').focus()");
    QSignalSpy loads(Page(), &QWebEnginePage::loadFinished);
    QTest::keyClick(m_host->View()->focusProxy(), Qt::Key_Return);
    ASSERT_TRUE(WaitForLoad(loads, true));
    EXPECT_EQ(actions.Calls, std::vector<std::string>{"Search(paper jam)"});

    // A chosen printer and a status refresh bring their own pages; the pane stays put.
    actions.Calls.clear();
    ASSERT_EQ(Js("window.kept = 42").toInt(), 42);
    UserClick("sp");
    ASSERT_TRUE(QTest::qWaitFor([&] { return actions.Calls.size() == 1; }, kTimeoutMs));
    UserClick("utilRs");
    ASSERT_TRUE(QTest::qWaitFor([&] { return actions.Calls.size() == 2; }, kTimeoutMs));
    EXPECT_EQ(actions.Calls,
              (std::vector<std::string>{"SelectPrinter(Office Printer)", "RefreshStatus()"}));
    EXPECT_EQ(m_host->Sink().ReturnPage(), actions.AnswerCurrentPage);
    EXPECT_EQ(ShownUrl(), FileUrl("links.html"));
    EXPECT_EQ(Js("window.kept").toInt(), 42);
}

// What a page's script starts by itself (on load, on a timer, in a new window) acts for nobody,
// and the pane stays on the page without loading it again, so the script cannot loop.
TEST_F(BrowserHostTest, LinksAScriptFollowsByItselfDoNothing) {
    RecordedActions actions;
    actions.Folder = m_folder + "/";
    actions.AnswerTabPage = Path("target.html");
    actions.AnswerCurrentPage = Path("links.html");
    m_dispatcher.Decide = [&](BrowserHost& pane, const std::string& url, NavigationStart start) {
        return Dispatch(url, pane.Sink(), actions, actions, start);
    };
    CreatePane();
    Show("links.html");
    ASSERT_EQ(Js("window.kept = 42").toInt(), 42);
    QSignalSpy loads(Page(), &QWebEnginePage::loadFinished);

    for (const char* id : {"sp", "doc", "utilRs", "tab", "pdfs", "htmldocs", "http", "popup"}) {
        SCOPED_TRACE(id);
        const size_t seen = m_dispatcher.Urls.size();
        Click(id);
        ASSERT_GT(m_dispatcher.Urls.size(), seen);
        EXPECT_EQ(m_dispatcher.Starts[seen], NavigationStart::Page);
    }
    EXPECT_NE(Follow("setTimeout(function () { location.href = 'sp:Timer'; }, 10)"),
              "(no navigation)");
    EXPECT_NE(Follow("window.open('util-rs:')"), "(no navigation)");
    EXPECT_NE(Follow("document.getElementById('searchForm').submit()"), "(no navigation)");

    EXPECT_EQ(actions.Calls, std::vector<std::string>{});
    EXPECT_EQ(Js("window.kept").toInt(), 42);
    EXPECT_EQ(ShownUrl(), FileUrl("links.html"));
    for (const QList<QVariant>& load : loads)
        EXPECT_FALSE(load.at(0).toBool()); // only the dropped navigations
}

TEST_F(BrowserHostTest, PlainLocalLinkLoadsWhenTheDispatcherLetsItGo) {
    CreatePane();
    Show("links.html");
    m_dispatcher.Allowed.insert(FileUrl("target.html"));
    QSignalSpy loads(Page(), &QWebEnginePage::loadFinished);

    EXPECT_EQ(Click("target"), FileUrl("target.html"));

    ASSERT_TRUE(WaitForLoad(loads, true));
    EXPECT_EQ(ShownUrl(), FileUrl("target.html"));
}

TEST_F(BrowserHostTest, OwnLinkThatIsNotCancelledLoadsNothing) {
    CreatePane();
    Show("links.html");
    ASSERT_EQ(Js("window.kept = 42").toInt(), 42);
    m_dispatcher.Allowed.insert("doc:&FileName=guide.pdf");
    QSignalSpy loads(Page(), &QWebEnginePage::loadFinished);

    EXPECT_EQ(Click("doc"), "doc:&FileName=guide.pdf");

    ASSERT_TRUE(WaitForLoad(loads, false));
    EXPECT_EQ(ShownUrl(), FileUrl("links.html"));
    EXPECT_EQ(Js("window.kept").toInt(), 42);
}

TEST_F(BrowserHostTest, MissingPageLeavesThePaneOnItsPage) {
    CreatePane();
    Show("links.html");
    ASSERT_EQ(Js("window.kept = 42").toInt(), 42);
    m_dispatcher.Allowed.insert(FileUrl("missing.html"));
    QSignalSpy loads(Page(), &QWebEnginePage::loadFinished);

    m_host->Navigate(Path("missing.html"));

    ASSERT_TRUE(WaitForLoad(loads, false));
    EXPECT_EQ(m_dispatcher.Urls.back(), FileUrl("missing.html"));
    EXPECT_EQ(ShownUrl(), FileUrl("links.html"));
    EXPECT_EQ(Js("window.kept").toInt(), 42);
}

TEST_F(BrowserHostTest, FramesAndLinksInsideThemPassTheDispatcher) {
    CreatePane();
    m_dispatcher.Allowed.insert(FileUrl("frame.html"));
    Show("frames.html");
    ASSERT_TRUE(QTest::qWaitFor([&] { return Js("window.frameReady").toBool(); }, kTimeoutMs));

    EXPECT_EQ(m_dispatcher.Urls,
              (std::vector<std::string>{FileUrl("frames.html"), FileUrl("frame.html")}));
    EXPECT_EQ(Follow("document.getElementById('frame').contentWindow.postMessage('doc', '*')"),
              "doc:&FileName=framed.pdf");
    EXPECT_EQ(ShownUrl(), FileUrl("frames.html"));
}

TEST_F(BrowserHostTest, ReturnToPageInStopOrUnknownModeLoadsTheReturnPage) {
    m_dispatcher.Allowed.insert(FileUrl("target.html"));
    for (RedirectMode mode : {RedirectMode::Stop, RedirectMode::Unknown}) {
        SCOPED_TRACE(static_cast<int>(mode));
        CreatePane(mode);
        Show("links.html");
        m_host->Sink().SetReturnPage(FileUrl("target.html"));
        QSignalSpy loads(Page(), &QWebEnginePage::loadFinished);

        m_host->Sink().ReturnToPage();

        ASSERT_TRUE(WaitForLoad(loads, true));
        EXPECT_EQ(ShownUrl(), FileUrl("target.html"));
        EXPECT_EQ(m_dispatcher.Urls.back(), FileUrl("target.html"));
    }
}

TEST_F(BrowserHostTest, ReturnToPageInRefreshModeReloadsTheShownPage) {
    CreatePane(RedirectMode::Refresh);
    Show("links.html");
    ASSERT_EQ(Js("window.kept = 42").toInt(), 42);
    m_host->Sink().SetReturnPage(FileUrl("target.html"));
    QSignalSpy loads(Page(), &QWebEnginePage::loadFinished);

    m_host->Sink().ReturnToPage();

    ASSERT_TRUE(WaitForLoad(loads, true));
    EXPECT_EQ(ShownUrl(), FileUrl("links.html"));
    EXPECT_FALSE(Js("window.kept").isValid());
    EXPECT_EQ(m_dispatcher.Urls.back(), FileUrl("links.html"));
}

TEST_F(BrowserHostTest, DispatcherMayNavigateThePaneWhileDeciding) {
    CreatePane();
    Show("links.html");
    m_dispatcher.Decide = [this](BrowserHost& pane, const std::string& url, NavigationStart) {
        if (url.find("tab#") != std::string::npos) {
            pane.Sink().SetReturnPage(FileUrl("target.html"));
            pane.StopAndNavigate(Path("target.html"));
            return true;
        }
        return url != FileUrl("target.html");
    };
    QSignalSpy loads(Page(), &QWebEnginePage::loadFinished);

    EXPECT_EQ(Click("tab"), FileUrl("") + "tab#2");

    ASSERT_TRUE(WaitForLoad(loads, true));
    EXPECT_EQ(ShownUrl(), FileUrl("target.html"));
    EXPECT_EQ(m_host->Sink().ReturnPage(), FileUrl("target.html"));
}

TEST_F(BrowserHostTest, DispatcherMaySendThePaneBackWhileDeciding) {
    CreatePane();
    Show("links.html");
    m_host->Sink().SetReturnPage(FileUrl("links.html"));
    ASSERT_EQ(Js("window.kept = 42").toInt(), 42);
    m_dispatcher.Decide = [this](BrowserHost& pane, const std::string& url, NavigationStart) {
        if (url.rfind("sp:", 0) == 0) {
            pane.Sink().ReturnToPage();
            return true;
        }
        return url != FileUrl("links.html");
    };
    QSignalSpy loads(Page(), &QWebEnginePage::loadFinished);

    EXPECT_EQ(Click("sp"), "sp:Office Printer");

    ASSERT_TRUE(WaitForLoad(loads, true));
    EXPECT_EQ(ShownUrl(), FileUrl("links.html"));
    EXPECT_FALSE(Js("window.kept").isValid());
}

TEST_F(BrowserHostTest, ReturnPageLeadsBackThroughFolderNamesWithSpacesAndLetters) {
    const std::string folder = "Model B\xC3\xBCro 50%";
    std::filesystem::create_directory(Path(folder));
    std::filesystem::copy_file(Path("target.html"), Path(folder + "/target.html"));
    CreatePane();
    // Like an ordinary page load in the dispatcher: remember it and let it load.
    m_dispatcher.Decide = [](BrowserHost& pane, const std::string& url, NavigationStart) {
        pane.Sink().SetReturnPage(url);
        return false;
    };
    QSignalSpy loads(Page(), &QWebEnginePage::loadFinished);
    m_host->Navigate(Path(folder + "/target.html"));
    ASSERT_TRUE(WaitForLoad(loads, true));
    const std::string returnPage = m_host->Sink().ReturnPage();
    EXPECT_EQ(returnPage, FileUrl(folder + "/target.html"));

    loads.clear();
    m_host->Navigate(Path("links.html"));
    ASSERT_TRUE(WaitForLoad(loads, true));
    m_host->Sink().SetReturnPage(returnPage);
    loads.clear();
    m_host->Sink().ReturnToPage();
    ASSERT_TRUE(WaitForLoad(loads, true));

    EXPECT_EQ(m_host->View()->url().toLocalFile().toStdString(), Path(folder + "/target.html"));
}

TEST_F(BrowserHostTest, RightClickShowsNoContextMenuWhereAPlainViewWouldShowOne) {
    // A plain view first, so that the check below can see a menu when there is one.
    {
        QWebEngineView plain(m_window.get());
        plain.setGeometry(0, 0, 400, 300);
        plain.show();
        QSignalSpy loads(plain.page(), &QWebEnginePage::loadFinished);
        plain.load(QUrl::fromLocalFile(QString::fromStdString(Path("tall.html"))));
        ASSERT_TRUE(WaitForLoad(loads, true));
        ASSERT_NE(plain.focusProxy(), nullptr);
        QTest::mouseClick(plain.focusProxy(), Qt::RightButton, {}, QPoint(20, 20));
        ASSERT_TRUE(QTest::qWaitFor(AnyMenuVisible, kTimeoutMs));
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (qobject_cast<QMenu*>(widget) != nullptr)
                widget->close();
    }

    CreatePane();
    Show("tall.html");
    EventCounter contextMenus(QEvent::ContextMenu);
    m_host->View()->installEventFilter(&contextMenus);
    ASSERT_NE(m_host->View()->focusProxy(), nullptr);

    QTest::mouseClick(m_host->View()->focusProxy(), Qt::RightButton, {}, QPoint(20, 20));

    // The page saw the right click, so the engine has had its chance to ask for a menu.
    ASSERT_TRUE(QTest::qWaitFor([&] { return Js("window.rightClicks").toInt() == 1; }, kTimeoutMs));
    QCoreApplication::processEvents();
    EXPECT_FALSE(AnyMenuVisible());
    EXPECT_EQ(contextMenus.Count, 0);
    EXPECT_EQ(m_host->View()->contextMenuPolicy(), Qt::NoContextMenu);
}

TEST_F(BrowserHostTest, PagesShowNoScrollBars) {
    const QString scrollBarSpace =
        QStringLiteral("(window.innerWidth - document.documentElement.clientWidth) + "
                       "(window.innerHeight - document.documentElement.clientHeight)");
    {
        QWebEngineView plain(m_window.get());
        plain.setGeometry(0, 0, 400, 300);
        plain.show();
        QSignalSpy loads(plain.page(), &QWebEnginePage::loadFinished);
        plain.load(QUrl::fromLocalFile(QString::fromStdString(Path("tall.html"))));
        ASSERT_TRUE(WaitForLoad(loads, true));
        ASSERT_GT(RunJavaScript(plain.page(), scrollBarSpace).toInt(), 0);
    }

    CreatePane();
    Show("tall.html");

    EXPECT_EQ(Js(scrollBarSpace).toInt(), 0);
}

TEST_F(BrowserHostTest, NoPartOfThePaneTakesDrops) {
    CreatePane();
    EXPECT_FALSE(m_host->View()->acceptDrops());
    Show("links.html");

    // The engine's render widget only exists once a page is shown.
    ASSERT_NE(m_host->View()->focusProxy(), nullptr);
    const QList<QWidget*> children = m_host->View()->findChildren<QWidget*>();
    ASSERT_FALSE(children.isEmpty());
    EXPECT_FALSE(m_host->View()->acceptDrops());
    for (QWidget* child : children) {
        SCOPED_TRACE(child->metaObject()->className());
        EXPECT_FALSE(child->acceptDrops());
    }
}

TEST_F(BrowserHostTest, LocalPagesLoadTheirNeighbouringFiles) {
    CreatePane();
    Show("neighbours.html");

    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return Js("document.getElementById('picture').complete").toBool(); }, kTimeoutMs));
    EXPECT_EQ(Js("document.getElementById('picture').naturalWidth").toInt(), 16);
    EXPECT_EQ(Js("getComputedStyle(document.body).color").toString(),
              QStringLiteral("rgb(1, 2, 3)"));
    const QString read = Js("var request = new XMLHttpRequest();"
                            "request.open('GET', 'style.css', false); request.send();"
                            "request.responseText")
                             .toString();
    EXPECT_TRUE(read.contains(QStringLiteral("rgb(1, 2, 3)"))) << read.toStdString();
}

TEST_F(BrowserHostTest, RemotePagesCannotReadLocalFiles) {
    const std::string picture = FileUrl("picture.svg");
    const std::string style = FileUrl("style.css");
    httplib::Server server;
    server.Get("/remote.html", [&](const httplib::Request&, httplib::Response& response) {
        response.set_content("<!DOCTYPE html><html><body><img id='picture' src='" + picture +
                                 "'></body></html>",
                             "text/html");
    });
    const int port = server.bind_to_any_port("127.0.0.1");
    ASSERT_GT(port, 0);
    std::thread serving([&] { server.listen_after_bind(); });
    struct StopServer {
        httplib::Server& Server;
        std::thread& Thread;
        ~StopServer() {
            Server.stop();
            Thread.join();
        }
    } stopServer{server, serving};

    CreatePane();
    m_dispatcher.Decide = [](BrowserHost&, const std::string&, NavigationStart) {
        return false;
    };
    QSignalSpy loads(Page(), &QWebEnginePage::loadFinished);
    m_host->Navigate("http://127.0.0.1:" + std::to_string(port) + "/remote.html");
    ASSERT_TRUE(WaitForLoad(loads, true));

    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return Js("document.getElementById('picture').complete").toBool(); }, kTimeoutMs));
    EXPECT_EQ(Js("document.getElementById('picture').naturalWidth").toInt(), 0);
    const QString read = Js(QStringLiteral("try { var request = new XMLHttpRequest();"
                                           "request.open('GET', '%1', false); request.send();"
                                           "request.responseText } catch (e) { 'refused' }")
                                .arg(QString::fromStdString(style)))
                             .toString();
    EXPECT_FALSE(read.contains(QStringLiteral("rgb"))) << read.toStdString();
}

TEST_F(BrowserHostTest, PaneShowsItsPageAgainWhenItsRendererEnds) {
    CreatePane();
    Show("links.html");
    ASSERT_EQ(Js("window.kept = 42").toInt(), 42);
    QSignalSpy ended(Page(), &QWebEnginePage::renderProcessTerminated);
    QSignalSpy loads(Page(), &QWebEnginePage::loadFinished);

    Page()->load(QUrl(QStringLiteral("chrome://crash")));

    ASSERT_TRUE(QTest::qWaitFor([&] { return !ended.isEmpty(); }, kTimeoutMs));
    ASSERT_TRUE(WaitForLoad(loads, true));
    EXPECT_EQ(ShownUrl(), FileUrl("links.html"));
    EXPECT_TRUE(Js("window.kept === undefined").toBool()); // a new document
}

TEST_F(BrowserHostTest, DestroyRemovesThePaneAndLaterCallsDoNothing) {
    CreatePane();
    Show("links.html");
    const size_t seen = m_dispatcher.Urls.size();

    m_host->Destroy();

    EXPECT_EQ(m_host->View(), nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_window->findChildren<QWebEngineView*>().isEmpty(); },
                                kTimeoutMs));
    m_host->Navigate(Path("target.html"));
    m_host->StopAndNavigate(Path("target.html"));
    m_host->Refresh();
    m_host->Sink().ReturnToPage();
    EXPECT_EQ(m_dispatcher.Urls.size(), seen);
}

TEST_F(BrowserHostTest, PaneMayBeDestroyedWhileItsNavigationIsDispatched) {
    CreatePane();
    Show("links.html");
    QPointer<QWebEngineView> view = m_host->View();
    m_dispatcher.Decide = [](BrowserHost& pane, const std::string&, NavigationStart) {
        pane.Destroy();
        pane.Navigate("file:///nowhere.html");
        return true;
    };

    const size_t seen = m_dispatcher.Urls.size();
    Page()->runJavaScript(QStringLiteral("document.getElementById('doc').click()"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_dispatcher.Urls.size() > seen; }, kTimeoutMs));

    EXPECT_EQ(m_host->View(), nullptr);
    m_host.reset();
    ASSERT_TRUE(QTest::qWaitFor([&] { return view.isNull(); }, kTimeoutMs));
    EXPECT_EQ(m_dispatcher.Urls.back(), "doc:&FileName=guide.pdf");
}

// The window closes from a pane's load signal when the program runs unattended; the engine
// goes on using the page when the signal returns, so the page must still be there then.
TEST_F(BrowserHostTest, PaneDestroyedFromItsOwnLoadSignalOutlivesTheSignal) {
    CreatePane();
    Show("links.html");
    QPointer<QWebEngineView> view = m_host->View();
    QPointer<QWebEnginePage> page = view->page();
    int calls = 0;
    bool keptThroughSignal = true;
    auto destroyInSignal = [&] {
        ++calls;
        m_host->Destroy();
        keptThroughSignal = keptThroughSignal && !page.isNull();
    };
    QObject::connect(view, &QWebEngineView::loadFinished, view, destroyInSignal);
    QObject::connect(page, &QWebEnginePage::loadingChanged, page, destroyInSignal);
    m_dispatcher.Allowed.insert(FileUrl("target.html"));
    m_host->Navigate(Path("target.html"));

    ASSERT_TRUE(QTest::qWaitFor([&] { return view.isNull() && page.isNull(); }, kTimeoutMs));
    EXPECT_GT(calls, 0);
    EXPECT_TRUE(keptThroughSignal);
    EXPECT_EQ(m_host->View(), nullptr);
}

TEST_F(BrowserHostTest, PaneGoneWithItsParentLeavesTheHostSafe) {
    CreatePane();
    Show("links.html");

    m_window.reset();

    EXPECT_EQ(m_host->View(), nullptr);
    m_host->Navigate(Path("target.html"));
    m_host->Sink().ReturnToPage();
    m_host->Destroy();
}

TEST_F(BrowserHostTest, EmptyUrlIsNotLoaded) {
    CreatePane();
    Show("links.html");
    const size_t seen = m_dispatcher.Urls.size();

    m_host->Navigate("");
    m_host->Sink().ReturnToPage(); // no return page yet

    EXPECT_EQ(Click("doc"), "doc:&FileName=guide.pdf");
    EXPECT_EQ(m_dispatcher.Urls.size(), seen + 1);
    EXPECT_EQ(ShownUrl(), FileUrl("links.html"));
}

} // namespace
} // namespace kaldo
