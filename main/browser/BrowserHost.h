#pragma once

#include "main/browser/BrowserEventSink.h"
#include "main/navigation/Pane.h"
#include "main/navigation/RedirectMode.h"

#include <QPointer>
#include <QRect>
#include <QWebEnginePage>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QUrl;
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

    // Who started a navigation of `type` that the engine asks about now: the program for its
    // own loads, the user when a key or button of theirs reached the pane just before, else
    // the page. A user's press counts for one navigation only.
    NavigationStart StartOf(QWebEnginePage::NavigationType type);
    // A key or button of the user reached the pane.
    void UserInput();

    BrowserEventSink& Sink() { return *m_sink; }
    const BrowserEventSink& Sink() const { return *m_sink; }
    // Null before Create and after Destroy.
    QWebEngineView* View() const;

private:
    class Page;
    class PopupCatcher;

    // Whether the navigation may go on.
    bool AcceptNavigation(const QUrl& url, NavigationStart start);
    void OnPage(std::function<void(QWebEnginePage&)> step);

    std::unique_ptr<BrowserEventSink> m_sink;
    QPointer<QWebEngineView> m_view;
    QPointer<Page> m_page;
    int m_dispatching = 0;
    std::optional<std::chrono::steady_clock::time_point> m_userInput;
};

// How long after the user's key or button a navigation still counts as theirs; a browser
// gives a click as long to open a window.
inline constexpr std::chrono::milliseconds kUserInputReach{5000};

} // namespace kaldo
