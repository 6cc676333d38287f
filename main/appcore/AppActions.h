#pragma once

#include "main/navigation/NavigationActions.h"

namespace kaldo {

class AppContext;

// What the program's own links ask of the main program itself; the links that leave the panes
// go to its launchers.
class AppActions final : public NavigationActions {
public:
    explicit AppActions(AppContext& app)
        : m_app(app) {}

    std::string TabPage(int index) override;
    std::string PageOfCurrentTab(int index) override;
    bool SelectPrinter(const std::string& name) override;
    std::string CurrentPage() override;
    void Search(const std::string& text) override;
    void RefreshStatus() override;
    bool IsFramePage(const std::string& url) override;
    bool TakePendingUpdate() override;
    std::vector<std::string> ContentFolders() override;

private:
    AppContext& m_app;
};

} // namespace kaldo
