#pragma once

#include "main/navigation/NavigationActions.h"
#include "main/navigation/RedirectMode.h"

#include <string>
#include <string_view>

namespace kaldo {

class BrowserHost;
class NavigationDispatcher;

// True for the browser's own error pages, whose links must not fire their action again.
bool IsBrowserErrorPage(std::string_view url);

// Receives a pane's navigations and keeps the page the pane is showing, to which the
// dispatcher sends the pane back after one of the program's own links. It is the pane the
// dispatcher works on.
class BrowserEventSink final : public PaneControl {
public:
    BrowserEventSink(BrowserHost& host, NavigationDispatcher& dispatcher, RedirectMode mode);

    BrowserEventSink(const BrowserEventSink&) = delete;
    BrowserEventSink& operator=(const BrowserEventSink&) = delete;

    // Hands the navigation to the dispatcher; true when it is to be cancelled.
    bool BeforeNavigate(const std::string& url, NavigationStart start);

    // Refresh in Refresh mode, else stop and navigate to the return page.
    void ReturnToPage() override;
    void StopAndNavigate(const std::string& url) override;
    void SetReturnPage(const std::string& url) override;
    const std::string& ReturnPage() const override { return m_returnPage; }

    bool IsErrorPage(const std::string& url) const override { return IsBrowserErrorPage(url); }
    RedirectMode Mode() const { return m_redirectMode; }

private:
    std::string m_returnPage;
    BrowserHost& m_host;
    NavigationDispatcher& m_dispatcher;
    RedirectMode m_redirectMode;
};

} // namespace kaldo
