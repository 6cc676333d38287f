#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kaldo {

// Who started a navigation. Only the user's own (and the program's) may trigger one of the
// program's link forms; a page's script, timer or redirect never does.
enum class NavigationStart {
    User,    // a click, a key or a form the user sent
    Program, // the program loads something into the pane
    Page,    // the page itself, with nobody asking
};

// The pane a navigation happens in, as the dispatcher sees it.
class PaneControl {
public:
    virtual ~PaneControl() = default;

    // Sends the pane back to the page it was showing (stop and navigate, or refresh).
    virtual void ReturnToPage() = 0;
    virtual void StopAndNavigate(const std::string& url) = 0;
    virtual void SetReturnPage(const std::string& url) = 0;
    virtual const std::string& ReturnPage() const = 0;
    // The browser turned a link into one of its own error pages.
    virtual bool IsErrorPage(const std::string& url) const = 0;
};

// What the links that leave the panes ask: the desktop, the browser, the printer's pages, the
// content's documents and videos, the driver's tools.
class LinkOpeners {
public:
    virtual ~LinkOpeners() = default;

    virtual void OpenWithShell(const std::string& url) = 0;
    virtual void OpenPrinterWebPage(const std::string& argument) = 0;
    // `marker` picks the address: "http://" opens `argument` itself, the others a
    // configured address of the model.
    virtual void OpenWebLink(std::string_view marker, const std::string& argument) = 0;
    virtual void OpenDocument(const std::string& name) = 0;
    virtual void OpenVideo(const std::string& name) = 0;
    virtual void OpenPdf(const std::string& url) = 0;
    virtual void RunDriverUtility() = 0;
    virtual void OpenDriverSettings() = 0;
};

// What the program's own link forms ask the application itself to do.
class NavigationActions {
public:
    virtual ~NavigationActions() = default;

    // The generated page of a zero-based tab, or of a page of the current tab; empty when
    // there is no such tab or page.
    virtual std::string TabPage(int index) = 0;
    virtual std::string PageOfCurrentTab(int index) = 0;

    virtual bool SelectPrinter(const std::string& name) = 0;
    virtual std::string CurrentPage() = 0;
    virtual void Search(const std::string& text) = 0;
    virtual void RefreshStatus() = 0;
    virtual bool IsFramePage(const std::string& url) = 0;
    // The folders below which file addresses may carry the program's markers (the installed
    // Data folder and this user's mirror of it), each ending in '/'. Markers in the path
    // above them (the user's home, the cache) are never read.
    virtual std::vector<std::string> ContentFolders() = 0;

    // Applies an update the update check announced; true when one was pending.
    virtual bool TakePendingUpdate() = 0;
};

} // namespace kaldo
