#pragma once

#include "main/navigation/NavigationActions.h"

namespace kaldo {

class AppContext;

// What the program's own links do in the main program.
class AppActions final : public NavigationActions {
public:
    explicit AppActions(AppContext& app)
        : m_app(app) {}

    void OpenWithShell(const std::string& url) override;
    void OpenPrinterWebPage(const std::string& argument) override;
    void OpenWebLink(std::string_view marker, const std::string& argument) override;
    void OpenDocument(const std::string& name) override;
    void OpenVideo(const std::string& name) override;
    void OpenPdf(const std::string& url) override;
    void RunDriverUtility() override;
    void OpenDriverSettings() override;
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
