#pragma once

#include <QUrl>

#include <string>
#include <string_view>
#include <vector>

class QWebEngineProfile;

namespace kaldo {

// The schemes of the program's own link forms ("sp:", "doc:", "util-rs:", ...) plus "search:",
// which the header's search form may use as its action. The engine drops a link to a scheme
// it does not know before any navigation starts, so these must be known to it.
const std::vector<std::string_view>& LinkSchemes();

// Makes the link schemes known to the engine. Must run before the QApplication is created.
void RegisterLinkSchemes();

// Lets links of the registered schemes reach the panes' navigation handling on `profile`.
// Nothing is ever served for them: a request that is not cancelled earlier fails quietly.
// Calling it again for the same profile does nothing.
void InstallLinkSchemeHandlers(QWebEngineProfile& profile);

// The text a dispatcher gets for a navigation: UTF-8, percent escapes of plain characters
// decoded, and every '#' kept as written, so that "tab#2page#4" keeps both markers.
std::string LinkText(const QUrl& url);

// The URL to load for a local file path (absolute) or a URL text such as LinkText returns.
QUrl LinkUrl(const std::string& pathOrUrl);

} // namespace kaldo
