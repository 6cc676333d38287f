// The main window over the sample content and a private print scheduler, offscreen: the three
// panes, real clicks on the program's link forms, and a second start handing over a printer.
#include "tests/main/app/WindowTestSupport.h"

#include "main/app/InstanceChannel.h"
#include "main/browser/PaneLayout.h"
#include "platform/instance/InstanceLock.h"

#include <QApplication>
#include <QProcess>
#include <QTest>

#include <optional>

#include <sys/stat.h>

using namespace kaldo;
using namespace kaldo::testsupport;

namespace {

class MainWindowTest : public WindowTest {};

} // namespace

TEST_F(MainWindowTest, StartUpShowsHeaderDefaultPageAndFooter) {
    Start("Office_3020");
    EXPECT_TRUE(EndsWith(PageOf(HeaderPane()), "Data/presslane_3000/ui/header.html"));
    EXPECT_TRUE(EndsWith(PageOf(BodyPane()), "Data/presslane_3000/ui/home.html"));
    EXPECT_TRUE(EndsWith(PageOf(FooterPane()), "Data/presslane_3000/ui/status.html"));
    // One renderer serves the three panes.
    const qint64 renderer = HeaderPane()->View()->page()->renderProcessPid();
    EXPECT_GT(renderer, 0);
    EXPECT_EQ(BodyPane()->View()->page()->renderProcessPid(), renderer);
    EXPECT_EQ(FooterPane()->View()->page()->renderProcessPid(), renderer);

    EXPECT_EQ(m_window.width(), 780);
    EXPECT_EQ(m_window.minimumSize(), m_window.maximumSize()); // no resizing
    EXPECT_FALSE(m_window.windowFlags() & Qt::WindowMaximizeButtonHint);
    const PaneRects rects = ComputePaneRects(m_window.size(), m_window.height());
    EXPECT_EQ(BodyPane()->View()->geometry(), rects.Body);
    EXPECT_EQ(HeaderPane()->View()->geometry().height(), 60);
}

TEST_F(MainWindowTest, TabAndPageLinksSwitchTheBody) {
    Start("Office_3020");
    BrowserHost* body = BodyPane();
    UserClick(body, "a[href=\"tab#2\"]");
    const std::string guides =
        m_context->Folders().ContentPath(m_context->Printer().Config->TabPageFile(1));
    ASSERT_TRUE(WaitForPage(body, guides)) << PageOf(body);
    EXPECT_EQ(m_context->Printer().CurrentTab, 1);

    UserClick(body, "a[href^=\"page#2\"]");
    const auto& pages = m_context->Printer().Config->Tabs()[1].Pages;
    ASSERT_GE(pages.size(), 2u);
    const std::string second = m_context->Folders().ContentPath(pages[1].File);
    EXPECT_TRUE(WaitForPage(body, second)) << PageOf(body);
}

TEST_F(MainWindowTest, PrinterListSwitchesToAnotherPrinter) {
    Start("Office_3020");
    ChoosePrinter("Studio_C5100");
    ASSERT_TRUE(WaitUntil([&] { return m_context->Printer().SelectedPrinter == "Studio_C5100"; }));
    EXPECT_TRUE(WaitUntil([&] {
        return EndsWith(PageOf(BodyPane()), "Data/presslane_c5000/ui/home.html") &&
               EndsWith(PageOf(HeaderPane()), "Data/presslane_c5000/ui/header.html");
    })) << PageOf(BodyPane());
}

TEST_F(MainWindowTest, SearchBoxShowsTheResultsInTheSearchTab) {
    Start("Office_3020");
    Js(HeaderPane(), "document.getElementById('keywords').value = 'paper jam'");
    UserKey(HeaderPane(), "keywords", Qt::Key_Return);
    EXPECT_TRUE(WaitUntil([] { return TraceHas("search paper jam"); }));
    const ToolboxConfig& config = *m_context->Printer().Config;
    const std::string searchPage =
        m_context->ContentPath(config.Tabs()[config.SearchTab()].Pages[config.SearchPage()].File);
    EXPECT_TRUE(WaitForPage(BodyPane(), searchPage)) << PageOf(BodyPane());
    EXPECT_EQ(m_context->Printer().CurrentTab, config.SearchTab());
    const std::string results =
        ReadBytes(m_context->ContentPath(config.Files().File_SearchContent));
    EXPECT_NE(results.find("paper jam"), std::string::npos);
    // The results are this user's; the page that the content ships stays as installed.
    const std::string shipped = "presslane_3000/ui/" + config.Files().File_SearchContent;
    EXPECT_EQ(ReadBytes(m_temp / ("program/Data/" + shipped)),
              ReadBytes(std::string(KALDO_CONTENT_DIR) + "/" + shipped));
    // The header stays where it was.
    EXPECT_TRUE(EndsWith(PageOf(HeaderPane()), "presslane_3000/ui/header.html"));
}

