#include "main/appcore/AppActions.h"

#include "main/appcore/AppContext.h"
#include "main/net/UpdateCheck.h"
#include "platform/Paths.h"
#include "platform/Trace.h"

#include <filesystem>

#include <string>

namespace kaldo {

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
    return ApplyPendingUpdate(m_app.Updates(), m_app.Folders().XmlFolder);
}

std::vector<std::string> AppActions::ContentFolders() {
    // The pages live in this user's mirror; its links lead into the installed Data folder.
    namespace fs = std::filesystem;
    const fs::path installed =
        fs::path(ResolvePath(JoinPath(m_app.ProgramFolder(), "data"))).lexically_normal();
    const fs::path mirror =
        (fs::path(m_app.StateFolder()) / installed.filename()).lexically_normal();
    return {JoinPath(installed.string(), "/"), JoinPath(mirror.string(), "/")};
}

} // namespace kaldo
