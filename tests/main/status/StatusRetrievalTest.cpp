#include "main/status/StatusRetrieval.h"
#include "StatusTestSupport.h"
#include "main/status/NetworkStatusSource.h"
#include "main/status/QueueStatus.h"
#include "main/status/StatusDocumentCheck.h"
#include "main/status/StatusInfo.h"
#include "main/status/UsbStatusSource.h"
#include "simulator/Simulator.h"
#include "tests/ktwnutil/FakeUsbPrinter.h"
#include "tests/main/net/TestWebServer.h"
#include "tests/support/FakeSpooler.h"
#include "tests/support/TestFiles.h"

#include <filesystem>

namespace kaldo {
namespace {

namespace fs = std::filesystem;
using kaldo::testsupport::ClosedPort;
using kaldo::testsupport::FolderEntries;
using kaldo::testsupport::Gate;
using testsupport::Count;
using testsupport::ReadBytes;
using testsupport::ReportLog;
using testsupport::WithoutIndent;
using testsupport::WriteBytes;

constexpr std::chrono::milliseconds kNoDelay{0};
constexpr char kStatusPage[] = "status/devicestatus.xml?language=";

// A printer simulator in this process.
class SimulatedPrinters {
public:
    explicit SimulatedPrinters(std::vector<simulator::PrinterState> printers) {
        simulator::SimulatorOptions options;
        for (auto& state : printers)
            options.Printers.push_back({{"127.0.0.1", 0}, std::move(state)});
        options.Control = simulator::ListenAddress{"127.0.0.1", 0};
        options.LogRequests = false;
        std::string error;
        m_started = m_simulator.Start(options, error);
        EXPECT_TRUE(m_started) << error;
    }

    bool Started() const { return m_started; }

    std::string WebUrl(size_t printer) const {
        const auto address = m_simulator.PrinterAddresses().at(printer);
        return "http://" + address.Host + ":" + std::to_string(address.Port) + "/";
    }

    std::string Requests() const {
        httplib::Client control(m_simulator.ControlAddress()->Host,
                                m_simulator.ControlAddress()->Port);
        auto result = control.Get("/requests");
        return result ? result->body : std::string();
    }

private:
    simulator::Simulator m_simulator;
    bool m_started = false;
};

class StatusRetrievalTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(m_folder.Path().empty());
        fs::create_directories(m_xml);
        fs::create_directories(m_images);
    }

    StatusRequest NetworkRequest(const std::string& webUrl) const {
        return {.Source = StatusUrl(webUrl, kStatusPage, "EN"),
                .Destination = m_destination,
                .PrinterWebUrl = webUrl,
                .ImagesFolder = m_images};
    }

    // One retrieval from the simulator's first printer, to its end: what it reported.
    std::optional<bool> RetrieveOnce(const SimulatedPrinters& printers) {
        ReportLog reports;
        {
            StatusRetrieval retrieval(
                [&](int generation, bool written) { reports.Add(generation, written); },
                MakeStatusSource, kNoDelay);
            if (!reports.WaitFor(retrieval.Start(NetworkRequest(printers.WebUrl(0)))))
                return std::nullopt;
        }
        const auto entries = reports.Entries();
        return entries.size() == 1 ? std::optional<bool>(entries[0].Written) : std::nullopt;
    }

    StatusRetrieval::Report Reporter() {
        return [this](int generation, bool written) {
            m_reports.Add(generation, written);
        };
    }

    kaldo::testsupport::TempFolder m_folder;
    const std::string m_xml = m_folder / "xml";
    const std::string m_images = m_folder / "ui/images";
    const std::string m_destination = m_xml + "/devicestatus.xml";
    ReportLog m_reports;
};

TEST(StatusRequestTest, StatusUrlJoinsAddressStatusPageAndLanguage) {
    EXPECT_EQ(StatusUrl("http://10.0.0.5/", kStatusPage, "EN"),
              "http://10.0.0.5/status/devicestatus.xml?language=EN");
}