// Every page lives below the user's home and cache folders; words there are no links.
TEST_F(MainWindowTest, HomePathHoldingEveryMarkerWordShowsEveryPage) {
    const std::string state =
        m_temp / "home/Errors syntax WWHelp pdfs htmldocs error ps: sp:x doc: video:/.cache/state/";
    m_context =
        std::make_unique<AppContext>(*m_services, m_temp / "program/", state, m_hooks.Hooks());
    Start("Office_3020");
    EXPECT_TRUE(EndsWith(PageOf(HeaderPane()), "Data/presslane_3000/ui/header.html"));
    EXPECT_TRUE(EndsWith(PageOf(BodyPane()), "Data/presslane_3000/ui/home.html"));
    EXPECT_TRUE(EndsWith(PageOf(FooterPane()), "Data/presslane_3000/ui/status.html"));
    EXPECT_EQ(PageOf(BodyPane()).rfind(state, 0), 0u) << PageOf(BodyPane());

    UserClick(BodyPane(), "a[href=\"tab#2\"]");
    const std::string guides =
        m_context->Folders().ContentPath(m_context->Printer().Config->TabPageFile(1));
    EXPECT_TRUE(WaitForPage(BodyPane(), guides)) << PageOf(BodyPane());
}

TEST_F(MainWindowTest, PrinterNamedLikeAMarkerIsChosenAndMarkerWordsAreSearched) {
    ASSERT_TRUE(s_cups->AddQueueForModel("Syntax_Lab", "socket://127.0.0.8:9100",
                                         "Kaldo Presslane 3020 PS"));
    Start("Office_3020");
    ChoosePrinter("Syntax_Lab");
    EXPECT_TRUE(WaitUntil([&] { return m_context->Printer().SelectedPrinter == "Syntax_Lab"; }))
        << m_context->Printer().SelectedPrinter;

    ASSERT_TRUE(WaitForPage(
        BodyPane(), m_context->ContentPath(m_context->Printer().Config->DefaultPageFile())));
    // A link of the program's own pages, clicked by the user (again should the page be
    // loaded once more meanwhile).
    EXPECT_TRUE(WaitUntil(
        [&] {
            const QVariantList centre =
                Js(BodyPane(), "if (!document.getElementById('find'))"
                               "  document.body.insertAdjacentHTML('afterbegin',"
                               "    '<a id=\"find\" href=\"util-search:error\">find</a>');"
                               "var r = document.getElementById('find').getBoundingClientRect();"
                               "[r.left + r.width / 2, r.top + r.height / 2]")
                    .toList();
            if (centre.size() == 2)
                QTest::mouseClick(BodyPane()->View()->focusProxy(), Qt::LeftButton, {},
                                  QPoint(int(centre[0].toDouble()), int(centre[1].toDouble())));
            return WaitUntil([] { return TraceHas("search error"); }, 3000);
        },
        40000));
}

