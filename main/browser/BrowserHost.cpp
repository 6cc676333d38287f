#include "main/browser/BrowserHost.h"

#include "main/browser/LinkSchemes.h"
#include "platform/MainThread.h"
#include "platform/Trace.h"

#include <QEvent>
#include <QKeyEvent>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <QWidget>

namespace kaldo {

namespace {

bool IsUserPress(const QEvent& event) {
    if (!event.spontaneous())
        return false;
    switch (event.type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::TouchBegin:
    case QEvent::TouchEnd:
        return true;
    default:
        return false;
    }
}

// Nothing may be dropped onto a pane, and the user's keys and buttons are noted. The engine
// adds its render widget to the view after the first load, so every widget below the view is
// watched as it arrives.
class WidgetWatch final : public QObject {
public:
    WidgetWatch(QObject* parent, std::function<void()> userInput)
        : QObject(parent)
        , m_userInput(std::move(userInput)) {}

    void Watch(QWidget* widget) {
        widget->setAcceptDrops(false);
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ChildPolished) { // the child is fully built by then
            if (auto* child = qobject_cast<QWidget*>(static_cast<QChildEvent*>(event)->child()))
                Watch(child);
        } else if (IsUserPress(*event)) {
            m_userInput();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_userInput;
};

} // namespace

class BrowserHost::Page final : public QWebEnginePage {
public:
    Page(QWebEngineProfile* profile, BrowserHost& host, QObject* parent)
        : QWebEnginePage(profile, parent)
        , m_host(&host) {
        connect(this, &QWebEnginePage::renderProcessTerminated, this, &Page::RendererEnded);
        connect(this, &QWebEnginePage::loadFinished, this, [this](bool ok) {
            if (ok)
                m_showingAgain = false;
        });
    }

    // The page may outlive its host by a moment when the pane is destroyed inside a dispatch.
    void Detach() { m_host = nullptr; }
    BrowserHost* Host() const { return m_host; }

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool) override {
        return m_host != nullptr && m_host->AcceptNavigation(url, m_host->StartOf(type));
    }

    QWebEnginePage* createWindow(WebWindowType) override;

private:
    // The panes share one renderer, so when it ends every pane would stay blank. Each shows its
    // page again, once: a page whose renderer ends again before it has loaded is left.
    void RendererEnded(RenderProcessTerminationStatus status, int exitCode) {
        if (status == NormalTerminationStatus || m_host == nullptr)
            return;
        Trace("renderer of " + LinkText(url()) + " ended (" + std::to_string(exitCode) + ")" +
              (m_showingAgain ? ", page left\n" : ", showing it again\n"));
        if (std::exchange(m_showingAgain, true))
            return;
        PostToMain(this, [this] { triggerAction(Reload); });
    }

    BrowserHost* m_host;
    bool m_showingAgain = false;
};

// A link that asks for a new window is followed in the pane itself, so that it passes the
// dispatcher like any other link, started by whoever asked for the window, and no stray
// window opens.
class BrowserHost::PopupCatcher final : public QWebEnginePage {
public:
    PopupCatcher(QWebEngineProfile* profile, BrowserHost::Page* pane, NavigationStart start)
        : QWebEnginePage(profile, pane)
        , m_pane(pane)
        , m_start(start) {}

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType, bool isMainFrame) override {
        if (!isMainFrame || url.isEmpty() || url.toString() == u"about:blank")
            return true;
        deleteLater();
        BrowserHost* host = m_pane->Host();
        if (host != nullptr && host->AcceptNavigation(url, m_start))
            PostToMain(m_pane, [pane = m_pane, url] { pane->load(url); });
        return false;
    }

private:
    BrowserHost::Page* m_pane;
    NavigationStart m_start;
};