TEST(StatusRequestTest, UsbRequestTextNamesTheLanguage) {
    EXPECT_EQ(UsbStatusRequestText("EN"),
              "<deviceXML/><deviceConfiguration/><deviceStatus/><lang status=\"EN\"/>");
}

TEST_F(StatusRetrievalTest, NetworkRetrievalStoresTheDocumentAndFetchesTheIcon) {
    SimulatedPrinters printers({simulator::PrinterState{}});
    ASSERT_TRUE(printers.Started());
    {
        StatusRetrieval retrieval(Reporter(), MakeStatusSource, kNoDelay);
        const int generation = retrieval.Start(NetworkRequest(printers.WebUrl(0)));
        ASSERT_TRUE(m_reports.WaitFor(generation));
        EXPECT_TRUE(retrieval.IsCurrent(generation));
    }
    ASSERT_EQ(m_reports.Entries().size(), 1u);
    EXPECT_TRUE(m_reports.Entries()[0].Written);
    EXPECT_TRUE(CheckStatusDocument(m_destination));
    EXPECT_EQ(StatusFromReport(true, m_destination), StatusValue::STATUS_AVAILABLE);
    EXPECT_TRUE(fs::exists(m_images + "/images/status/ready.png"));
    EXPECT_EQ(FolderEntries(m_xml), std::vector<std::string>{"devicestatus.xml"});

    const std::string requests = printers.Requests();
    EXPECT_EQ(Count(requests, " /status/devicestatus.xml?language=EN 200"), 1u) << requests;
    EXPECT_EQ(Count(requests, " /images/status/ready.png 200"), 1u) << requests;
}

TEST_F(StatusRetrievalTest, IconIsFetchedOnlyOnce) {
    SimulatedPrinters printers({simulator::PrinterState{}});
    ASSERT_TRUE(printers.Started());
    StatusRetrieval retrieval(Reporter(), MakeStatusSource, kNoDelay);
    ASSERT_TRUE(m_reports.WaitFor(retrieval.Start(NetworkRequest(printers.WebUrl(0)))));
    ASSERT_TRUE(m_reports.WaitFor(retrieval.Start(NetworkRequest(printers.WebUrl(0)))));
    const std::string requests = printers.Requests();
    EXPECT_EQ(Count(requests, "/status/devicestatus.xml?language=EN"), 2u) << requests;
    EXPECT_EQ(Count(requests, "/images/status/ready.png"), 1u) << requests;
}

TEST_F(StatusRetrievalTest, HttpErrorAnswerOrOversizedDocumentIsAFailedRetrieval) {
    simulator::PrinterState failing;
    failing.HttpError = 500;
    simulator::PrinterState oversized;
    oversized.Document = simulator::StatusDocumentKind::Oversized;
    oversized.OversizeBytes = kStatusDocumentLimit + 1;
    for (const auto& state : {failing, oversized}) {
        WriteBytes(m_destination, "earlier document");
        SimulatedPrinters printers({state});
        ASSERT_TRUE(printers.Started());
        const std::optional<bool> written = RetrieveOnce(printers);
        ASSERT_TRUE(written);
        EXPECT_FALSE(*written);
        EXPECT_TRUE(FolderEntries(m_xml).empty());
        EXPECT_EQ(Count(printers.Requests(), "/images/"), 0u);
    }
}

TEST(NetworkStatusSourceTest, DocumentAndIconHaveSizeLimits) {
    kaldo::testsupport::TestWebServer server;
    for (const auto& [path, bytes] : {std::pair{"/status-fits", kStatusDocumentLimit},
                                      std::pair{"/status-over", kStatusDocumentLimit + 1},
                                      std::pair{"/icon-fits", kStatusIconLimit},
                                      std::pair{"/icon-over", kStatusIconLimit + 1}}) {
        const std::string body(bytes, 'x');
        server.Routes().Get(path, [body](const httplib::Request&, httplib::Response& response) {
            response.set_content(body, "application/octet-stream");
        });
    }
    ASSERT_TRUE(server.Start());
    kaldo::testsupport::TempFolder folder;
    const std::string file = folder / "answer";
    EXPECT_TRUE(NetworkStatusSource(server.Url("/status-fits")).Retrieve(file));
    EXPECT_FALSE(NetworkStatusSource(server.Url("/status-over")).Retrieve(file));
    NetworkStatusSource source(server.Url("/status-fits"));
    EXPECT_TRUE(source.Fetch(file, server.Url("/icon-fits")));
    EXPECT_FALSE(source.Fetch(file, server.Url("/icon-over")));
    EXPECT_FALSE(fs::exists(file));
}

