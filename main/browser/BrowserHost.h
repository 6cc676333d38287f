#pragma once

#include "main/browser/BrowserEventSink.h"
#include "main/navigation/Pane.h"
#include "main/navigation/RedirectMode.h"

#include <QPointer>
#include <QRect>

#include <functional>
#include <memory>
#include <string>

class QUrl;
class QWebEnginePage;
class QWebEngineView;
class QWidget;

namespace kaldo {

class NavigationDispatcher;

// One browser pane of the main window: a web view placed in a rectangle of its parent, without
// context menu, scroll bars or drop handling, whose every navigation passes the dispatcher.
class BrowserHost final : public Pane {
public:
    BrowserHost(NavigationDispatcher& dispatcher, RedirectMode mode);
    ~BrowserHost() override;

    BrowserHost(const BrowserHost&) = delete;
    BrowserHost& operator=(const BrowserHost&) = delete;

    // 0 on success, -1 without a parent or when the pane exists already. The pane keeps its
    // rectangle for good.
    int Create(QWidget* parent, const QRect& rectangle);

    // `url` is an absolute local file path or a URL. Nothing happens before Create, after
    // Destroy or for an empty text.
    void Navigate(const std::string& url) override;
    void StopAndNavigate(const std::string& url) override;
    void Refresh();
    // Hides the pane and lets the event loop delete it; the sink stays until the host is
    // deleted. May be called from inside any of the pane's own callbacks.
    void Destroy() override;

    // The sink keeps the return page and the way back to it.
    void ReturnToPage() override { m_sink->ReturnToPage(); }
    void SetReturnPage(const std::string& url) override { m_sink->SetReturnPage(url); }
    const std::string& ReturnPage() const override { return m_sink->ReturnPage(); }
    bool IsErrorPage(const std::string& url) const override { return m_sink->IsErrorPage(url); }

    BrowserEventSink& Sink() { return *m_sink; }
    const BrowserEventSink& Sink() const { return *m_sink; }
    // Null before Create and after Destroy.
    QWebEngineView* View() const;

private:
    class Page;

    // Whether the navigation may go on.
    bool AcceptNavigation(const QUrl& url);
    void OnPage(std::function<void(QWebEnginePage&)> step);

    std::unique_ptr<BrowserEventSink> m_sink;
    QPointer<QWebEngineView> m_view;
    QPointer<Page> m_page;
    int m_dispatching = 0;
};

} // namespace kaldo
