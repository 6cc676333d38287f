#include "main/status/StatusPages.h"
#include "StatusTestSupport.h"
#include "main/content/ContentFolders.h"
#include "main/content/ModelFolders.h"
#include "main/content/ToolboxConfig.h"
#include "main/pages/ResultCodes.h"
#include "main/status/QueueStatus.h"
#include "main/status/StatusDocumentCheck.h"
#include "platform/Paths.h"
#include "simulator/StatusDocument.h"
#include "tests/support/ChildProcess.h"

#include <filesystem>

namespace kaldo {
namespace {

namespace fs = std::filesystem;
using testsupport::ReadBytes;
using testsupport::WriteBytes;

constexpr char kUnchanged[] = "<html>the page as it was</html>";

// The sample content installed in a program folder of its own, as the program sees it.
class StatusPagesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(m_root.Path().empty());
        ModelContent content =
            LoadModelContent(testsupport::InstallContentFolder(
                                 std::string(KALDO_CONTENT_DIR) + "/presslane_3000", m_root.Path()),
                             "KP3020", "EN");
        ASSERT_EQ(content.Merged, ResultCode::Ok);
        ASSERT_TRUE(content.Loaded);
        m_config = std::move(content.Config);
        m_folders = ComputeModelFolders(m_root.Path() + "/", m_config);
        m_files = StatusPageFilesFor(m_folders, m_config.Files(), m_config.ConfigPath());

        StatusFacts facts;
        facts.PrinterIsNetworked = true;
        facts.PrinterAddress = "192.168.1.40";
        facts.DisplayToner = m_config.DisplayToner();
        facts.StatusOverUsb = m_config.StatusOverUSB();
        m_facts = facts;
    }

    ResultCode Build(StatusValue status) {
        StatusInfo info;
        FillStatusInfo(info, status, m_facts);
        return BuildFooterPages(status, info, m_files, m_config.Language_L10N(), m_transformer);
    }

    void StoreStatus(simulator::StatusDocumentKind kind,
                     std::vector<simulator::PrinterAlert> alerts = {}) {
        simulator::PrinterState state;
        state.Document = kind;
        state.Alerts = std::move(alerts);
        WriteBytes(m_files.StatusDocument, simulator::BuildStatusDocument(state));
    }

    void MarkPages() {
        for (const std::string* page :
             {&m_files.StatusPage, &m_files.SolutionsPage, &m_files.CurrentProblemPage})
            WriteBytes(*page, kUnchanged);
    }

    kaldo::testsupport::TempFolder m_root;
    ToolboxConfig m_config;
    ModelFolders m_folders;
    StatusPageFiles m_files;
    StatusFacts m_facts;
    PageTransformer m_transformer;
};

TEST_F(StatusPagesTest, FilesAreTheConfiguredNamesInTheModelFolders) {
    EXPECT_EQ(m_files.StatusDocument, m_folders.XmlFolder + "/devicestatus.xml");
    EXPECT_EQ(m_files.FooterDocument, m_folders.XmlFolder + "/footer.xml");
    EXPECT_EQ(m_files.StatusStylesheet, m_folders.XmlFolder + "/status.xsl");
    EXPECT_EQ(m_files.StatusPage, m_folders.UiFolder + "/status.html");
    EXPECT_EQ(m_files.Solutions, m_folders.XmlFolder + "/solutions.xml");
    EXPECT_EQ(m_files.SolutionsDocument, m_folders.XmlFolder + "/solutions_combined.xml");
    EXPECT_EQ(m_files.SolutionsStylesheet, m_folders.XmlFolder + "/solutions.xsl");
    EXPECT_EQ(m_files.CurrentStylesheet, m_folders.XmlFolder + "/current_problem.xsl");
    EXPECT_EQ(m_files.SolutionsPage, m_folders.UiFolder + "/solutions.html");
    EXPECT_EQ(m_files.CurrentProblemPage, m_folders.UiFolder + "/current_problem.html");
    EXPECT_EQ(m_files.Config, m_config.ConfigPath());
    EXPECT_EQ(m_files.ImagesFolder, m_folders.UiFolder + "/images");
}

TEST_F(StatusPagesTest, CollectingStatusBuildsEveryPageWithoutPrinterData) {
    StoreStatus(simulator::StatusDocumentKind::Normal);
    ASSERT_EQ(Build(StatusValue::STATUS_COLLECTING), ResultCode::Ok);
    EXPECT_NE(ReadBytes(m_files.StatusPage).find("Collecting Status"), std::string::npos);
    EXPECT_EQ(ReadBytes(m_files.FooterDocument).find("<devicexml>"), std::string::npos);
    EXPECT_EQ(ReadBytes(m_files.SolutionsDocument).find("<printer_xml>"), std::string::npos);
    EXPECT_FALSE(ReadBytes(m_files.SolutionsPage).empty());
    EXPECT_FALSE(ReadBytes(m_files.CurrentProblemPage).empty());
}