TEST_F(StatusRetrievalTest, BrokenDocumentsAreStoredButGiveNoStatus) {
    for (const auto kind :
         {simulator::StatusDocumentKind::Malformed, simulator::StatusDocumentKind::BillionLaughs}) {
        simulator::PrinterState state;
        state.Document = kind;
        SimulatedPrinters printers({state});
        ASSERT_TRUE(printers.Started());
        const std::optional<bool> written = RetrieveOnce(printers);
        ASSERT_TRUE(written);
        EXPECT_TRUE(*written);
        EXPECT_EQ(StatusFromReport(true, m_destination), StatusValue::STATUS_UNAVAILABLE);
        EXPECT_EQ(Count(printers.Requests(), "/images/"), 0u);
    }
}

TEST_F(StatusRetrievalTest, ReportOfAnEarlierRetrievalIsNoLongerCurrentOnceAnotherStarts) {
    SimulatedPrinters printers({simulator::PrinterState{}});
    ASSERT_TRUE(printers.Started());
    StatusRetrieval retrieval(Reporter(), MakeStatusSource, kNoDelay);
    const int first = retrieval.Start(NetworkRequest(printers.WebUrl(0)));
    ASSERT_TRUE(m_reports.WaitFor(first));
    // The report may still be on its way to the main thread, which must then drop it.
    const int second = retrieval.Start(NetworkRequest(printers.WebUrl(0)));
    EXPECT_FALSE(retrieval.IsCurrent(first));
    EXPECT_TRUE(retrieval.IsCurrent(second));
    retrieval.Cancel();
    EXPECT_FALSE(retrieval.IsCurrent(second));
}

TEST_F(StatusRetrievalTest, UnreachablePrinterReportsNothingWrittenAndLeavesNoDocument) {
    const int port = ClosedPort();
    ASSERT_GT(port, 0);
    WriteBytes(m_destination, "an old document");
    {
        StatusRetrieval retrieval(Reporter(), MakeStatusSource, kNoDelay);
        ASSERT_TRUE(m_reports.WaitFor(
            retrieval.Start(NetworkRequest("http://127.0.0.1:" + std::to_string(port) + "/"))));
    }
    ASSERT_EQ(m_reports.Entries().size(), 1u);
    EXPECT_FALSE(m_reports.Entries()[0].Written);
    EXPECT_FALSE(fs::exists(m_destination));
    EXPECT_TRUE(FolderEntries(m_xml).empty());
    EXPECT_EQ(StatusFromReport(false, m_destination), StatusValue::STATUS_UNAVAILABLE);
}

TEST_F(StatusRetrievalTest, IconPathClimbingOutOfTheImagesFolderIsNeverFetched) {
    simulator::PrinterState state;
    state.Document = simulator::StatusDocumentKind::IconTraversal;
    SimulatedPrinters printers({state});
    ASSERT_TRUE(printers.Started());
    {
        StatusRetrieval retrieval(Reporter(), MakeStatusSource, kNoDelay);
        ASSERT_TRUE(m_reports.WaitFor(retrieval.Start(NetworkRequest(printers.WebUrl(0)))));
    }
    EXPECT_TRUE(m_reports.Entries().at(0).Written);
    EXPECT_EQ(Count(printers.Requests(), "kaldosim-escaped"), 0u);
    EXPECT_TRUE(FolderEntries(m_images).empty());
}

