#include "main/appcore/AppContext.h"

#include "main/appcore/AppActions.h"
#include "main/content/ContentFolders.h"
#include "main/content/ContentMirror.h"
#include "main/launchers/Launchers.h"
#include "main/navigation/Dispatcher.h"
#include "main/pageinputs/PageInputs.h"
#include "main/printers/DeviceIdentification.h"
#include "main/printers/PrinterConnection.h"
#include "main/printers/PrinterServices.h"
#include "main/printers/Reachability.h"
#include "main/resources/StringResources.h"
#include "main/status/QueueStatus.h"
#include "main/status/StatusDocumentCheck.h"
#include "main/status/StatusPages.h"
#include "main/status/StatusRetrieval.h"
#include "platform/BackgroundJob.h"
#include "platform/Paths.h"
#include "platform/Trace.h"
#include "platform/registry/Registry.h"

#include <algorithm>
#include <atomic>
#include <future>
#include <stop_token>
#include <system_error>

namespace kaldo {

namespace {

RedirectMode ReadRedirectMode(const Registry& registry) {
    // Linux has no such browser; the value is absent and the panes use Stop.
    auto version = registry.QueryValue(Hive::LocalMachine, "Software\\Microsoft\\Internet Explorer",
                                       "Version");
    RedirectMode mode = ChooseRedirectMode(version, SystemVersion{});
    Trace(RedirectTraceText(mode));
    return mode;
}

} // namespace

AppContext::AppContext(PrinterServices& services, std::string programFolder,
                       std::string stateFolder, AppHooks hooks, DownloadOptions downloads)
    : m_services(services)
    , m_hooks(std::move(hooks))
    , m_actions(std::make_unique<AppActions>(*this))
    , m_downloads(std::move(downloads))
    , m_programFolder(std::move(programFolder))
    , m_stateFolder(std::move(stateFolder)) {
    m_status = std::make_unique<StatusRetrieval>(
        [this](int, bool written) { UpdateStatus(written); },
        m_hooks.StatusSources ? m_hooks.StatusSources : QueueStatusSources(services.PrintSpooler),
        m_hooks.StatusReportDelay);
}

AppContext::~AppContext() = default;

bool AppContext::Initialize(const std::string& commandLinePrinter) {
    m_languageCode = ProgramLanguageCode();

    m_catalog = std::make_unique<ContentCatalog>();
    if (!RefreshContent()) {
        Fatal(StringId::FatalData);
        return false;
    }
    m_printer.Config = std::make_unique<ToolboxConfig>();
    m_selector = std::make_unique<PrinterSelector>(m_printer, *m_catalog, m_services);

    switch (m_selector->SelectStartPrinter(commandLinePrinter)) {
    case StartPrinterResult::Selected:
        break;
    case StartPrinterResult::CommandLinePrinterUnusable:
        Fatal(StringId::FatalStart);
        return false;
    default:
        Fatal(StringId::NoPrinter);
        return false;
    }
    m_redirectMode = ReadRedirectMode(m_services.SystemRegistry);

    // The web engine's start, with the first pane, is mostly waiting for its helper processes.
    // Meanwhile a thread of its own writes the printer's first pages; until it has ended, this
    // thread only makes the panes. A start that has no printer to show ends above, before the
    // engine starts.
    std::future<bool> preparing;
    try {
        preparing = std::async(std::launch::async, &AppContext::PrepareFirstPages, this);
    } catch (const std::system_error&) {
        // No thread to be had: the pages are written after the panes are made.
    }
    CreatePane(m_bodyPane, PanePlace::Body);
    CreatePane(m_headerPane, PanePlace::Header);
    CreatePane(m_footerPane, PanePlace::Footer);
    if (!(preparing.valid() ? preparing.get() : PrepareFirstPages())) {
        ShowError(ErrorNumber::ContentNotFound);
        Shutdown();
        return false;
    }
    m_launchers = m_hooks.CreateLaunchers(
        m_printer, m_folders, [this] { return CheckWeb(); },
        [this](bool up) { m_printer.InternetAvailable = up; });
    if (m_bodyPane)
        m_bodyPane->Navigate(m_startPage);
    m_headerPane->Navigate(HeaderPagePath());
    m_footerPane->Navigate(FooterPagePath());
    return true;
}

bool AppContext::PrepareFirstPages() {
    const ToolboxConfig& config = *m_printer.Config;
    m_printer.CurrentTab = config.DefaultTab();
    SetUpModelFolders(config);
    FollowContentFolder(config);
    RefreshPrinterConnection(m_printer, m_services);
    if (BuildHeaderPage() != ResultCode::Ok)
        return false;
    m_startPage = DefaultPage();
    BuildFooter(StatusValue::STATUS_COLLECTING);
    return true;
}

void AppContext::FinishStart() {
    if (m_startFinished || !m_printer.Config || !m_launchers)
        return;
    m_startFinished = true;
    if (m_firstStatusRequest)
        m_status->Start(*std::exchange(m_firstStatusRequest, std::nullopt));
    const ToolboxConfig& config = *m_printer.Config;
    // The web engine has started by now, so worker threads no longer race it for the
    // environment (name lookups, proxies). The update files live in the model's xml folder.
    StartUpdateCheck(config);
    // Only later actions read the internet check's answer.
    StartInternetCheck();
    RefreshWebPagesOnce(config);
    if (!m_laterPagesBuilt)
        BuildLaterPages();
    AskUnaskedDevices();
}

void AppContext::Shutdown() {
    // Nothing of the start follows its end.
    m_startFinished = true;
    m_firstStatusRequest.reset();
    if (m_launchers)
        m_launchers->CancelWaits();
    if (m_internetCheck)
        m_internetCheck->Abort();
    if (m_deviceQuestion)
        m_deviceQuestion->Abort();
    m_status->Cancel();
    m_updateChecks.Stop();
    for (auto& [folder, refresh] : m_webRefreshes)
        refresh->Stop();
    for (auto* pane : {&m_bodyPane, &m_headerPane, &m_footerPane}) {
        if (*pane)
            (*pane)->Destroy();
    }
    if (m_selector && !m_printer.SelectedPrinter.empty())
        m_selector->WriteLastPrinter();
}

void AppContext::OnForwardedPrinter(const std::string& printerName) {
    if (printerName.empty() || !m_selector)
        return;
    if (SelectPrinterByName(printerName)) {
        if (m_bodyPane)
            m_bodyPane->SetReturnPage(HeaderPagePath());
    } else {
        ReturnBodyToPage();
    }
}

bool AppContext::Dispatch(Pane& pane, const std::string& url, NavigationStart start) {
    // What the user goes to next may need the rest of the start, such as the index pages.
    if (start == NavigationStart::User)
        FinishStart();
    return kaldo::Dispatch(url, pane, Launch(), *m_actions, start);
}

bool AppContext::SelectPrinterByName(const std::string& printerName) {
    if (!m_selector)
        return false;
    // An installation since the start shows from the next printer switch on.
    RefreshContent();
    ShowWaitCursor(true);
    std::optional<PreviousPrinter> previous = m_selector->SwitchToPrinter(printerName);
    if (previous) {
        SetUpModelFolders(*m_printer.Config);
        StartUpdateCheck(*m_printer.Config);
        if (BuildHeaderPage() == ResultCode::Ok) {
            previous.reset();
            ShowSelectedPrinter();
            ShowWaitCursor(false);
            if (m_startFinished)
                AskUnaskedDevices();
            return true;
        }
        // Everything stays as it was: the printer, its configuration, folders and connection.
        m_selector->Restore(std::move(*previous));
        SetUpModelFolders(*m_printer.Config);
    }
    ShowWaitCursor(false);
    ShowError(ErrorNumber::ContentNotFound);
    return false;
}

bool AppContext::RefreshContent() {
    // The program folder is only read: this user's pages go to a mirror of the content.
    PreparedContent prepared;
    if (MirrorContentFolders(m_programFolder, m_stateFolder))
        prepared = PrepareContentFolders(m_stateFolder, m_languageCode);
    if (!prepared.Ok)
        return false;
    m_contentFolder = prepared.ContentFolder;
    *m_catalog = ContentCatalog(m_stateFolder);
    return true;
}

ResultCode AppContext::BuildHeaderPage() {
    std::vector<PrinterListEntry> printers;
    if (m_printer.Printers) {
        for (const PrinterEntry& entry : m_printer.Printers->Entries())
            printers.push_back({entry.PrinterName, entry.DriverName});
    }
    const ToolboxConfig& config = *m_printer.Config;
    return kaldo::BuildHeaderPage(printers, m_printer.SelectedPrinter, HeaderLabelsFor(config),
                                  ContentLanguage(), HeaderPageFilesFor(m_folders, config.Files()),
                                  m_transformer);
}

ResultCode AppContext::BuildIndexPages() {
    return kaldo::BuildIndexPages(IndexPageFilesFor(m_folders, *m_printer.Config),
                                  ProgramIndexLabels(), ContentLanguage(), m_transformer);
}

void AppContext::Search(const std::string& text) {
    FinishStart();
    m_printer.CurrentTab = m_printer.Config->SearchTab();
    const SearchPageResult result =
        BuildSearchPages(m_search, ContentLanguage(), text, SearchPrompt(), ProgramSearchLabels(),
                         SearchPageFilesFor(m_folders, *m_printer.Config), m_transformer);
    if (m_bodyPane && !result.Show.empty())
        m_bodyPane->Navigate(result.Show);
}

std::string AppContext::HeaderPagePath() const {
    return ContentPath(m_printer.Config->Files().File_Header);
}

std::string AppContext::FooterPagePath() const {
    return ContentPath(m_printer.Config->Files().File_Status);
}

StatusFacts AppContext::Facts() const {
    return StatusFactsFor(*m_printer.Config, UpdateState());
}

void AppContext::BuildFooter(StatusValue status) {
    Trace("buildFooter: status = " + std::to_string(ToInt(status)) + "\n");
    const ToolboxConfig& config = *m_printer.Config;
    const StatusFacts facts = Facts();
    const StatusPageFiles files =
        StatusPageFilesFor(m_folders, config.Files(), config.ConfigPath());
    if (status == StatusValue::STATUS_COLLECTING) {
        // Without a document from the printer the footer shows the spooler's view of the queue.
        const bool askPrinter =
            EffectiveFooterStatus(status, facts) == StatusValue::STATUS_COLLECTING;
        StatusRequest request =
            m_printer.PrinterIsNetworked
                ? StatusRequest{.Source = StatusUrl(config.PrinterWebUrl(), config.StatusPage(),
                                                    ContentLanguage()),
                                .Destination = files.StatusDocument,
                                .PrinterWebUrl = config.PrinterWebUrl(),
                                .ImagesFolder = files.ImagesFolder,
                                .AskPrinter = askPrinter,
                                .QueueName = m_printer.SelectedPrinter,
                                .ReasonTable = files.Solutions,
                                .Downloads = m_downloads}
                : StatusRequest{.UseUsb = true,
                                .Source = m_printer.PrinterPortName,
                                .Language = ContentLanguage(),
                                .Destination = files.StatusDocument,
                                .AskPrinter = askPrinter,
                                .QueueName = m_printer.SelectedPrinter,
                                .ReasonTable = files.Solutions};
        // The printer is asked once the panes show their first pages: its answer is reported
        // a while later anyway, and the first paint need not share the machine with it.
        if (m_startFinished)
            m_status->Start(std::move(request));
        else
            m_firstStatusRequest = std::move(request);
    } else {
        // A retrieval for another printer must not report into this one's footer.
        m_status->Cancel();
        m_firstStatusRequest.reset();
    }
    m_footerStatus = status;
    StatusInfo info;
    FillStatusInfo(info, status, facts);
    BuildFooterPage(status, info, files, ContentLanguage(), m_transformer);
    if (m_laterPagesBuilt)
        BuildSolutionsPages(status, files, ContentLanguage(), m_transformer);
}

void AppContext::UpdateStatus(bool written) {
    Trace("updateStatus\n");
    ShowWaitCursor(true);
    const ToolboxConfig& config = *m_printer.Config;
    const StatusPageFiles files =
        StatusPageFilesFor(m_folders, config.Files(), config.ConfigPath());
    BuildFooter(StatusFromReport(written, files.StatusDocument));
    if (m_footerPane)
        m_footerPane->Navigate(FooterPagePath());
    ShowWaitCursor(false);
    if (auto shown = std::exchange(m_statusShown, nullptr))
        shown();
}

void AppContext::RefreshStatus() {
    ShowWaitCursor(true);
    BuildFooter(StatusValue::STATUS_COLLECTING);
    if (m_footerPane)
        m_footerPane->Navigate(FooterPagePath());
    ShowWaitCursor(false);
}

std::string AppContext::TabPagePath(int tab) {
    return m_folders.TabPagePath(*m_printer.Config, m_printer.CurrentTab, tab);
}

std::string AppContext::TabSubPagePath(int page) {
    return m_folders.TabSubPagePath(*m_printer.Config, m_printer.CurrentTab, page);
}

std::string AppContext::ContentLanguage() const {
    return m_printer.Config ? m_printer.Config->Language_L10N() : std::string();
}

bool AppContext::IsFramePage(const std::string& url) const {
    return kaldo::IsFramePage(url, m_allFrames);
}

void AppContext::ShowError(ErrorNumber kind) const {
    if (m_hooks.ShowErrorBox)
        m_hooks.ShowErrorBox(*m_printer.Config, kind);
}

void AppContext::ReturnBodyToPage() {
    if (m_bodyPane)
        m_bodyPane->ReturnToPage();
}

void AppContext::SetUpModelFolders(const ToolboxConfig& config) {
    m_folders = ComputeModelFolders(m_stateFolder, config);
    InstallModelPicture(m_folders, config);
}

void AppContext::FollowContentFolder(const ToolboxConfig& config) {
    if (m_folders.UiFolder == m_followedFolder)
        return;
    m_followedFolder = m_folders.UiFolder;
    m_allFrames.clear();
    config.CollectFrames(m_allFrames);
    m_allWebs.clear();
    config.CollectWebs(m_allWebs);
    // The index, synonyms and language of the search are the folder's.
    m_search.reset();
}

void AppContext::RefreshWebPagesOnce(const ToolboxConfig& config) {
    std::unique_ptr<WebPageRefresh>& refresh = m_webRefreshes[m_folders.UiFolder];
    if (refresh)
        return;
    refresh = std::make_unique<WebPageRefresh>(m_downloads);
    refresh->Start({m_allWebs, m_folders.UiFolder, config.ModelPageUrl()});
}

void AppContext::StartUpdateCheck(const ToolboxConfig& config) {
    if (!config.URL_Updates().empty())
        m_updateChecks.Start({config.DriverName(), config.URL_Updates(), m_folders.XmlFolder});
}

Launchers& AppContext::Launch() {
    return m_launchers->Get();
}

bool AppContext::CheckWeb() const {
    return m_services.CheckWebSite &&
           m_services.CheckWebSite(m_services.HomePage, kInternetCheckLimit);
}

void AppContext::StartInternetCheck() {
    auto up = std::make_shared<bool>(false);
    m_internetCheck =
        std::make_unique<BackgroundJob>([this, up](std::stop_token) { *up = CheckWeb(); },
                                        [this, up] { m_printer.InternetAvailable = *up; });
}

void AppContext::AskUnaskedDevices() {
    if (m_deviceQuestion || !m_printer.Printers || !m_services.Devices)
        return;
    std::vector<std::string> asked = m_printer.Printers->UnaskedDevices();
    if (asked.empty())
        return;
    auto answers = std::make_shared<std::vector<std::optional<DeviceIdentity>>>();
    m_deviceQuestion = std::make_unique<BackgroundJob>(
        [&spooler = m_services.PrintSpooler, limit = m_services.Devices->Limit(), asked,
         answers](std::stop_token abort) {
            std::atomic<bool> stop{false};
            std::stop_callback onAbort(abort, [&stop] { stop = true; });
            *answers = spooler.IdentifyDevices(asked, limit, stop);
        },
        [this, asked, answers] {
            // Ends the job, whose report this is.
            m_deviceQuestion.reset();
            ListAnsweredDevices(asked, *answers);
        });
}

void AppContext::ListAnsweredDevices(const std::vector<std::string>& asked,
                                     const std::vector<std::optional<DeviceIdentity>>& answers) {
    m_services.Devices->Learn(asked, answers);
    // A printer listed by an old answer that is silent now leaves the list as well.
    const std::vector<PrinterEntry> before = m_printer.Printers->Entries();
    m_selector->BuildPrinterList(DeviceQuestions::RecallOnly);
    const std::vector<PrinterEntry>& after = m_printer.Printers->Entries();
    const bool same = std::ranges::equal(before, after, [](const auto& a, const auto& b) {
        return a.PrinterName == b.PrinterName && a.DriverName == b.DriverName;
    });
    // The printer shown stays in the header until the user leaves it.
    const bool shownListed = m_printer.Printers->DriverFor(m_printer.SelectedPrinter) != NoModel;
    if (!same && shownListed && BuildHeaderPage() == ResultCode::Ok && m_headerPane)
        m_headerPane->Navigate(HeaderPagePath());
}

void AppContext::ShowSelectedPrinter() {
    FollowContentFolder(*m_printer.Config);
    // Before the start has finished, the start refreshes the folder that is shown by then.
    if (m_startFinished)
        RefreshWebPagesOnce(*m_printer.Config);
    if (m_headerPane)
        m_headerPane->Navigate(HeaderPagePath());
    RefreshStatus();
    ShowDefaultPage();
    BuildIndexPages();
}

void AppContext::ShowDefaultPage() {
    const std::string page = DefaultPage();
    if (m_bodyPane)
        m_bodyPane->Navigate(page);
}

std::string AppContext::DefaultPage() {
    const ToolboxConfig& config = *m_printer.Config;
    const std::string page = ContentPath(config.DefaultPageFile());
    const StatusPageFiles status =
        StatusPageFilesFor(m_folders, config.Files(), config.ConfigPath());
    const IndexPageFiles index = IndexPageFilesFor(m_folders, config);
    const bool builtLater = page == status.SolutionsPage || page == status.CurrentProblemPage ||
                            page == index.Page || page == index.ContentPage;
    if (builtLater && !m_laterPagesBuilt)
        BuildLaterPages();
    return page;
}

void AppContext::BuildLaterPages() {
    m_laterPagesBuilt = true;
    const ToolboxConfig& config = *m_printer.Config;
    BuildSolutionsPages(m_footerStatus,
                        StatusPageFilesFor(m_folders, config.Files(), config.ConfigPath()),
                        ContentLanguage(), m_transformer);
    BuildIndexPages();
}

void AppContext::CreatePane(std::unique_ptr<Pane>& pane, PanePlace place) {
    if (m_hooks.CreatePane)
        pane = m_hooks.CreatePane(place, *this, m_redirectMode);
}

void AppContext::Fatal(StringId textId) const {
    if (m_hooks.ShowFatalMessage)
        m_hooks.ShowFatalMessage(LoadResourceString(StringId::FatalCaption),
                                 LoadResourceString(textId));
}

void AppContext::ShowWaitCursor(bool waiting) const {
    if (m_hooks.ShowWaitCursor)
        m_hooks.ShowWaitCursor(waiting);
}

} // namespace kaldo