TEST_F(StatusPagesTest, AvailableStatusShowsThePrinterAndItsCurrentProblem) {
    StoreStatus(simulator::StatusDocumentKind::Normal, {simulator::PrinterAlert::PaperJam});
    ASSERT_TRUE(CheckStatusDocument(m_files.StatusDocument));
    ASSERT_EQ(Build(StatusValue::STATUS_AVAILABLE), ResultCode::Ok);
    EXPECT_NE(ReadBytes(m_files.FooterDocument).find("</Web><devicexml>"), std::string::npos);
    EXPECT_NE(ReadBytes(m_files.SolutionsDocument).find("<printer_xml><devicexml>"),
              std::string::npos);
    EXPECT_NE(ReadBytes(m_files.StatusPage).find("Paper jam in tray 1"), std::string::npos);
    EXPECT_NE(ReadBytes(m_files.CurrentProblemPage).find("Paper jam"), std::string::npos);
}

// A printer without a status page of its own: the spooler's view of its queue.
TEST_F(StatusPagesTest, QueueStatusShowsTonerLevelsStateMessageAndTheSolutionOfItsReason) {
    QueueState state;
    state.State = "stopped";
    state.Message = "Paper jam in the rear tray";
    state.Reasons = {"media-jam-error", "cups-waiting-for-job-completed"};
    state.Markers = {{"Black Toner", "toner", "#000000", 37},
                     {"Cyan Toner", "toner", "#00FFFF", 6}};
    ASSERT_TRUE(WriteQueueStatusDocument(m_files.StatusDocument, "Studio", state,
                                         ReadStateReasonTable(m_files.Solutions)));
    ASSERT_EQ(StatusFromReport(true, m_files.StatusDocument), StatusValue::STATUS_AVAILABLE);
    ASSERT_EQ(Build(StatusValue::STATUS_AVAILABLE), ResultCode::Ok);

    EXPECT_NE(ReadBytes(m_files.FooterDocument).find("</Web><queueStatus>"), std::string::npos);
    const std::string footer = ReadBytes(m_files.StatusPage);
    EXPECT_NE(footer.find("width:37%"), std::string::npos) << footer;
    EXPECT_NE(footer.find("<i class=\"cyan\" style=\"width:6%\">"), std::string::npos) << footer;
    // The content's words for the most severe reason follow the state; the printer's own
    // message stays at hand.
    EXPECT_NE(footer.find(">Stopped \xE2\x80\x93 paper jam<"), std::string::npos) << footer;
    EXPECT_NE(footer.find("title=\"Paper jam in the rear tray\""), std::string::npos);
    EXPECT_NE(footer.find("status-text error"), std::string::npos);
    EXPECT_EQ(footer.find("Status Unavailable"), std::string::npos);

    const std::string current = ReadBytes(m_files.CurrentProblemPage);
    EXPECT_NE(current.find("The printer needs your attention"), std::string::npos) << current;
    EXPECT_NE(current.find("<h2>Paper jam</h2>"), std::string::npos) << current;
    EXPECT_NE(current.find("clear_paper_jam.webm"), std::string::npos);
    // The solutions page puts the solution that answers the reason first.
    const std::string solutions = ReadBytes(m_files.SolutionsPage);
    EXPECT_LT(solutions.find("Paper jam"), solutions.find("Paper tray empty"));
}

TEST_F(StatusPagesTest, QueueWithoutReasonsTheContentKnowsIsReady) {
    QueueState state;
    state.State = "idle";
    state.Reasons = {"cups-insecure-filter-warning"};
    ASSERT_TRUE(WriteQueueStatusDocument(m_files.StatusDocument, "Studio", state,
                                         ReadStateReasonTable(m_files.Solutions)));
    ASSERT_EQ(Build(StatusValue::STATUS_AVAILABLE), ResultCode::Ok);
    const std::string footer = ReadBytes(m_files.StatusPage);
    EXPECT_NE(footer.find("status-text ready"), std::string::npos) << footer;
    EXPECT_NE(footer.find("no supply levels"), std::string::npos);
    EXPECT_NE(ReadBytes(m_files.CurrentProblemPage).find("No problems reported"),
              std::string::npos);
}

TEST_F(StatusPagesTest, PrinterTextNeverBecomesMarkupInAnyPage) {
    StoreStatus(simulator::StatusDocumentKind::Script, {simulator::PrinterAlert::PaperJam});
    ASSERT_TRUE(CheckStatusDocument(m_files.StatusDocument));
    ASSERT_EQ(Build(StatusValue::STATUS_AVAILABLE), ResultCode::Ok);
    for (const std::string* page :
         {&m_files.StatusPage, &m_files.SolutionsPage, &m_files.CurrentProblemPage}) {
        const std::string html = ReadBytes(*page);
        ASSERT_FALSE(html.empty()) << *page;
        EXPECT_EQ(html.find("<script>alert('kaldosim')"), std::string::npos) << *page;
        EXPECT_EQ(html.find("<b>unescaped"), std::string::npos) << *page;
    }
    EXPECT_NE(ReadBytes(m_files.StatusPage).find("&lt;script&gt;"), std::string::npos);
}