TEST_F(StatusRetrievalTest, CancelEndsASlowFetchPromptlyWithoutReportOrDocument) {
    // Far longer than the test may run: only an abort lets the worker end.
    simulator::PrinterState state;
    state.DelayMs = 30 * 60 * 1000;
    SimulatedPrinters printers({state});
    ASSERT_TRUE(printers.Started());
    WriteBytes(m_destination, "the previous document");
    {
        StatusRetrieval retrieval(Reporter(), MakeStatusSource, kNoDelay);
        const int generation = retrieval.Start(NetworkRequest(printers.WebUrl(0)));
        retrieval.Cancel();
        EXPECT_FALSE(retrieval.IsCurrent(generation));
    }
    EXPECT_TRUE(m_reports.Entries().empty());
    EXPECT_EQ(ReadBytes(m_destination), "the previous document");
    EXPECT_EQ(FolderEntries(m_xml), std::vector<std::string>{"devicestatus.xml"});
}

TEST_F(StatusRetrievalTest, DestroyingTheRetrievalEndsItsWorker) {
    simulator::PrinterState state;
    state.DelayMs = 30 * 60 * 1000;
    SimulatedPrinters printers({state});
    ASSERT_TRUE(printers.Started());
    {
        StatusRetrieval retrieval(Reporter(), MakeStatusSource);
        retrieval.Start(NetworkRequest(printers.WebUrl(0)));
    }
    EXPECT_TRUE(m_reports.Entries().empty());
    EXPECT_FALSE(fs::exists(m_destination));
}

TEST_F(StatusRetrievalTest, MissingDestinationFolderReportsNothingWritten) {
    SimulatedPrinters printers({simulator::PrinterState{}});
    ASSERT_TRUE(printers.Started());
    StatusRequest request = NetworkRequest(printers.WebUrl(0));
    request.Destination = m_folder / "no/such/folder/devicestatus.xml";
    StatusRetrieval retrieval(Reporter(), MakeStatusSource, kNoDelay);
    ASSERT_TRUE(m_reports.WaitFor(retrieval.Start(request)));
    EXPECT_FALSE(m_reports.Entries().at(0).Written);
}

// --- retrievals that overlap, with sources the test controls --------------------------------

// Writes its request's source text as the document once its gate opens; deaf to aborts, like
// a transfer that had already ended when the abort came.
class GatedSource final : public StatusSource {
public:
    GatedSource(std::string body, Gate* gate)
        : m_body(std::move(body))
        , m_gate(gate) {}
    bool Retrieve(const std::string& file) override {
        if (m_gate)
            m_gate->Wait();
        WriteBytes(file, m_body);
        return true;
    }
    bool Fetch(const std::string&, const std::string&) override { return false; }
    void Abort() override {}

private:
    std::string m_body;
    Gate* m_gate;
};

TEST_F(StatusRetrievalTest, OnlyTheNewestRetrievalWritesTheDocumentAndReports) {
    Gate firstGate;
    StatusSourceFactory sources = [&](const StatusRequest& request) {
        return std::make_unique<GatedSource>(request.Source,
                                             request.Source == "first" ? &firstGate : nullptr);
    };
    StatusRequest request;
    request.Destination = m_destination;
    int second = 0;
    {
        StatusRetrieval retrieval(Reporter(), sources, kNoDelay);
        request.Source = "first";
        const int first = retrieval.Start(request);
        request.Source = "second";
        second = retrieval.Start(request);
        EXPECT_FALSE(retrieval.IsCurrent(first));
        ASSERT_TRUE(m_reports.WaitFor(second));
        // The first retrieval ends only now, long after the second one took over.
        firstGate.Open();
    }
    ASSERT_EQ(m_reports.Entries().size(), 1u);
    EXPECT_EQ(m_reports.Entries()[0].Generation, second);
    EXPECT_TRUE(m_reports.Entries()[0].Written);
    EXPECT_EQ(ReadBytes(m_destination), "second");
    EXPECT_EQ(FolderEntries(m_xml), std::vector<std::string>{"devicestatus.xml"});
}