TEST_F(MainWindowTest, SecondStartHandsOverItsPrinter) {
    Start("Office_3020");
    const std::string runtime = m_temp / "run";
    ASSERT_EQ(::mkdir(runtime.c_str(), 0700), 0);
    ScopedEnv runtimeFolder("XDG_RUNTIME_DIR", runtime.c_str());
    InstanceLock lock(runtime + "/KALDO_TENDWELL_MUTEX.lock");
    ASSERT_TRUE(lock.Held());
    InstanceServer server([&](const std::string& name) { m_context->OnForwardedPrinter(name); });
    ASSERT_TRUE(server.Listen(InstanceSocketPath(runtime, "Kaldo_Tendwell")));

    QProcess second;
    second.start(KTENDWELL_PROGRAM, {"Studio_C5100"});
    ASSERT_TRUE(WaitUntil([&] { return second.state() == QProcess::NotRunning; }, 60000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    // Switched before the second start ended.
    EXPECT_EQ(m_context->Printer().SelectedPrinter, "Studio_C5100");
    EXPECT_TRUE(WaitUntil(
        [&] { return EndsWith(PageOf(BodyPane()), "Data/presslane_c5000/ui/home.html"); }));
}

namespace {

// What has the keyboard focus in `pane`: the id, else the link, else the tag of the element.
std::string FocusedIn(BrowserHost* pane) {
    auto answer = std::make_shared<std::optional<std::string>>();
    pane->View()->page()->runJavaScript(
        "(function (e) { return e.id || e.getAttribute('href') || e.tagName; })"
        "(document.activeElement)",
        [answer](const QVariant& value) { *answer = value.toString().toStdString(); });
    WaitUntil([&] { return answer->has_value(); });
    return answer->value_or("");
}

bool HasFocus(BrowserHost* pane) {
    QWidget* focused = QApplication::focusWidget();
    return focused && (focused == pane->View() || pane->View()->isAncestorOf(focused));
}

// A real key press, to whatever has the focus.
void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* focused = QApplication::focusWidget();
    ASSERT_NE(focused, nullptr);
    QTest::keyClick(focused, key, modifiers);
}

} // namespace

TEST_F(MainWindowTest, PanesCarryTheirAccessibleNames) {
    Start("Office_3020");
    EXPECT_EQ(HeaderPane()->View()->accessibleName(), "Printers and search");
    EXPECT_EQ(BodyPane()->View()->accessibleName(), "Help");
    EXPECT_EQ(FooterPane()->View()->accessibleName(), "Printer status");
}

TEST_F(MainWindowTest, TabGoesThroughHeaderBodyAndFooterAndEnterFollowsALink) {
    Start("Office_3020");
    QApplication::setActiveWindow(&m_window);
    HeaderPane()->View()->setFocus(Qt::OtherFocusReason);
    ASSERT_TRUE(WaitUntil([&] { return HasFocus(HeaderPane()); }));

    // The header: the printer list, then the search box.
    Press(Qt::Key_Tab);
    EXPECT_TRUE(WaitUntil([&] { return FocusedIn(HeaderPane()) == "printer"; }));
    Press(Qt::Key_Tab);
    EXPECT_TRUE(WaitUntil([&] { return FocusedIn(HeaderPane()) == "keywords"; }));

    // On into the body, whose first stop is the first tab; the focus shows.
    for (int presses = 0; presses < 5 && !HasFocus(BodyPane()); ++presses) {
        Press(Qt::Key_Tab);
        WaitUntil([&] { return HasFocus(BodyPane()); }, 300);
    }
    ASSERT_TRUE(HasFocus(BodyPane()));
    EXPECT_TRUE(WaitUntil([&] { return FocusedIn(BodyPane()) == "tab#1"; }));
    auto outline = std::make_shared<std::optional<std::string>>();
    BodyPane()->View()->page()->runJavaScript(
        "getComputedStyle(document.activeElement).outlineStyle",
        [outline](const QVariant& value) { *outline = value.toString().toStdString(); });
    ASSERT_TRUE(WaitUntil([&] { return outline->has_value(); }));
    EXPECT_NE(outline->value(), "none");

    // Through the body's links to the footer, and round to the header again.
    for (int presses = 0; presses < 80 && !HasFocus(FooterPane()); ++presses) {
        Press(Qt::Key_Tab);
        WaitUntil([&] { return HasFocus(FooterPane()); }, 100);
    }
    EXPECT_TRUE(HasFocus(FooterPane()));
    for (int presses = 0; presses < 20 && !HasFocus(HeaderPane()); ++presses) {
        Press(Qt::Key_Tab);
        WaitUntil([&] { return HasFocus(HeaderPane()); }, 100);
    }
    ASSERT_TRUE(HasFocus(HeaderPane()));
    ASSERT_TRUE(WaitUntil([&] { return FocusedIn(HeaderPane()) == "printer"; }));

    // Shift+Tab goes the other way: from the header's first stop to the footer's last.
    Press(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_TRUE(WaitUntil([&] { return HasFocus(FooterPane()); }));
    auto last = std::make_shared<std::optional<bool>>();
    FooterPane()->View()->page()->runJavaScript(
        "(function (all) { return all[all.length - 1] === document.activeElement; })"
        "(document.querySelectorAll('a[href], select, input, button'))",
        [last](const QVariant& value) { *last = value.toBool(); });
    ASSERT_TRUE(WaitUntil([&] { return last->has_value(); }));
    EXPECT_TRUE(last->value()) << FocusedIn(FooterPane());
    Press(Qt::Key_Tab);
    ASSERT_TRUE(WaitUntil([&] { return HasFocus(HeaderPane()); }));

    // Back into the body, to the second tab, and Enter follows it.
    for (int presses = 0; presses < 10 && !HasFocus(BodyPane()); ++presses) {
        Press(Qt::Key_Tab);
        WaitUntil([&] { return HasFocus(BodyPane()); }, 300);
    }
    ASSERT_TRUE(HasFocus(BodyPane()));
    ASSERT_TRUE(WaitUntil([&] { return FocusedIn(BodyPane()) == "tab#1"; }));
    Press(Qt::Key_Tab);
    ASSERT_TRUE(WaitUntil([&] { return FocusedIn(BodyPane()) == "tab#2"; }))
        << FocusedIn(BodyPane());
    Press(Qt::Key_Return);
    const std::string guides =
        m_context->Folders().ContentPath(m_context->Printer().Config->TabPageFile(1));
    EXPECT_TRUE(WaitForPage(BodyPane(), guides)) << PageOf(BodyPane());
}
