#include "main/app/AppActions.h"

#include "main/app/AppContext.h"
#include "platform/Trace.h"

#include <string>

namespace kaldo {

namespace {

void NotYet(std::string_view action, std::string_view argument = {}) {
    Trace("not available in this build: " + std::string(action) + " " + std::string(argument) +
          "\n");
}

} // namespace

void AppActions::OpenWithShell(const std::string& url) {
    NotYet("open with shell", url);
}

void AppActions::OpenPrinterWebPage(const std::string& argument) {
    NotYet("printer web page", argument);
}

void AppActions::OpenWebLink(std::string_view marker, const std::string& argument) {
    NotYet("web link " + std::string(marker), argument);
}

void AppActions::OpenDocument(const std::string& name) {
    NotYet("document", name);
}

void AppActions::OpenVideo(const std::string& name) {
    NotYet("video", name);
}

void AppActions::OpenPdf(const std::string& url) {
    NotYet("pdf", url);
}

void AppActions::RunDriverUtility() {
    NotYet("driver utility");
}

void AppActions::OpenDriverSettings() {
    NotYet("driver settings");
}

std::string AppActions::TabPage(int index) {
    const auto& tabs = m_app.Printer().Config->Tabs();
    if (index < 0 || index >= int(tabs.size()))
        return {};
    return m_app.TabPagePath(index);
}

std::string AppActions::PageOfCurrentTab(int index) {
    if (index < 0)
        return {};
    return m_app.TabSubPagePath(index);
}

bool AppActions::SelectPrinter(const std::string& name) {
    return m_app.SelectPrinterByName(name);
}

std::string AppActions::CurrentPage() {
    return m_app.HeaderPagePath();
}

void AppActions::Search(const std::string& text) {
    Trace("search " + text + "\n");
    m_app.Search(text);
}

void AppActions::RefreshStatus() {
    m_app.RefreshStatus();
}

bool AppActions::IsFramePage(const std::string& url) {
    return m_app.IsFramePage(url);
}

bool AppActions::TakePendingUpdate() {
    int expected = kUpdatesAvailable;
    if (!m_app.UpdateState().compare_exchange_strong(expected, kNoUpdatesPending))
        return false;
    NotYet("update files");
    return true;
}

} // namespace kaldo