TEST_F(StatusRetrievalTest, CancelledRetrievalThatEndsLateNeitherWritesNorReports) {
    Gate gate;
    StatusSourceFactory sources = [&](const StatusRequest& request) {
        return std::make_unique<GatedSource>(request.Source, &gate);
    };
    WriteBytes(m_destination, "the previous document");
    StatusRequest request;
    request.Source = "late";
    request.Destination = m_destination;
    {
        StatusRetrieval retrieval(Reporter(), sources, kNoDelay);
        retrieval.Start(request);
        retrieval.Cancel();
        gate.Open();
    }
    EXPECT_TRUE(m_reports.Entries().empty());
    EXPECT_EQ(ReadBytes(m_destination), "the previous document");
    EXPECT_EQ(FolderEntries(m_xml), std::vector<std::string>{"devicestatus.xml"});
}

TEST_F(StatusRetrievalTest, RetrievalWithoutSourceReportsNothingWritten) {
    StatusRetrieval retrieval(
        Reporter(), [](const StatusRequest&) { return nullptr; }, kNoDelay);
    StatusRequest request;
    request.Destination = m_destination;
    ASSERT_TRUE(m_reports.WaitFor(retrieval.Start(request)));
    EXPECT_FALSE(m_reports.Entries().at(0).Written);
}

TEST_F(StatusRetrievalTest, ReportMayStartTheNextRetrieval) {
    // As the window does: the report rebuilds the footer, which ends the reporting retrieval.
    StatusRequest request;
    request.Destination = m_destination;
    int next = 0;
    StatusRetrieval* self = nullptr;
    StatusRetrieval retrieval(
        [&](int generation, bool written) {
            m_reports.Add(generation, written);
            if (next == 0)
                next = self->Start(request);
        },
        [](const StatusRequest&) { return nullptr; }, kNoDelay);
    self = &retrieval;
    const int first = retrieval.Start(request);
    ASSERT_TRUE(m_reports.WaitFor(first));
    ASSERT_GT(next, first);
    ASSERT_TRUE(m_reports.WaitFor(next));
    EXPECT_EQ(m_reports.Entries().size(), 2u);
}

// --- The spooler's view of the queue when the printer gives no document ---------------------

class QueueStatusRetrievalTest : public StatusRetrievalTest {
protected:
    void SetUp() override {
        StatusRetrievalTest::SetUp();
        WriteBytes(m_table, "<TroubleSolutions><Solution><Code>paperJam</Code></Solution>"
                            "<StateReasons><StateReason reason=\"media-jam\" code=\"paperJam\"/>"
                            "<StateReason reason=\"toner-low\" code=\"tonerLow\"/>"
                            "<StateReason reason=\"\" code=\"ignored\"/></StateReasons>"
                            "</TroubleSolutions>");
        QueueState state;
        state.State = "processing";
        state.Message = "Printing page 1";
        state.MakeAndModel = "Kaldo Presslane C5100 PS";
        state.Reasons = {"media-jam-error", "toner-low-warning", "paused"};
        state.Markers = {{"Black Toner", "toner", "#000000", 37}, {"Waste", "waste-toner", "", -1}};
        m_spooler.SetQueueState("Studio", state);
    }

    // One retrieval to its end; whether it reported a written document.
    bool RetrieveOnce(StatusRequest request) {
        request.QueueName = "Studio";
        request.ReasonTable = m_table;
        {
            StatusRetrieval retrieval(Reporter(), QueueStatusSources(m_spooler), kNoDelay);
            EXPECT_TRUE(m_reports.WaitFor(retrieval.Start(request)));
        }
        return !m_reports.Entries().empty() && m_reports.Entries().back().Written;
    }

    const std::string m_table = m_folder / "solutions.xml";
    testsupport::FakeSpooler m_spooler;
};

