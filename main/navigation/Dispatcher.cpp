#include "main/navigation/Dispatcher.h"

#include "main/navigation/LinkMarkers.h"
#include "platform/AsciiText.h"
#include "platform/PercentDecoding.h"
#include "platform/Trace.h"

#include <QString>
#include <QUrl>

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <limits>

namespace kaldo {

namespace {

// The "keywords=" text travels in a 256-byte buffer.
constexpr size_t kKeywordsLimit = 255;
// The "util-search:" text is cut to 255 characters before it is unescaped.
constexpr size_t kSearchTextLimit = 255;

// The text after the first occurrence of `marker`, or none when it does not occur.
std::optional<std::string> ArgumentAfter(const std::string& url, std::string_view marker) {
    size_t at = url.find(marker);
    if (url.empty() || at == std::string::npos)
        return std::nullopt;
    return url.substr(at + marker.size());
}

// Cuts at a byte limit without splitting a UTF-8 sequence.
std::string CutUtf8(std::string text, size_t limit) {
    if (text.size() <= limit)
        return text;
    size_t end = limit;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    text.resize(end);
    return text;
}

// A form submission writes blanks as '+' (a typed '+' arrives as "%2B").
std::string DecodeFormText(std::string_view text) {
    std::string plain(text);
    std::replace(plain.begin(), plain.end(), '+', ' ');
    return DecodePercentEscapes(plain);
}

// Links number tabs and pages from 1; the lowest int has no predecessor and names none.
int ZeroBased(int number) {
    return number == std::numeric_limits<int>::min() ? -1 : number - 1;
}

void SwitchTo(const std::string& page, PaneControl& pane) {
    if (page.empty()) {
        pane.ReturnToPage();
        return;
    }
    pane.SetReturnPage(page);
    pane.StopAndNavigate(page);
}

// The words of a submitted search form: the "keywords" field of the query of a page of the
// program (a web address with such a field is somebody else's page). The words may be
// anything, "error" or "pdfs" included, so this is asked before any marker.
std::optional<std::string> SubmittedSearch(const std::string& url) {
    if (StartsWithIgnoringCase(url, "http://") || StartsWithIgnoringCase(url, "https://"))
        return std::nullopt;
    constexpr std::string_view kField = links::kSearchField;
    for (size_t at = url.find('?'); at != std::string::npos; at = url.find('&', at + 1)) {
        if (url.compare(at + 1, kField.size(), kField) != 0)
            continue;
        const size_t start = at + 1 + kField.size();
        return url.substr(start, url.find_first_of("&#", start) - start);
    }
    return std::nullopt;
}

// Whether a page's own navigation names one of the program's link forms.
bool NamesLinkForm(const std::string& marked) {
    return std::any_of(links::kErrorPage.begin(), links::kErrorPage.end(),
                       [&](std::string_view m) { return ContainsIgnoringCase(marked, m); }) ||
           std::any_of(links::kAll.begin(), links::kAll.end(),
                       [&](std::string_view m) { return marked.find(m) != std::string::npos; });
}

void RunKeywordSearch(const std::string& words, PaneControl& pane, NavigationActions& actions) {
    pane.ReturnToPage();
    actions.Search(DecodeFormText(CutUtf8(words, kKeywordsLimit)));
}

void SelectPrinter(const std::string& argument, PaneControl& pane, NavigationActions& actions) {
    if (actions.SelectPrinter(DecodePercentEscapes(argument)))
        pane.SetReturnPage(actions.CurrentPage());
    else
        pane.ReturnToPage();
}

void RunUtilitySearch(const std::string& argument, PaneControl& pane, NavigationActions& actions) {
    pane.ReturnToPage();
    actions.Search(DecodeUriEscapes(CutUtf8(argument, kSearchTextLimit)));
}

// What a route is given: the whole link, its marked part and the text after the marker.
struct LinkCall {
    const std::string& Url;
    const std::string& Marked;
    const std::string& Argument;
    bool ErrorPage;
    PaneControl& Pane;
    LinkOpeners& Open;
    NavigationActions& Actions;
};

// A link that holds `marker` goes to one of these. `open` is an action the user asked for: not
// taken from an error page, and the pane goes back to its page. `handle` does all itself and
// returns false when the link names more for the routes after it (a tab and a page).
struct LinkRoute {
    std::string_view Marker;
    void (*Open)(const LinkCall& call) = nullptr;
    bool (*Handle)(const LinkCall& call) = nullptr;
};

// Goes to the tab or page numbered (from 1) after the marker; false when no number reads there.
bool SwitchToNumbered(const LinkCall& call, std::string (NavigationActions::*page)(int)) {
    const std::optional<int> number = ReadDecimal(call.Argument);
    if (!number) {
        call.Pane.ReturnToPage();
        return false;
    }
    SwitchTo((call.Actions.*page)(ZeroBased(*number)), call.Pane);
    return true;
}

// In this order: a link that holds several markers goes to the first route of them.
const LinkRoute kRoutes[] = {
    {.Marker = links::kShellDocument,
     .Open =
         [](const LinkCall& c) {
             c.Open.OpenWithShell(c.Url);
         }},
    {.Marker = links::kPrinterWebPage,
     .Open =
         [](const LinkCall& c) {
             const size_t skip = links::kPrinterWebPage.size();
             c.Open.OpenPrinterWebPage(c.Url.size() > skip ? c.Url.substr(skip) : "");
         }},
    // Secure links open in the browser like plain ones; "https://" must not reach "ps:".
    {.Marker = links::kWeb,
     .Open =
         [](const LinkCall& c) {
             c.Open.OpenWebLink(links::kWeb, c.Url);
         }},
    {.Marker = links::kSecureWeb,
     .Open =
         [](const LinkCall& c) {
             c.Open.OpenWebLink(links::kWeb, c.Url);
         }},
    {.Marker = links::kModelPage,
     .Handle =
         [](const LinkCall& c) {
             if (c.Actions.TakePendingUpdate())
                 c.Actions.RefreshStatus();
             if (!c.ErrorPage)
                 c.Open.OpenWebLink(links::kModelPage, c.Argument);
             c.Pane.ReturnToPage();
             return true;
         }},
    {.Marker = links::kUserGuide,
     .Open =
         [](const LinkCall& c) {
             c.Open.OpenWebLink(links::kUserGuide, {});
         }},
    {.Marker = links::kService,
     .Open =
         [](const LinkCall& c) {
             c.Open.OpenWebLink(links::kService, {});
         }},
    {.Marker = links::kSupplies,
     .Open =
         [](const LinkCall& c) {
             c.Open.OpenWebLink(links::kSupplies, {});
         }},
    {.Marker = links::kQuickStart,
     .Open =
         [](const LinkCall& c) {
             c.Open.OpenWebLink(links::kQuickStart, c.Argument);
         }},
    {.Marker = links::kDocument,
     .Open =
         [](const LinkCall& c) {
             c.Open.OpenDocument(c.Argument);
         }},
    {.Marker = links::kVideo,
     .Open =
         [](const LinkCall& c) {
             c.Open.OpenVideo(c.Argument);
         }},
    {.Marker = links::kTab,
     .Handle =
         [](const LinkCall& c) {
             // "tab#2page#4" goes on to the page of that tab.
             return !SwitchToNumbered(c, &NavigationActions::TabPage) ||
                    c.Marked.find(links::kPage) == std::string::npos;
         }},
    {.Marker = links::kPage,
     .Handle =
         [](const LinkCall& c) {
             SwitchToNumbered(c, &NavigationActions::PageOfCurrentTab);
             return true;
         }},
    {.Marker = links::kPdf,
     .Open =
         [](const LinkCall& c) {
             c.Open.OpenPdf(c.Url);
         }},
    {.Marker = links::kDriverUtility,
     .Open =
         [](const LinkCall& c) {
             c.Open.RunDriverUtility();
         }},
    {.Marker = links::kDriverSettings,
     .Open =
         [](const LinkCall& c) {
             c.Open.OpenDriverSettings();
         }},
    {.Marker = links::kSelectPrinter,
     .Handle =
         [](const LinkCall& c) {
             SelectPrinter(c.Argument, c.Pane, c.Actions);
             return true;
         }},
    {.Marker = links::kSearch,
     .Handle =
         [](const LinkCall& c) {
             RunUtilitySearch(c.Argument, c.Pane, c.Actions);
             return true;
         }},
    {.Marker = links::kSearchField,
     .Handle =
         [](const LinkCall& c) {
             RunKeywordSearch(c.Argument, c.Pane, c.Actions);
             return true;
         }},
    {.Marker = links::kRefreshStatus,
     .Handle =
         [](const LinkCall& c) {
             c.Actions.RefreshStatus();
             return true;
         }},
};

} // namespace

std::optional<std::string> MarkedPart(const std::string& url,
                                      const std::vector<std::string>& contentFolders) {
    if (!StartsWithIgnoringCase(url, "file:"))
        return url;
    const QUrl parsed(QString::fromStdString(url));
    if (!parsed.isLocalFile())
        return std::nullopt;
    // Spelled as the engine spells it ("a//b", "a/./b" are "a/b").
    const std::string path =
        std::filesystem::path(parsed.toLocalFile().toStdString()).lexically_normal().string();
    for (const std::string& given : contentFolders) {
        if (given.empty() || given.back() != '/')
            continue;
        const std::string folder = std::filesystem::path(given).lexically_normal().string();
        if (path.compare(0, folder.size(), folder) != 0)
            continue;
        std::string below = path.substr(folder.size());
        if (parsed.hasQuery())
            below += "?" + parsed.query(QUrl::PrettyDecoded).toStdString();
        if (parsed.hasFragment())
            below += "#" + parsed.fragment(QUrl::PrettyDecoded).toStdString();
        return below;
    }
    return std::nullopt;
}

std::optional<int> ReadDecimal(std::string_view text) {
    size_t start = 0;
    while (start < text.size() && std::isspace(static_cast<unsigned char>(text[start])))
        ++start;
    if (start < text.size() && text[start] == '+')
        ++start;
    int value = 0;
    auto [end, error] = std::from_chars(text.data() + start, text.data() + text.size(), value);
    if (error != std::errc())
        return std::nullopt;
    return value;
}

bool IsFramePage(std::string_view url, const std::vector<std::string>& frames) {
    for (const std::string& frame : frames) {
        if (frame.empty())
            continue;
        if (ContainsIgnoringCase(url, "/" + frame) || ContainsIgnoringCase(url, "\\" + frame))
            return true;
    }
    return false;
}

bool Dispatch(const std::string& url, PaneControl& pane, LinkOpeners& open,
              NavigationActions& actions, NavigationStart start) {
    Trace("url:" + url + "\n");

    // The panes show the program's pages only: a file outside the content folders stays
    // where it is, whatever its path holds.
    const std::optional<std::string> part = MarkedPart(url, actions.ContentFolders());
    if (!part) {
        Trace("not a page of the content: " + url + "\n");
        return true;
    }
    const std::string& marked = *part;

    // A page cannot act for the user: what it starts by itself is dropped where it stands,
    // without going back to the page (which would run the same script again).
    if (start == NavigationStart::Page && NamesLinkForm(marked)) {
        Trace("link not started by the user: " + url + "\n");
        return true;
    }

    const bool errorPage = pane.IsErrorPage(url);
    if (!errorPage) {
        if (auto words = SubmittedSearch(marked)) {
            RunKeywordSearch(*words, pane, actions);
            return true;
        }
    }

    // A printer or a search named in the program's own links, whatever the name or the words.
    if (!errorPage && marked.starts_with(links::kSelectPrinter)) {
        SelectPrinter(marked.substr(links::kSelectPrinter.size()), pane, actions);
        return true;
    }
    if (!errorPage && marked.starts_with(links::kSearch)) {
        RunUtilitySearch(marked.substr(links::kSearch.size()), pane, actions);
        return true;
    }

    // Pages that must not stay in a pane, such as the browser's own error pages.
    for (std::string_view marker : links::kErrorPage) {
        if (ContainsIgnoringCase(marked, marker)) {
            pane.StopAndNavigate(pane.ReturnPage());
            return true;
        }
    }

    for (const LinkRoute& route : kRoutes) {
        const std::optional<std::string> argument = ArgumentAfter(marked, route.Marker);
        if (!argument)
            continue;
        const LinkCall call{url, marked, *argument, errorPage, pane, open, actions};
        if (route.Open) {
            if (!errorPage)
                route.Open(call);
            pane.ReturnToPage();
            return true;
        }
        if (route.Handle(call))
            return true;
    }

    if (!actions.IsFramePage(url))
        pane.SetReturnPage(url);
    return false;
}

} // namespace kaldo
