#include "main/browser/BrowserEventSink.h"
#include "main/browser/BrowserHost.h"
#include "main/navigation/NavigationDispatcher.h"

#include <QLoggingCategory>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kaldo {
namespace {

class ScriptedDispatcher final : public NavigationDispatcher {
public:
    bool Dispatch(Pane& pane, const std::string& url, NavigationStart start) override {
        Starts.push_back(start);
        Panes.push_back(&pane);
        Urls.push_back(url);
        return Cancel;
    }

    bool Cancel = false;
    std::vector<Pane*> Panes;
    std::vector<NavigationStart> Starts;
    std::vector<std::string> Urls;
};

TEST(BrowserEventSinkTest, NavigationGoesToTheDispatcherWithItsPane) {
    ScriptedDispatcher dispatcher;
    BrowserHost host(dispatcher, RedirectMode::Stop);

    EXPECT_FALSE(host.Sink().BeforeNavigate("file:///data/main.html", NavigationStart::Program));
    dispatcher.Cancel = true;
    EXPECT_TRUE(host.Sink().BeforeNavigate("doc:&FileName=guide.pdf", NavigationStart::User));

    EXPECT_EQ(dispatcher.Urls,
              (std::vector<std::string>{"file:///data/main.html", "doc:&FileName=guide.pdf"}));
    EXPECT_EQ(dispatcher.Panes, (std::vector<Pane*>{&host, &host}));
    EXPECT_EQ(dispatcher.Starts,
              (std::vector<NavigationStart>{NavigationStart::Program, NavigationStart::User}));
}

TEST(BrowserEventSinkTest, ReturnPageStartsEmptyAndIsReplaced) {
    ScriptedDispatcher dispatcher;
    BrowserHost host(dispatcher, RedirectMode::Stop);

    EXPECT_EQ(host.Sink().ReturnPage(), "");
    host.Sink().SetReturnPage("file:///data/tab1.html");
    host.Sink().SetReturnPage("file:///data/tab2.html");
    EXPECT_EQ(host.Sink().ReturnPage(), "file:///data/tab2.html");
}

TEST(BrowserEventSinkTest, KeepsTheModeItWasGiven) {
    ScriptedDispatcher dispatcher;
    for (RedirectMode mode : {RedirectMode::Unknown, RedirectMode::Stop, RedirectMode::Refresh}) {
        BrowserHost host(dispatcher, mode);
        EXPECT_EQ(host.Sink().Mode(), mode);
    }
}

TEST(BrowserEventSinkTest, ReturnToPageBeforeThePaneExistsDoesNothing) {
    ScriptedDispatcher dispatcher;
    BrowserHost stopHost(dispatcher, RedirectMode::Stop);
    BrowserHost refreshHost(dispatcher, RedirectMode::Refresh);
    stopHost.Sink().SetReturnPage("file:///data/main.html");

    stopHost.Sink().ReturnToPage();
    refreshHost.Sink().ReturnToPage();

    EXPECT_TRUE(dispatcher.Urls.empty());
    EXPECT_EQ(stopHost.View(), nullptr);
}

TEST(BrowserEventSinkTest, ErrorPageIsRecognisedByTheFrameLibraryName) {
    EXPECT_TRUE(IsBrowserErrorPage("res://ieframe.dll/navcancl.htm#video:&FileName=intro.wmv"));
    EXPECT_TRUE(IsBrowserErrorPage("ieframe.dll"));
    EXPECT_FALSE(IsBrowserErrorPage("res://IEFRAME.DLL/navcancl.htm"));
    EXPECT_FALSE(IsBrowserErrorPage("video:&FileName=intro.wmv"));
    EXPECT_FALSE(IsBrowserErrorPage(""));

    ScriptedDispatcher dispatcher;
    BrowserHost host(dispatcher, RedirectMode::Stop);
    EXPECT_TRUE(host.Sink().IsErrorPage("res://ieframe.dll/dnserror.htm"));
    EXPECT_FALSE(host.Sink().IsErrorPage("file:///data/main.html"));
}

TEST(BrowserEventSinkTest, ErrorPageNameIsFoundBeyondTheFirst255Characters) {
    const std::string url = "res://" + std::string(300, 'a') + "/ieframe.dll/navcancl.htm";
    EXPECT_TRUE(IsBrowserErrorPage(url));
}

QStringList g_messages;

void CollectMessage(QtMsgType, const QMessageLogContext&, const QString& message) {
    g_messages.append(message);
}

TEST(BrowserEventSinkTest, ChosenModeIsTraced) {
    QLoggingCategory::setFilterRules(QStringLiteral("kaldo.trace.debug=true"));
    g_messages.clear();
    const QtMessageHandler previous = qInstallMessageHandler(CollectMessage);
    {
        ScriptedDispatcher dispatcher;
        BrowserHost unknownHost(dispatcher, RedirectMode::Unknown);
        BrowserHost refreshHost(dispatcher, RedirectMode::Refresh);
    }
    qInstallMessageHandler(previous);
    QLoggingCategory::setFilterRules(QString());

    EXPECT_EQ(g_messages, QStringList({QStringLiteral("Redirect using Stop()\n"),
                                       QStringLiteral("Redirect using Refresh()\n")}));
}

} // namespace
} // namespace kaldo
