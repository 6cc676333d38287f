#include "main/navigation/Dispatcher.h"

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
    constexpr std::string_view kField = "keywords=";
    for (size_t at = url.find('?'); at != std::string::npos; at = url.find('&', at + 1)) {
        if (url.compare(at + 1, kField.size(), kField) != 0)
            continue;
        const size_t start = at + 1 + kField.size();
        return url.substr(start, url.find_first_of("&#", start) - start);
    }
    return std::nullopt;
}

// The markers of the program's link forms, for telling whether a page's own navigation names
// one. The first three are compared without regard to case.
constexpr std::array<std::string_view, 3> kErrorMarkers = {"error", "syntax", "wwhelp"};
constexpr std::array<std::string_view, 22> kMarkers = {
    "htmldocs",     "pweb:",       "http://",      "https://",  "printermodelurl:",
    "uat:",         "serviceurl:", "suppliesurl:", "qst:",      "doc:",
    "video:",       "tab#",        "page#",        "pdfs",      "ps:",
    "util-driver:", "sp:",         "util-search:", "keywords=", "util-rs:",
    "search:",      "ieframe.dll",
};

bool NamesLinkForm(const std::string& marked) {
    return std::any_of(kErrorMarkers.begin(), kErrorMarkers.end(),
                       [&](std::string_view m) { return ContainsIgnoringCase(marked, m); }) ||
           std::any_of(kMarkers.begin(), kMarkers.end(),
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

// The web links that open an address of the model's configuration.
struct WebMarker {
    std::string_view marker;
    bool passesArgument;
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

bool Dispatch(const std::string& url, PaneControl& pane, NavigationActions& actions,
              NavigationStart start) {
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
    if (!errorPage && marked.starts_with("sp:")) {
        SelectPrinter(marked.substr(3), pane, actions);
        return true;
    }
    if (!errorPage && marked.starts_with("util-search:")) {
        RunUtilitySearch(marked.substr(std::string_view("util-search:").size()), pane, actions);
        return true;
    }

    // Pages that must not stay in a pane, such as the browser's own error pages.
    for (std::string_view marker : kErrorMarkers) {
        if (ContainsIgnoringCase(marked, marker)) {
            pane.StopAndNavigate(pane.ReturnPage());
            return true;
        }
    }

    auto guarded = [&](auto&& action) {
        if (!errorPage)
            action();
        pane.ReturnToPage();
        return true;
    };
    auto has = [&](std::string_view marker) {
        return marked.find(marker) != std::string::npos;
    };

    if (has("htmldocs"))
        return guarded([&] { actions.OpenWithShell(url); });
    if (has("pweb:"))
        return guarded([&] { actions.OpenPrinterWebPage(url.size() > 5 ? url.substr(5) : ""); });
    // Secure links open in the browser like plain ones; "https://" must not reach "ps:".
    if (has("http://") || has("https://"))
        return guarded([&] { actions.OpenWebLink("http://", url); });
    if (auto argument = ArgumentAfter(marked, "printermodelurl:")) {
        if (actions.TakePendingUpdate())
            actions.RefreshStatus();
        return guarded([&] { actions.OpenWebLink("printermodelurl:", *argument); });
    }
    for (WebMarker web : {WebMarker{"uat:", false}, WebMarker{"serviceurl:", false},
                          WebMarker{"suppliesurl:", false}, WebMarker{"qst:", true}}) {
        if (auto argument = ArgumentAfter(marked, web.marker))
            return guarded([&] {
                actions.OpenWebLink(web.marker, web.passesArgument ? *argument : std::string());
            });
    }
    if (auto argument = ArgumentAfter(marked, "doc:"))
        return guarded([&] { actions.OpenDocument(*argument); });
    if (auto argument = ArgumentAfter(marked, "video:"))
        return guarded([&] { actions.OpenVideo(*argument); });

    if (auto argument = ArgumentAfter(marked, "tab#")) {
        std::optional<int> tab = ReadDecimal(*argument);
        if (!tab) {
            pane.ReturnToPage();
            return true;
        }
        SwitchTo(actions.TabPage(ZeroBased(*tab)), pane);
        if (!has("page#"))
            return true;
    }
    if (auto argument = ArgumentAfter(marked, "page#")) {
        std::optional<int> page = ReadDecimal(*argument);
        if (!page) {
            pane.ReturnToPage();
            return true;
        }
        SwitchTo(actions.PageOfCurrentTab(ZeroBased(*page)), pane);
        return true;
    }

    if (has("pdfs"))
        return guarded([&] { actions.OpenPdf(url); });
    if (has("ps:"))
        return guarded([&] { actions.RunDriverUtility(); });
    if (has("util-driver:"))
        return guarded([&] { actions.OpenDriverSettings(); });

    if (auto argument = ArgumentAfter(marked, "sp:")) {
        SelectPrinter(*argument, pane, actions);
        return true;
    }
    if (auto argument = ArgumentAfter(marked, "util-search:")) {
        RunUtilitySearch(*argument, pane, actions);
        return true;
    }
    if (auto argument = ArgumentAfter(marked, "keywords=")) {
        RunKeywordSearch(*argument, pane, actions);
        return true;
    }
    if (has("util-rs:")) {
        actions.RefreshStatus();
        return true;
    }

    if (!actions.IsFramePage(url))
        pane.SetReturnPage(url);
    return false;
}

} // namespace kaldo
