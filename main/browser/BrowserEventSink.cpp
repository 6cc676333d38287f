#include "main/browser/BrowserEventSink.h"

#include "main/browser/BrowserHost.h"
#include "main/navigation/NavigationDispatcher.h"
#include "platform/Trace.h"

namespace kaldo {

bool IsBrowserErrorPage(std::string_view url) {
    return url.find("ieframe.dll") != std::string_view::npos;
}

BrowserEventSink::BrowserEventSink(BrowserHost& host, NavigationDispatcher& dispatcher,
                                   RedirectMode mode)
    : m_host(host)
    , m_dispatcher(dispatcher)
    , m_redirectMode(mode) {
    Trace(RedirectTraceText(m_redirectMode));
}

bool BrowserEventSink::BeforeNavigate(const std::string& url, NavigationStart start) {
    return m_dispatcher.Dispatch(m_host, url, start);
}

void BrowserEventSink::ReturnToPage() {
    if (m_redirectMode == RedirectMode::Refresh)
        m_host.Refresh();
    else
        StopAndNavigate(m_returnPage);
}

void BrowserEventSink::StopAndNavigate(const std::string& url) {
    m_host.StopAndNavigate(url);
}

void BrowserEventSink::SetReturnPage(const std::string& url) {
    m_returnPage = url;
}

} // namespace kaldo