TEST_F(StatusPagesTest, AnExternalEntityIsNeverReadIntoThePages) {
    StoreStatus(simulator::StatusDocumentKind::ExternalEntity);
    ASSERT_EQ(Build(StatusValue::STATUS_AVAILABLE), ResultCode::Ok);
    for (const std::string* page :
         {&m_files.FooterDocument, &m_files.SolutionsDocument, &m_files.StatusPage,
          &m_files.SolutionsPage, &m_files.CurrentProblemPage})
        EXPECT_EQ(ReadBytes(*page).find("root:"), std::string::npos) << *page;
}

TEST_F(StatusPagesTest, FailingFooterDocumentLeavesEveryPageAsItWas) {
    MarkPages();
    m_files.Config = m_root / "missing.xml";
    EXPECT_EQ(Build(StatusValue::STATUS_COLLECTING), ResultCode::ParseInput);
    for (const std::string* page :
         {&m_files.StatusPage, &m_files.SolutionsPage, &m_files.CurrentProblemPage})
        EXPECT_EQ(ReadBytes(*page), kUnchanged) << *page;
}

TEST_F(StatusPagesTest, FullDiskLeavesEveryPageAsItWasAndNoTemporaryFile) {
    ASSERT_EQ(Build(StatusValue::STATUS_COLLECTING), ResultCode::Ok);
    const std::vector<const std::string*> files = {
        &m_files.FooterDocument, &m_files.SolutionsDocument, &m_files.StatusPage,
        &m_files.SolutionsPage, &m_files.CurrentProblemPage};
    std::vector<std::string> before;
    for (const std::string* file : files)
        before.push_back(ReadBytes(*file));
    const auto uiFolder = testsupport::FolderNames(m_folders.UiFolder);
    const auto xmlFolder = testsupport::FolderNames(m_folders.XmlFolder);

    EXPECT_TRUE(testsupport::RunWithFileSizeLimit(512, [&] {
                    Build(StatusValue::STATUS_UNAVAILABLE);
                    BuildSolutionsPages(StatusValue::STATUS_UNAVAILABLE, m_files, "EN",
                                        m_transformer);
                    return 0;
                }).has_value());

    for (size_t i = 0; i < files.size(); ++i)
        EXPECT_EQ(ReadBytes(*files[i]), before[i]) << *files[i];
    EXPECT_EQ(testsupport::FolderNames(m_folders.UiFolder), uiFolder);
    EXPECT_EQ(testsupport::FolderNames(m_folders.XmlFolder), xmlFolder);
}

TEST_F(StatusPagesTest, FailingFooterPageStillRebuildsTheSolutionPages) {
    MarkPages();
    m_files.StatusStylesheet = m_root / "missing.xsl";
    EXPECT_EQ(Build(StatusValue::STATUS_COLLECTING), ResultCode::Ok);
    EXPECT_EQ(ReadBytes(m_files.StatusPage), kUnchanged);
    EXPECT_NE(ReadBytes(m_files.SolutionsPage), kUnchanged);
    EXPECT_NE(ReadBytes(m_files.CurrentProblemPage), kUnchanged);
}

TEST_F(StatusPagesTest, FailingSolutionsDocumentLeavesTheSolutionPagesAsTheyWere) {
    MarkPages();
    m_files.Solutions = m_root / "missing.xml";
    EXPECT_EQ(BuildSolutionsPages(StatusValue::STATUS_COLLECTING, m_files, "EN", m_transformer),
              ResultCode::ParseInput);
    EXPECT_EQ(ReadBytes(m_files.SolutionsPage), kUnchanged);
    EXPECT_EQ(ReadBytes(m_files.CurrentProblemPage), kUnchanged);
}

TEST_F(StatusPagesTest, FailingSolutionsPageLeavesTheCurrentProblemPageAsItWas) {
    MarkPages();
    m_files.SolutionsStylesheet = m_root / "missing.xsl";
    EXPECT_EQ(BuildSolutionsPages(StatusValue::STATUS_COLLECTING, m_files, "EN", m_transformer),
              ResultCode::TransformParseXsl);
    EXPECT_EQ(ReadBytes(m_files.SolutionsPage), kUnchanged);
    EXPECT_EQ(ReadBytes(m_files.CurrentProblemPage), kUnchanged);
}

} // namespace
} // namespace kaldo
