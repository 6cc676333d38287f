#pragma once

#include "main/appcore/AppHooks.h"
#include "main/content/ContentCatalog.h"
#include "main/content/ModelFolders.h"
#include "main/launchers/ErrorTexts.h"
#include "main/navigation/NavigationDispatcher.h"
#include "main/navigation/Pane.h"
#include "main/navigation/RedirectMode.h"
#include "main/net/UpdateCheck.h"
#include "main/net/WebPageRefresh.h"
#include "main/pages/PageTransformer.h"
#include "main/printers/PrinterSelection.h"
#include "main/resources/StringIds.h"
#include "main/status/StatusInfo.h"
#include "main/status/StatusRetrieval.h"
#include "platform/spooler/Spooler.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kaldo {

class BackgroundJob;
class Launchers;
class KeywordSearch;
class NavigationActions;
class PrinterSelector;
struct PrinterServices;

// The one application object of the main program: the selected printer and its content, the
// three panes, and the operations that tie them together. Lives on the main thread; widgets
// and web panes come only through `hooks`.
class AppContext final : public NavigationDispatcher {
public:
    // `programFolder` holds the installed content's Data folder and is only read; the pages
    // are written to this user's mirror of it in `stateFolder`. Both end in '/'. Every transfer
    // from the network is made with `downloads`.
    AppContext(PrinterServices& services, std::string programFolder, std::string stateFolder,
               AppHooks hooks, DownloadOptions downloads = {});
    ~AppContext() override;
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

    // The start-up sequence up to the three panes' first pages; false means the program must
    // end (the user has been told why).
    bool Initialize(const std::string& commandLinePrinter);
    // The rest of the start, which the first paint does not wait for: the printer's status,
    // the index and trouble-solution pages, the update check, the internet check, the web-page
    // refresh and the driverless printers that have not said what they are. Runs once, and never
    // after Shutdown; a search or a navigation of the user's before it runs it first.
    void FinishStart();
    // Destroys the panes and remembers the selected printer.
    void Shutdown();

    // A printer name handed over by a second start; an empty name is ignored.
    void OnForwardedPrinter(const std::string& printerName);

    bool Dispatch(Pane& pane, const std::string& url, NavigationStart start) override;

    bool SelectPrinterByName(const std::string& printerName);
    ResultCode BuildHeaderPage();
    ResultCode BuildIndexPages();
    // Searches the content's index for `text` and shows the results in the search tab.
    void Search(const std::string& text);
    std::string HeaderPagePath() const;
    std::string ContentPath(const std::string& name) const { return m_folders.ContentPath(name); }
    std::string ImagePath(const std::string& name) const { return m_folders.ImagePath(name); }
    std::string TabPagePath(int tab);
    std::string TabSubPagePath(int page);
    std::string ContentLanguage() const;
    bool IsFramePage(const std::string& url) const;
    // The footer's page for the selected printer.
    std::string FooterPagePath() const;

    // Rebuilds the footer page for `status`, and the trouble-solution pages once the start has
    // built them; with 1 (collecting) it also starts a new status retrieval. Does not navigate.
    void BuildFooter(StatusValue status);
    // The report of the newest status retrieval: the footer shows what it brought.
    void UpdateStatus(bool written);
    // A fresh status retrieval, with the footer saying so meanwhile.
    void RefreshStatus();
    // The status the footer shows now (collecting while a retrieval runs).
    StatusValue FooterStatus() const { return m_footerStatus; }
    // Runs `shown` once, when the next status report has been put in the footer pane.
    void WhenStatusShown(std::function<void()> shown) { m_statusShown = std::move(shown); }

    // The update states of the content folders, shared with the update check threads.
    UpdateStates& Updates() { return m_updateStates; }
    // The update state of the selected printer's content.
    kaldo::UpdateState UpdateState() const { return m_updateStates.State(m_folders.XmlFolder); }

    const PrinterSelection& Printer() const { return m_printer; }
    const ModelFolders& Folders() const { return m_folders; }
    const std::string& ProgramFolder() const { return m_programFolder; }
    const std::string& StateFolder() const { return m_stateFolder; }
    const std::string& LanguageCode() const { return m_languageCode; }
    const std::string& ContentFolder() const { return m_contentFolder; }
    bool InternetAvailable() const { return m_printer.InternetAvailable; }
    Pane* HeaderPane() const { return m_headerPane.get(); }
    Pane* BodyPane() const { return m_bodyPane.get(); }
    Pane* FooterPane() const { return m_footerPane.get(); }