TEST_F(QueueStatusRetrievalTest, UnreachablePrinterGivesTheQueueStateFromTheSpooler) {
    const int port = ClosedPort();
    ASSERT_GT(port, 0);
    ASSERT_TRUE(RetrieveOnce(NetworkRequest("http://127.0.0.1:" + std::to_string(port) + "/")));
    EXPECT_TRUE(IsQueueStatusDocument(m_destination));
    EXPECT_EQ(StatusFromReport(true, m_destination), StatusValue::STATUS_AVAILABLE);
    const std::string document = WithoutIndent(ReadBytes(m_destination));
    const std::string expected =
        "<queueStatus><queue>Studio</queue><source>queue</source><state>processing</state>"
        "<stateMessage>Printing page 1</stateMessage><model>Kaldo Presslane C5100 PS</model>"
        "<location></location><reasons>"
        "<reason><keyword>media-jam-error</keyword><severity>error</severity>"
        "<code>paperJam</code></reason>"
        "<reason><keyword>toner-low-warning</keyword><severity>warning</severity>"
        "<code>tonerLow</code></reason>"
        // Unknown to the content's table: no code; without a suffix: an error.
        "<reason><keyword>paused</keyword><severity>error</severity></reason></reasons>"
        "<markers><marker><name>Black Toner</name><type>toner</type><color>#000000</color>"
        "<level>37</level></marker>"
        "<marker><name>Waste</name><type>waste-toner</type><color></color></marker></markers>"
        "</queueStatus>";
    EXPECT_NE(document.find(expected), std::string::npos) << document;
}

TEST_F(QueueStatusRetrievalTest, PrinterThatAnswersIsShownAndTheSpoolerNotAsked) {
    SimulatedPrinters printers({simulator::PrinterState{}});
    ASSERT_TRUE(printers.Started());
    ASSERT_TRUE(RetrieveOnce(NetworkRequest(printers.WebUrl(0))));
    EXPECT_TRUE(CheckStatusDocument(m_destination));
    EXPECT_FALSE(IsQueueStatusDocument(m_destination));
}

TEST_F(QueueStatusRetrievalTest, QueueTheSpoolerCannotAnswerForStaysUnavailable) {
    const int port = ClosedPort();
    ASSERT_GT(port, 0);
    StatusRequest request = NetworkRequest("http://127.0.0.1:" + std::to_string(port) + "/");
    request.QueueName = "Unknown";
    {
        StatusRetrieval retrieval(Reporter(), QueueStatusSources(m_spooler), kNoDelay);
        ASSERT_TRUE(m_reports.WaitFor(retrieval.Start(request)));
    }
    EXPECT_FALSE(m_reports.Entries().at(0).Written);
    EXPECT_FALSE(fs::exists(m_destination));
    EXPECT_EQ(StatusFromReport(false, m_destination), StatusValue::STATUS_UNAVAILABLE);
}

TEST_F(QueueStatusRetrievalTest, ContentWithoutReasonTableGivesReasonsWithoutCodes) {
    WriteBytes(m_table, "<TroubleSolutions/>");
    const int port = ClosedPort();
    ASSERT_GT(port, 0);
    ASSERT_TRUE(RetrieveOnce(NetworkRequest("http://127.0.0.1:" + std::to_string(port) + "/")));
    EXPECT_EQ(Count(ReadBytes(m_destination), "<code>"), 0u);
    EXPECT_EQ(Count(ReadBytes(m_destination), "<reason>"), 3u);
    EXPECT_TRUE(ReadStateReasonTable(m_folder / "missing.xml").empty());
}

// --- USB, through a printer-class device the test plays -------------------------------------

// The printer's device node is a pseudo terminal the test plays; sysfs and /dev live below a
// KALDO_ROOT of the test's own.
class UsbStatusRetrievalTest : public StatusRetrievalTest {
protected:
    void SetUp() override {
        StatusRetrievalTest::SetUp();
        ASSERT_FALSE(m_root.Path().empty());
        ASSERT_TRUE(m_printer.Ready());
        kaldo::testsupport::AddSysfsPrinter(
            m_root.Path(), "lp0", "MFG:Kaldo;MDL:Presslane 3020;CMD:PS;SN:KP3020-000123;");
        m_printer.LinkNode(m_root.Path(), "lp0");
    }

