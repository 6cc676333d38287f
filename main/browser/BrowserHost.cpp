#include "main/browser/BrowserHost.h"

#include "main/browser/LinkSchemes.h"
#include "platform/MainThread.h"

#include <QEvent>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <QWidget>

namespace kaldo {

namespace {

// Nothing may be dropped onto a pane. The engine adds its render widget to the view after the
// first load, so every widget below the view is closed for drops as it arrives.
class DropRefuser final : public QObject {
public:
    using QObject::QObject;

    void Refuse(QWidget* widget) {
        widget->setAcceptDrops(false);
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ChildPolished) { // the child is fully built by then
            if (auto* child = qobject_cast<QWidget*>(static_cast<QChildEvent*>(event)->child()))
                Refuse(child);
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

class BrowserHost::Page final : public QWebEnginePage {
public:
    Page(QWebEngineProfile* profile, BrowserHost& host, QObject* parent)
        : QWebEnginePage(profile, parent)
        , m_host(&host) {}

    // The page may outlive its host by a moment when the pane is destroyed inside a dispatch.
    void Detach() { m_host = nullptr; }

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType, bool) override {
        return m_host != nullptr && m_host->AcceptNavigation(url);
    }

    QWebEnginePage* createWindow(WebWindowType) override;

private:
    BrowserHost* m_host;
};

namespace {

// A link that asks for a new window is followed in the pane itself, so that it passes the
// dispatcher like any other link and no stray window opens.
class PopupCatcher final : public QWebEnginePage {
public:
    PopupCatcher(QWebEngineProfile* profile, QWebEnginePage* pane)
        : QWebEnginePage(profile, pane)
        , m_pane(pane) {}

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType, bool isMainFrame) override {
        if (!isMainFrame || url.isEmpty() || url.toString() == u"about:blank")
            return true;
        PostToMain(m_pane, [pane = m_pane, url] { pane->load(url); });
        deleteLater();
        return false;
    }

private:
    QWebEnginePage* m_pane;
};

} // namespace

QWebEnginePage* BrowserHost::Page::createWindow(WebWindowType) {
    return new PopupCatcher(profile(), this);
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
    auto* dropRefuser = new DropRefuser(view);
    dropRefuser->Refuse(view);
    for (QWidget* child : view->findChildren<QWidget*>())
        dropRefuser->Refuse(child);

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

bool BrowserHost::AcceptNavigation(const QUrl& url) {
    ++m_dispatching;
    const bool cancel = m_sink->BeforeNavigate(LinkText(url));
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