    // Shows the configuration's error text of `kind` (0-7) in the content's words.
    void ShowError(ErrorNumber kind) const;
    // Documents, videos, web pages and the driver's tools.
    Launchers& Launch();
    // Whether the maker's web site answers now; waits for the answer, so never on the main
    // thread.
    bool CheckWeb() const;
    // Sends the body pane back to the page it showed.
    void ReturnBodyToPage();

private:
    // The start's work for the chosen printer that needs no window: its model folders,
    // connection, header, default and footer pages. Runs off the main thread while the panes are
    // made; false when the header page cannot be written.
    bool PrepareFirstPages();
    // Brings this user's mirror of the content, its merged configurations and the catalogue
    // in step with the installation; false when the installed content cannot be read.
    bool RefreshContent();
    void SetUpModelFolders(const ToolboxConfig& config);
    // Frames, web pages and search become those of the selected printer's content folder.
    void FollowContentFolder(const ToolboxConfig& config);
    // Refreshes the web pages of the selected printer's content folder, the first time only.
    void RefreshWebPagesOnce(const ToolboxConfig& config);
    void StartUpdateCheck(const ToolboxConfig& config);
    void StartInternetCheck();
    // Asks the devices that the printer list left unasked, off the main thread; the header
    // lists those that turn out to have content.
    void AskUnaskedDevices();
    void ListAnsweredDevices(const std::vector<std::string>& asked,
                             const std::vector<std::optional<DeviceIdentity>>& answers);
    StatusFacts Facts() const;
    void ShowSelectedPrinter();
    void ShowDefaultPage();
    // The body's default page for the selected printer; when it is a page the rest of the start
    // builds, that is built first.
    std::string DefaultPage();
    // The index and trouble-solution pages for the selected printer.
    void BuildLaterPages();
    void CreatePane(std::unique_ptr<Pane>& pane, PanePlace place);
    void Fatal(StringId textId) const;
    void ShowWaitCursor(bool waiting) const;

    PrinterServices& m_services;
    const AppHooks m_hooks;
    std::unique_ptr<NavigationActions> m_actions;
    const DownloadOptions m_downloads;
    UpdateStates m_updateStates;
    UpdateCheckedDrivers m_updateCheckedDrivers;
    UpdateCheckRunner m_updateChecks{m_updateStates, m_updateCheckedDrivers, m_downloads};
    // One refresh per content folder and run, by UI folder.
    std::map<std::string, std::unique_ptr<WebPageRefresh>> m_webRefreshes;
    std::string m_contentFolder;
    std::string m_languageCode;
    PrinterSelection m_printer;
    std::unique_ptr<ContentCatalog> m_catalog;
    std::unique_ptr<KeywordSearch> m_search;
    std::unique_ptr<PrinterSelector> m_selector;
    std::unique_ptr<Pane> m_bodyPane;
    std::unique_ptr<Pane> m_headerPane;
    std::unique_ptr<Pane> m_footerPane;
    PageTransformer m_transformer;
    std::string m_programFolder;
    std::string m_stateFolder;
    ModelFolders m_folders;
    std::string m_startPage;      // the body's first page, chosen by the start
    std::string m_followedFolder; // the UI folder whose frames, web pages and search are held
    std::vector<std::string> m_allFrames;
    std::vector<std::string> m_allWebs;
    RedirectMode m_redirectMode = RedirectMode::Unknown;
    std::unique_ptr<LauncherSet> m_launchers;
    std::unique_ptr<BackgroundJob> m_internetCheck;
    std::unique_ptr<BackgroundJob> m_deviceQuestion;
    std::unique_ptr<StatusRetrieval> m_status;
    // The start's question to the printer, asked when the rest of the start runs.
    std::optional<StatusRequest> m_firstStatusRequest;
    StatusValue m_footerStatus = StatusValue::STATUS_COLLECTING;
    std::function<void()> m_statusShown;
    bool m_startFinished = false;
    // The index and trouble-solution pages wait for the rest of the start, unless the start
    // shows one of them; from then on the trouble pages follow every footer.
    bool m_laterPagesBuilt = false;
};

} // namespace kaldo