QWebEnginePage* BrowserHost::Page::createWindow(WebWindowType) {
    const NavigationStart start = m_host != nullptr
                                      ? m_host->StartOf(QWebEnginePage::NavigationTypeLinkClicked)
                                      : NavigationStart::Page;
    return new PopupCatcher(profile(), this, start);
}

BrowserHost::BrowserHost(NavigationDispatcher& dispatcher, RedirectMode mode)
    : m_sink(std::make_unique<BrowserEventSink>(*this, dispatcher, mode)) {}

BrowserHost::~BrowserHost() {
    Destroy();
}

int BrowserHost::Create(QWidget* parent, const QRect& rectangle) {
    if (parent == nullptr || m_view)
        return -1;

    QWebEngineProfile* profile = QWebEngineProfile::defaultProfile();
    InstallLinkSchemeHandlers(*profile);

    auto* view = new QWebEngineView(parent);
    auto* page = new Page(profile, *this, view);

    QWebEngineSettings* settings = page->settings();
    settings->setAttribute(QWebEngineSettings::ShowScrollBars, false);
    // Pages are files of the content folder that load their neighbours (pages, images, CSS).
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    // A load that fails leaves the pane on its page instead of the engine's error page.
    settings->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);

    view->setPage(page);
    view->setContextMenuPolicy(Qt::NoContextMenu);
    auto* watch = new WidgetWatch(view, [this] { UserInput(); });
    watch->Watch(view);
    for (QWidget* child : view->findChildren<QWidget*>())
        watch->Watch(child);

    view->setGeometry(rectangle);
    view->show();

    m_view = view;
    m_page = page;
    return 0;
}

QWebEngineView* BrowserHost::View() const {
    return m_view.data();
}

void BrowserHost::Navigate(const std::string& url) {
    if (url.empty())
        return;
    OnPage([url = LinkUrl(url)](QWebEnginePage& page) { page.load(url); });
}

void BrowserHost::StopAndNavigate(const std::string& url) {
    OnPage([](QWebEnginePage& page) { page.triggerAction(QWebEnginePage::Stop); });
    Navigate(url);
}

void BrowserHost::Refresh() {
    OnPage([](QWebEnginePage& page) { page.triggerAction(QWebEnginePage::Reload); });
}

// Never deleted at once: Destroy may run inside one of the page's own signals (the window
// closing when a pane has loaded, a link's action), and the engine goes on using the page when
// that returns. The parent deletes a view still waiting when it goes first.
void BrowserHost::Destroy() {
    if (m_page)
        m_page->Detach();
    if (m_view) {
        m_view->hide();
        m_view->deleteLater(); // owns the page
    }
    m_view.clear();
    m_page.clear();
}

void BrowserHost::UserInput() {
    m_userInput = std::chrono::steady_clock::now();
}

NavigationStart BrowserHost::StartOf(QWebEnginePage::NavigationType type) {
    // Only the embedder loads a typed address; pages cannot.
    if (type == QWebEnginePage::NavigationTypeTyped)
        return NavigationStart::Program;
    const auto input = std::exchange(m_userInput, std::nullopt);
    if (input && std::chrono::steady_clock::now() - *input <= kUserInputReach)
        return NavigationStart::User;
    return NavigationStart::Page;
}

bool BrowserHost::AcceptNavigation(const QUrl& url, NavigationStart start) {
    ++m_dispatching;
    const bool cancel = m_sink->BeforeNavigate(LinkText(url), start);
    --m_dispatching;
    return !cancel;
}

// Loading from inside the engine's navigation callback would start a navigation while the
// engine is still deciding about another, so the dispatcher's steps wait for the event loop.
// They reach only the page, which drops them if it is gone by then.
void BrowserHost::OnPage(std::function<void(QWebEnginePage&)> step) {
    QWebEnginePage* page = m_page.data();
    if (page == nullptr)
        return;
    if (m_dispatching > 0)
        PostToMain(page, [page, step = std::move(step)] { step(*page); });
    else
        step(*page);
}

} // namespace kaldo