    StatusRequest UsbRequest(const std::string& port) const {
        return {.UseUsb = true, .Source = port, .Language = "EN", .Destination = m_destination};
    }

    kaldo::testsupport::TempFolder m_root;
    kaldo::testsupport::ScopedEnv m_machine{"KALDO_ROOT", m_root.Path().c_str()};
    kaldo::testsupport::FakeUsbPrinter m_printer;
};

TEST_F(UsbStatusRetrievalTest, UsbRetrievalAsksTheDeviceAndStoresItsAnswer) {
    const std::string answer = ReadBytes(testsupport::StatusData("ready.xml"));
    m_printer.Respond(answer);
    {
        StatusRetrieval retrieval(Reporter(), MakeStatusSource, kNoDelay);
        ASSERT_TRUE(m_reports.WaitFor(retrieval.Start(UsbRequest("USB:Kaldo/Presslane 3020"))));
    }
    ASSERT_EQ(m_reports.Entries().size(), 1u);
    EXPECT_TRUE(m_reports.Entries()[0].Written);
    EXPECT_EQ(m_printer.Request(), UsbStatusRequestText("EN"));
    EXPECT_EQ(ReadBytes(m_destination), answer);
    EXPECT_TRUE(CheckStatusDocument(m_destination));
    EXPECT_TRUE(FolderEntries(m_images).empty());
}

TEST_F(UsbStatusRetrievalTest, UsbPortWithoutStatusEndPointAsksNothing) {
    m_printer.Respond("<devicexml/>");
    {
        StatusRetrieval retrieval(Reporter(), MakeStatusSource, kNoDelay);
        ASSERT_TRUE(m_reports.WaitFor(retrieval.Start(UsbRequest("USB:Kaldo/Presslane 9999"))));
    }
    EXPECT_FALSE(m_reports.Entries().at(0).Written);
    EXPECT_TRUE(m_printer.Request().empty());
    EXPECT_FALSE(fs::exists(m_destination));
}

TEST_F(UsbStatusRetrievalTest, PrinterWhoseContentReadsNoUsbStatusIsNotAskedButItsQueueIs) {
    m_printer.Respond(ReadBytes(testsupport::StatusData("ready.xml")));
    testsupport::FakeSpooler spooler;
    QueueState idle;
    idle.State = "idle";
    spooler.SetQueueState("Desk", idle);
    StatusRequest request = UsbRequest("USB:Kaldo/Presslane 3020");
    request.AskPrinter = false;
    request.QueueName = "Desk";
    {
        StatusRetrieval retrieval(Reporter(), QueueStatusSources(spooler), kNoDelay);
        ASSERT_TRUE(m_reports.WaitFor(retrieval.Start(request)));
    }
    EXPECT_TRUE(m_reports.Entries().at(0).Written);
    EXPECT_TRUE(m_printer.Request().empty());
    EXPECT_TRUE(IsQueueStatusDocument(m_destination));
}

TEST_F(UsbStatusRetrievalTest, CancelEndsAUsbRequestTheDeviceNeverAnswers) {
    m_printer.Respond("", kaldo::testsupport::FakeUsbPrinter::Behaviour::Silent);
    WriteBytes(m_destination, "the previous document");
    {
        StatusRetrieval retrieval(Reporter(), MakeStatusSource, kNoDelay);
        retrieval.Start(UsbRequest("USB:Kaldo/Presslane 3020"));
        retrieval.Cancel();
    }
    EXPECT_TRUE(m_reports.Entries().empty());
    EXPECT_EQ(ReadBytes(m_destination), "the previous document");
    EXPECT_EQ(FolderEntries(m_xml), std::vector<std::string>{"devicestatus.xml"});
}

} // namespace
} // namespace kaldo
