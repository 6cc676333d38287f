#include "StatusTestSupport.h"
#include "main/content/ContentCatalog.h"
#include "main/content/ContentFolders.h"
#include "main/content/ModelFolders.h"
#include "main/content/ToolboxConfig.h"
#include "main/printers/DeviceIdentification.h"
#include "main/printers/PrinterList.h"
#include "main/status/QueueStatus.h"
#include "main/status/StatusDocumentCheck.h"
#include "main/status/StatusPages.h"
#include "main/status/StatusRetrieval.h"
#include "platform/Paths.h"
#include "platform/spooler/CupsSpooler.h"
#include "tests/support/PrivateCups.h"
#include "tests/support/ReferencePrinter.h"
#include "tests/support/TestFiles.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

namespace kaldo {
namespace {

namespace fs = std::filesystem;
using testsupport::ReadBytes;
using testsupport::ReportLog;
using testsupport::WithoutIndent;

std::optional<std::string> NoService(const std::string&) {
    return std::nullopt;
}

// A printer that takes connections and never answers: it hangs rather than refuses.
class SilentPrinter {
public:
    SilentPrinter() {
        m_fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (m_fd >= 0 && bind(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
            listen(m_fd, 16) == 0 &&
            getsockname(m_fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
            m_port = ntohs(address.sin_port);
    }
    ~SilentPrinter() { close(m_fd); }
    SilentPrinter(const SilentPrinter&) = delete;
    SilentPrinter& operator=(const SilentPrinter&) = delete;

    std::string Uri() const { return "ipp://127.0.0.1:" + std::to_string(m_port) + "/ipp/print"; }

private:
    int m_fd = -1;
    int m_port = 0;
};

// A queue made the way the desktop's printer tools make driverless queues (lpadmin -m
// everywhere, the real ipp backend), on CUPS's reference IPP Everywhere printer posing as a
// model of the sample content. No job is ever sent.
class DriverlessQueueTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_printer = std::make_unique<testsupport::ReferencePrinter>("Kaldo", "Presslane 3020",
                                                                    "Entrance hall");
        s_cups = std::make_unique<testsupport::PrivateCups>(std::vector<std::string>{"ipp"});
        if (!s_printer->Started() || !s_cups->Started())
            return;
        s_ready = s_cups->AddDriverlessQueue("Everywhere", s_printer->Uri()) &&
                  // How other versions of the system name the same queue.
                  s_cups->AddQueueForModel("Elsewhere", s_printer->Uri(),
                                           "Presslane 3020 - IPP Everywhere");
    }
    static void TearDownTestSuite() {
        s_cups.reset();
        s_printer.reset();
    }

    void SetUp() override {
        // A case may have switched the printer off.
        ASSERT_TRUE(s_printer->Start()) << s_printer->Error();
        ASSERT_TRUE(s_cups->Started()) << s_cups->Error();
        ASSERT_TRUE(s_ready) << s_cups->Error();
        ASSERT_TRUE(s_printer->SetSupplies({25, 75}));

        ModelContent content =
            LoadModelContent(testsupport::InstallContentFolder(
                                 std::string(KALDO_CONTENT_DIR) + "/presslane_3000", m_root.Path()),
                             "KP3020", "EN");
        m_catalog = ContentCatalog::FromPieces(m_root.Path() + "/", "EN");
        ASSERT_EQ(content.Merged, ResultCode::Ok);
        ASSERT_TRUE(content.Loaded);
        m_config = std::move(content.Config);
        m_folders = ComputeModelFolders(m_root.Path() + "/", m_config);
        m_files = StatusPageFilesFor(m_folders, m_config.Files(), m_config.ConfigPath());
        fs::create_directories(m_root / "state");
    }

    DeviceIdentificationOptions Remembering(bool write = true) const {
        return {m_root / "state/printer-devices.txt", write};
    }

    // The status worker's document for the queue, the printer's own source left out as for a
    // printer without a status page.
    std::optional<std::string> Retrieve(const std::string& queue, Spooler& spooler) {
        QueueStatusSource source(nullptr, spooler, queue, m_files.Solutions);
        if (!source.Retrieve(m_files.StatusDocument))
            return std::nullopt;
        return ReadBytes(m_files.StatusDocument);
    }

    ResultCode BuildPages(StatusValue status) {
        StatusFacts facts;
        facts.PrinterIsNetworked = true;
        facts.PrinterAddress = "127.0.0.1";
        facts.DisplayToner = m_config.DisplayToner();
        facts.StatusOverUsb = m_config.StatusOverUSB();
        StatusInfo info;
        FillStatusInfo(info, status, facts);
        return BuildFooterPages(status, info, m_files, m_config.Language_L10N(), m_transformer);
    }

    static std::unique_ptr<testsupport::ReferencePrinter> s_printer;
    static std::unique_ptr<testsupport::PrivateCups> s_cups;
    static bool s_ready;

    testsupport::TempFolder m_root;
    CupsSpooler m_spooler{s_cups->Server(), NoService};
    ContentCatalog m_catalog;
    ToolboxConfig m_config;
    ModelFolders m_folders;
    StatusPageFiles m_files;
    PageTransformer m_transformer;
};

std::unique_ptr<testsupport::ReferencePrinter> DriverlessQueueTest::s_printer;
std::unique_ptr<testsupport::PrivateCups> DriverlessQueueTest::s_cups;
bool DriverlessQueueTest::s_ready = false;

TEST_F(DriverlessQueueTest, QueueFindsItsContentByAskingThePrinterWhateverCupsNamedIt) {
    std::map<std::string, std::string> drivers;
    for (const SpoolerPrinter& printer : m_spooler.EnumPrinters())
        drivers[printer.PrinterName] = printer.DriverName;
    EXPECT_EQ(drivers["Everywhere"], "Printer - IPP Everywhere");
    const PrinterList byDriver(m_catalog, m_spooler);
    EXPECT_EQ(byDriver.DriverFor("Everywhere"), NoModel);
    EXPECT_EQ(byDriver.DriverFor("Elsewhere"), NoModel);

    DeviceIdentifier devices(m_spooler, Remembering());
    const PrinterList asked(m_catalog, m_spooler, &devices);
    EXPECT_EQ(asked.DriverFor("Everywhere"), "Kaldo Presslane 3020");
    EXPECT_EQ(asked.DriverFor("Elsewhere"), "Kaldo Presslane 3020");
    std::string folder;
    std::string model;
    ASSERT_TRUE(m_catalog.Lookup(asked.DriverFor("Everywhere"), folder, model));
    EXPECT_EQ(model, "KP3020");
    EXPECT_NE(ReadBytes(m_root / "state/printer-devices.txt").find(s_printer->Uri()),
              std::string::npos);
}

TEST_F(DriverlessQueueTest, RememberedAnswerServesWhileThePrinterIsOffUntilItIsOld) {
    {
        DeviceIdentifier devices(m_spooler, Remembering());
        ASSERT_EQ(PrinterList(m_catalog, m_spooler, &devices).DriverFor("Everywhere"),
                  "Kaldo Presslane 3020");
    }
    const std::string remembered = ReadBytes(m_root / "state/printer-devices.txt");
    s_printer->Stop();

    DeviceIdentifier reader(m_spooler, Remembering(false));
    EXPECT_EQ(PrinterList(m_catalog, m_spooler, &reader, "Everywhere").DriverFor("Everywhere"),
              "Kaldo Presslane 3020");
    const auto later = std::chrono::system_clock::now() + std::chrono::hours(24 * 8);
    DeviceIdentifier aged(m_spooler, Remembering(false), [later] { return later; });
    EXPECT_EQ(PrinterList(m_catalog, m_spooler, &aged).DriverFor("Everywhere"), NoModel);
    EXPECT_EQ(ReadBytes(m_root / "state/printer-devices.txt"), remembered);
}

// Ten printers that hang are asked together: the list waits for the limit once, not ten times.
TEST_F(DriverlessQueueTest, PrintersThatNeverAnswerDoNotAddUp) {
    std::vector<std::unique_ptr<SilentPrinter>> silent;
    for (int i = 0; i < 10; ++i) {
        silent.push_back(std::make_unique<SilentPrinter>());
        ASSERT_TRUE(s_cups->AddQueueForModel("Silent" + std::to_string(i), silent.back()->Uri(),
                                             "Printer - IPP Everywhere"));
    }
    DeviceIdentifier devices(m_spooler, Remembering());
    const auto start = std::chrono::steady_clock::now();
    const PrinterList listed(m_catalog, m_spooler, &devices);
    const auto took = std::chrono::steady_clock::now() - start;
    for (int i = 0; i < 10; ++i)
        ASSERT_TRUE(s_cups->RemoveQueue("Silent" + std::to_string(i)));

    EXPECT_LT(took, std::chrono::seconds(6));
    EXPECT_EQ(listed.DriverFor("Everywhere"), "Kaldo Presslane 3020");
    EXPECT_EQ(listed.DriverFor("Silent0"), NoModel);
}

// A queue on a service that is gone, as the desktop leaves them behind: listing printers does
// not look it up, and a lookup ends at its limit although libcups would take much longer.
TEST_F(DriverlessQueueTest, GoneServiceHoldsUpNeitherTheListNorALookupPastItsLimit) {
    const std::string gone =
        "dnssd://Gone%20Printer._ipp._tcp.local/?uuid=e3248000-80ce-11db-8000-300000000001";
    ASSERT_TRUE(s_cups->AddQueueForModel("Gone", gone, "Printer - IPP Everywhere"));
    CupsSpooler spooler(s_cups->Server());
    DeviceIdentifier devices(spooler, Remembering());
    auto start = std::chrono::steady_clock::now();
    const PrinterList listed(m_catalog, spooler, &devices, {}, DeviceQuestions::RecallOnly);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    EXPECT_TRUE(listed.IsUnasked("Gone"));
    EXPECT_EQ(std::ranges::count(listed.UnaskedDevices(), gone), 1);

    start = std::chrono::steady_clock::now();
    EXPECT_EQ(ResolveDnssdUri(gone), std::nullopt);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(4));
    ASSERT_TRUE(s_cups->RemoveQueue("Gone"));
}

// The program's query, as printer drivers run it: it asks only the printer it is asked about,
// reads what the window remembered, and writes nothing.
TEST_F(DriverlessQueueTest, QueryAnswersFromThePrinterOrWhatTheWindowRemembered) {
    const std::string program = m_root / "ktendwell";
    fs::copy_file(KTENDWELL_PROGRAM, program);
    const std::string cache = m_root / "cache";
    const std::vector<std::string> user{"HOME=" + m_root / "home", "XDG_CACHE_HOME=" + cache};
    EXPECT_EQ(s_cups->Run({program, "/t", "Everywhere"}, user), 1);
    EXPECT_FALSE(fs::exists(cache));

    fs::create_directories(cache + "/kaldo/Tendwell");
    {
        DeviceIdentifier window(m_spooler, {cache + "/kaldo/Tendwell/printer-devices.txt"});
        ASSERT_EQ(PrinterList(m_catalog, m_spooler, &window).DriverFor("Elsewhere"),
                  "Kaldo Presslane 3020");
    }
    s_printer->Stop();
    EXPECT_EQ(s_cups->Run({program, "/t", "Everywhere"}, user), 1);
    fs::remove_all(cache);
    EXPECT_EQ(s_cups->Run({program, "/t", "Everywhere"}, user), 0);

    SilentPrinter hung;
    ASSERT_TRUE(s_cups->AddQueueForModel("Hung", hung.Uri(), "Printer - IPP Everywhere"));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(s_cups->Run({program, "/t", "Hung"}, user), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(6));
    ASSERT_TRUE(s_cups->RemoveQueue("Hung"));
}

TEST_F(DriverlessQueueTest, LiveLevelsAndStateComeFromThePrinterWithoutAnyJob) {
    const std::optional<QueueState> queue = m_spooler.GetQueueState("Everywhere");
    ASSERT_TRUE(queue);
    EXPECT_TRUE(queue->Markers.empty()) << "the queue learns levels only while a job runs";

    const std::optional<std::string> document = Retrieve("Everywhere", m_spooler);
    ASSERT_TRUE(document);
    EXPECT_TRUE(IsQueueStatusDocument(m_files.StatusDocument));
    EXPECT_NE(document->find("<source>printer</source>"), std::string::npos) << *document;
    EXPECT_NE(document->find("<state>idle</state>"), std::string::npos);
    EXPECT_NE(WithoutIndent(*document).find("<name>Black Toner</name><type>toner</type>"
                                            "<color>#000000</color><level>75</level>"),
              std::string::npos)
        << *document;
    EXPECT_NE(document->find("<type>waste-toner</type>"), std::string::npos);

    // Without a status page of its own, the footer says what the printer calls itself.
    ASSERT_EQ(BuildPages(StatusFromReport(true, m_files.StatusDocument)), ResultCode::Ok);
    const std::string footer = WithoutIndent(ReadBytes(m_files.StatusPage));
    EXPECT_NE(footer.find("<td title=\"Kaldo Presslane 3020\">Kaldo Presslane 3020</td>"),
              std::string::npos)
        << footer;
    EXPECT_NE(footer.find("<td title=\"Entrance hall\">Entrance hall</td>"), std::string::npos);
}

TEST_F(DriverlessQueueTest, LevelChangeIsFollowedOnRefresh) {
    ReportLog reports;
    StatusRetrieval retrieval(
        [&](int generation, bool written) { reports.Add(generation, written); },
        QueueStatusSources(m_spooler), std::chrono::milliseconds(0));
    StatusRequest request;
    request.AskPrinter = false;
    request.Destination = m_files.StatusDocument;
    request.QueueName = "Everywhere";
    request.ReasonTable = m_files.Solutions;

    ASSERT_TRUE(reports.WaitFor(retrieval.Start(request)));
    EXPECT_NE(ReadBytes(m_files.StatusDocument).find("<level>75</level>"), std::string::npos);
    ASSERT_TRUE(s_printer->SetSupplies({25, 40}));
    ASSERT_TRUE(reports.WaitFor(retrieval.Start(request)));
    const std::string refreshed = ReadBytes(m_files.StatusDocument);
    EXPECT_NE(refreshed.find("<level>40</level>"), std::string::npos) << refreshed;
    EXPECT_EQ(refreshed.find("<level>75</level>"), std::string::npos);
}

TEST_F(DriverlessQueueTest, TonerLowReportShowsAsTonerLowInTheFooterAndCurrentProblem) {
    ASSERT_TRUE(s_printer->SetSupplies({25, 5}));
    const std::optional<std::string> document = Retrieve("Everywhere", m_spooler);
    ASSERT_TRUE(document);
    EXPECT_NE(WithoutIndent(*document).find(
                  "<keyword>toner-low-report</keyword><severity>report</severity>"
                  "<code>tonerLow</code><text>toner low</text>"),
              std::string::npos)
        << *document;

    ASSERT_EQ(BuildPages(StatusFromReport(true, m_files.StatusDocument)), ResultCode::Ok);
    const std::string footer = ReadBytes(m_files.StatusPage);
    EXPECT_NE(footer.find("Ready \xE2\x80\x93 toner low"), std::string::npos) << footer;
    EXPECT_NE(footer.find("status-text warning"), std::string::npos);
    EXPECT_NE(footer.find("style=\"width:5%\""), std::string::npos);
    EXPECT_NE(footer.find("Status from the printer itself"), std::string::npos);
    const std::string current = ReadBytes(m_files.CurrentProblemPage);
    EXPECT_NE(current.find("<h2>Toner low</h2>"), std::string::npos) << current;
}

TEST_F(DriverlessQueueTest, PrinterThatStopsAnsweringFallsBackToTheQueueThenUnavailable) {
    s_printer->Stop();
    const std::optional<std::string> queue = Retrieve("Everywhere", m_spooler);
    ASSERT_TRUE(queue);
    EXPECT_NE(queue->find("<source>queue</source>"), std::string::npos) << *queue;

    CupsSpooler gone(m_root / "no-cups.sock", NoService);
    EXPECT_FALSE(Retrieve("Everywhere", gone));
    EXPECT_EQ(StatusFromReport(false, m_files.StatusDocument), StatusValue::STATUS_UNAVAILABLE);
    ASSERT_EQ(BuildPages(StatusValue::STATUS_UNAVAILABLE), ResultCode::Ok);
    EXPECT_NE(ReadBytes(m_files.StatusPage).find("Status Unavailable"), std::string::npos);
}

} // namespace
} // namespace kaldo
