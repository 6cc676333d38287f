#include "main/net/DownloadManager.h"

#include "simulator/Simulator.h"
#include "simulator/SimulatorOptions.h"
#include "tests/main/net/TestWebServer.h"
#include "tests/support/Eventually.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestFiles.h"

#include <QLoggingCategory>
#include <QtGlobal>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace kaldo {
namespace {

using namespace std::chrono_literals;
using kaldo::testsupport::ClosedPort;
using kaldo::testsupport::Eventually;
using kaldo::testsupport::FolderEntries;
using kaldo::testsupport::ReadFile;
using kaldo::testsupport::TempFolder;
using kaldo::testsupport::TestWebServer;
using kaldo::testsupport::WriteBytes;
namespace fs = std::filesystem;

constexpr size_t kHugeBytes = 64 * 1024 * 1024;
constexpr size_t kChunkBytes = 64 * 1024;

// Sends kHugeBytes in chunks from `offset` on, as long as the client reads.
bool SendHugeChunk(size_t offset, httplib::DataSink& sink) {
    if (offset >= kHugeBytes) {
        sink.done();
        return true;
    }
    static const std::string chunk(kChunkBytes, 'x');
    return sink.write(chunk.data(), std::min(chunk.size(), kHugeBytes - offset));
}

std::string LargeBody() {
    std::string body;
    for (int line = 0; body.size() < 200000; ++line)
        body += "line " + std::to_string(line) + " of a long answer\n";
    return body;
}

class DownloadManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(m_folder.Path().empty());
        httplib::Server& routes = m_server.Routes();
        routes.Get("/page.html", [](const httplib::Request&, httplib::Response& response) {
            response.set_content("<html>fresh page</html>", "text/html");
        });
        routes.Get(R"(/docs/.+)", [](const httplib::Request&, httplib::Response& response) {
            response.set_content("%PDF-1.4", "application/pdf");
        });
        routes.Get("/large.txt", [](const httplib::Request&, httplib::Response& response) {
            response.set_content(LargeBody(), "text/plain");
        });
        routes.Get("/missing.pdf", [](const httplib::Request&, httplib::Response& response) {
            response.status = 404;
            response.set_content("<html>no such document</html>", "text/html");
        });
        routes.Get("/broken.html", [](const httplib::Request&, httplib::Response& response) {
            response.status = 500;
            response.set_content("<!DOCTYPE html><title>Internal error</title>", "text/html");
        });
        routes.Get("/gone.xml", [](const httplib::Request&, httplib::Response& response) {
            response.status = 410;
        });
        routes.Get("/huge-announced.bin", [](const httplib::Request&, httplib::Response& response) {
            response.set_content_provider(kHugeBytes, "application/octet-stream",
                                          [](size_t offset, size_t, httplib::DataSink& sink) {
                                              return SendHugeChunk(offset, sink);
                                          });
        });
        routes.Get("/huge-chunked.bin", [](const httplib::Request&, httplib::Response& response) {
            response.set_chunked_content_provider(
                "application/octet-stream",
                [](size_t offset, httplib::DataSink& sink) { return SendHugeChunk(offset, sink); });
        });
        routes.Get("/empty.xml", [](const httplib::Request&, httplib::Response& response) {
            response.set_content("", "text/xml");
        });
        routes.Get("/moved.html", [](const httplib::Request&, httplib::Response& response) {
            response.set_redirect("/page.html");
        });
        m_server.ServeStalling("/stalling.bin");
        // Answers only after a minute.
        routes.Get("/late.html", [this](const httplib::Request&, httplib::Response& response) {
            m_server.Stall().Wait();
            response.set_content("late", "text/html");
        });
        ASSERT_TRUE(m_server.Start());
        m_options.SecurePort = ClosedPort();
    }

    std::string Target() const { return m_folder / "answer.dat"; }

    TempFolder m_folder;
    TestWebServer m_server;
    DownloadOptions m_options;
};

TEST_F(DownloadManagerTest, FetchStoresTheAnswer) {
    DownloadManager manager(m_options);
    EXPECT_EQ(manager.Fetch(Target(), m_server.Url("/page.html"), kNoSizeLimit), 1);
    EXPECT_EQ(ReadFile(Target()), "<html>fresh page</html>");
    EXPECT_EQ(FolderEntries(m_folder.Path()), std::vector<std::string>{"answer.dat"});
}

TEST_F(DownloadManagerTest, FetchStoresALargeAnswerWhole) {
    DownloadManager manager(m_options);
    EXPECT_EQ(manager.Fetch(Target(), m_server.Url("/large.txt"), kNoSizeLimit), 1);
    EXPECT_EQ(ReadFile(Target()), LargeBody());
}

TEST_F(DownloadManagerTest, HttpErrorStatusIsAFailedFetchAndSavesNothing) {
    for (const char* path : {"/missing.pdf", "/broken.html", "/gone.xml"}) {
        WriteBytes(Target(), "earlier copy");
        DownloadManager manager(m_options);
        EXPECT_EQ(manager.Fetch(Target(), m_server.Url(path), kNoSizeLimit), 0) << path;
        EXPECT_TRUE(FolderEntries(m_folder.Path()).empty()) << path;
    }
}

// --- size limits -------------------------------------------------------------------------

TEST_F(DownloadManagerTest, AnswerWithinTheLimitIsStored) {
    DownloadManager manager(m_options);
    const std::string body = LargeBody();
    EXPECT_EQ(manager.Fetch(Target(), m_server.Url("/large.txt"), body.size()), 1);
    EXPECT_EQ(ReadFile(Target()), body);
}

TEST_F(DownloadManagerTest, AnswerOverTheLimitFailsAndLeavesNoFile) {
    const std::uint64_t limit = kMiB;
    DownloadManager manager(m_options);
    EXPECT_EQ(manager.Fetch(Target(), m_server.Url("/large.txt"), LargeBody().size() - 1), 0);
    EXPECT_EQ(manager.Fetch(Target(), m_server.Url("/huge-announced.bin"), limit), 0);
    // Nothing announces the length of a chunked answer: the bytes are counted.
    EXPECT_EQ(manager.Fetch(Target(), m_server.Url("/huge-chunked.bin"), limit), 0);
    EXPECT_TRUE(FolderEntries(m_folder.Path()).empty());
}

TEST_F(DownloadManagerTest, AnswerLargerThanTheFreeSpaceIsRefusedBeforeItIsWritten) {
    std::vector<std::string> asked;
    std::uint64_t free = 10;
    m_options.FreeSpace = [&](const std::string& folder) {
        asked.push_back(folder);
        return std::optional<std::uint64_t>(free);
    };
    DownloadManager manager(m_options);
    EXPECT_EQ(manager.Fetch(Target(), m_server.Url("/page.html"), kNoSizeLimit), 0);
    EXPECT_TRUE(FolderEntries(m_folder.Path()).empty());
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(fs::path(asked[0]), m_folder.Path());

    free = 100;
    EXPECT_EQ(manager.Fetch(Target(), m_server.Url("/page.html"), kNoSizeLimit), 1);
}

bool Mapped(const std::string& library) {
    return ReadFile("/proc/self/maps").value_or("").find("/" + library) != std::string::npos;
}

// The programs start without libcurl and its TLS library; the first transfer brings them in.
TEST_F(DownloadManagerTest, LibcurlComesWithTheFirstTransfer) {
    if (Mapped("libktwncurl.so"))
        GTEST_SKIP() << "an earlier case of this process made a transfer";
    EXPECT_FALSE(Mapped("libcurl.so"));
    DownloadManager manager(m_options);
    EXPECT_TRUE(manager.Fetch(Target(), m_server.Url("/page.html"), kNoSizeLimit));
    EXPECT_TRUE(Mapped("libktwncurl.so"));
    EXPECT_TRUE(Mapped("libcurl.so"));
}

TEST_F(DownloadManagerTest, FreeSpaceOfARealFolderIsKnown) {
    const std::optional<std::uint64_t> free = FreeSpaceIn(m_folder.Path());
    ASSERT_TRUE(free);
    EXPECT_GT(*free, 0u);
    EXPECT_FALSE(FreeSpaceIn(m_folder / "missing"));
}

TEST_F(DownloadManagerTest, FetchOfAnEmptyAnswerGivesAnEmptyFile) {
    DownloadManager manager(m_options);
    EXPECT_EQ(manager.Fetch(Target(), m_server.Url("/empty.xml"), kNoSizeLimit), 1);
    EXPECT_EQ(ReadFile(Target()), "");
}

TEST_F(DownloadManagerTest, FetchReplacesAnExistingFileWhole) {
    WriteBytes(Target(), std::string(5000, 'x'));
    DownloadManager manager(m_options);
    EXPECT_EQ(manager.Fetch(Target(), m_server.Url("/page.html"), kNoSizeLimit), 1);
    EXPECT_EQ(ReadFile(Target()), "<html>fresh page</html>");
}

TEST_F(DownloadManagerTest, FetchFollowsRedirects) {
    DownloadManager manager(m_options);
    EXPECT_EQ(manager.Fetch(Target(), m_server.Url("/moved.html"), kNoSizeLimit), 1);
    EXPECT_EQ(ReadFile(Target()), "<html>fresh page</html>");
}

TEST_F(DownloadManagerTest, FetchIntroducesItselfWithTheAgentName) {
    DownloadManager manager(m_options);
    ASSERT_EQ(manager.Fetch(Target(), m_server.Url("/page.html?language=EN"), kNoSizeLimit), 1);
    const std::vector<kaldo::testsupport::SeenRequest> seen = m_server.Seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].Method, "GET");
    EXPECT_EQ(seen[0].Target, "/page.html?language=EN");
    EXPECT_EQ(seen[0].Agent, "Kaldo Tendwell");
}

TEST_F(DownloadManagerTest, SpacesAndNonAsciiNamesGoOutEscaped) {
    DownloadManager manager(m_options);
    ASSERT_EQ(manager.Fetch(Target(), m_server.Url("/docs/User Guide \xC3\xA9.pdf?name=a b"),
                            kNoSizeLimit),
              1);
    EXPECT_EQ(ReadFile(Target()), "%PDF-1.4");
    ASSERT_EQ(m_server.Seen().size(), 1u);
    EXPECT_EQ(m_server.Seen()[0].Target, "/docs/User%20Guide%20%C3%A9.pdf?name=a%20b");
}

TEST_F(DownloadManagerTest, FetchFromAPortWithNothingListeningFailsAndDeletesTheFile) {
    WriteBytes(Target(), "stale copy");
    DownloadManager manager(m_options);
    const std::string url = "http://127.0.0.1:" + std::to_string(ClosedPort()) + "/page.html";
    EXPECT_EQ(manager.Fetch(Target(), url, kNoSizeLimit), 0);
    EXPECT_TRUE(FolderEntries(m_folder.Path()).empty());
}

TEST_F(DownloadManagerTest, FetchIntoAMissingFolderFails) {
    DownloadManager manager(m_options);
    const std::string target = m_folder / "no-such-folder/answer.dat";
    EXPECT_EQ(manager.Fetch(target, m_server.Url("/page.html"), kNoSizeLimit), 0);
    EXPECT_FALSE(fs::exists(target));
}

TEST_F(DownloadManagerTest, FetchReadsOnlyWebAddresses) {
    const std::string secret = m_folder / "secret.txt";
    WriteBytes(secret, "local file");
    DownloadManager manager(m_options);
    EXPECT_EQ(manager.Fetch(Target(), "file://" + secret, kNoSizeLimit), 0);
    EXPECT_FALSE(fs::exists(Target()));
    EXPECT_EQ(manager.Fetch(Target(), "not an address", kNoSizeLimit), 0);
    EXPECT_FALSE(fs::exists(Target()));
}

TEST_F(DownloadManagerTest, AbortFromAnotherThreadEndsPromptlyAndLeavesNoFile) {
    DownloadManager manager(m_options);
    int result = -1;
    const auto started = std::chrono::steady_clock::now();
    std::thread worker(
        [&] { result = manager.Fetch(Target(), m_server.Url("/stalling.bin"), kNoSizeLimit); });
    // The first bytes are in the part file beside the target.
    ASSERT_TRUE(Eventually([&] { return !FolderEntries(m_folder.Path()).empty(); }));
    manager.Abort();
    worker.join();
    EXPECT_EQ(result, 0);
    EXPECT_LT(std::chrono::steady_clock::now() - started, 5s);
    EXPECT_TRUE(FolderEntries(m_folder.Path()).empty());
    EXPECT_TRUE(manager.Aborted());
}

TEST_F(DownloadManagerTest, AbortedFetchLeavesTheTargetAlone) {
    WriteBytes(Target(), "written by someone else");
    DownloadManager manager(m_options);
    int result = -1;
    std::thread worker(
        [&] { result = manager.Fetch(Target(), m_server.Url("/late.html"), kNoSizeLimit); });
    ASSERT_TRUE(m_server.WaitForArrivals(1));
    manager.Abort();
    worker.join();
    EXPECT_EQ(result, 0);
    EXPECT_EQ(ReadFile(Target()), "written by someone else");
    EXPECT_EQ(FolderEntries(m_folder.Path()), std::vector<std::string>{"answer.dat"});
}

TEST_F(DownloadManagerTest, FetchOnAnAbortedManagerFailsAtOnce) {
    WriteBytes(Target(), "kept");
    DownloadManager manager(m_options);
    manager.Abort();
    EXPECT_EQ(manager.Fetch(Target(), m_server.Url("/page.html"), kNoSizeLimit), 0);
    EXPECT_EQ(ReadFile(Target()), "kept");
    EXPECT_TRUE(m_server.Seen().empty());
}

TEST_F(DownloadManagerTest, StalledTransferIsGivenUpAfterTheStallLimit) {
    m_options.StallTime = 1s;
    DownloadManager manager(m_options);
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(manager.Fetch(Target(), m_server.Url("/stalling.bin"), kNoSizeLimit), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - started, 30s);
    EXPECT_TRUE(FolderEntries(m_folder.Path()).empty());
}

TEST_F(DownloadManagerTest, AnswerThatNeverComesIsGivenUpAfterTheStallLimit) {
    m_options.StallTime = 1s;
    DownloadManager manager(m_options);
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(manager.Fetch(Target(), m_server.Url("/late.html"), kNoSizeLimit), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - started, 30s);
    EXPECT_FALSE(fs::exists(Target()));
}

TEST_F(DownloadManagerTest, FetchWritesItsTraces) {
    static std::vector<std::string> traces;
    traces.clear();
    QLoggingCategory::setFilterRules("kaldo.trace.debug=true");
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& text) {
            traces.push_back(text.toStdString());
        });
    {
        DownloadManager manager(m_options);
        manager.Fetch(Target(), m_server.Url("/page.html"), kNoSizeLimit);
    }
    qInstallMessageHandler(previous);
    QLoggingCategory::setFilterRules("kaldo.trace.debug=false");
    EXPECT_EQ(traces,
              (std::vector<std::string>{"InternetAttemptConnect - success\n",
                                        "InternetOpen - success\n", "InternetOpenUrl - success\n",
                                        "CreateFile - success\n", "InternetReadFile - success\n",
                                        "DownloadManager::~DownloadManager()\n"}));
}

TEST_F(DownloadManagerTest, ReachableWhenTheServerAnswers) {
    EXPECT_TRUE(DownloadManager::CheckReachable(m_server.Url("/page.html"), 5000ms, m_options));
    ASSERT_FALSE(m_server.Seen().empty());
    EXPECT_EQ(m_server.Seen()[0].Agent, "Kaldo Tendwell");
}

TEST_F(DownloadManagerTest, ReachableWhenTheServerAnswersWithAnError) {
    EXPECT_TRUE(DownloadManager::CheckReachable(m_server.Url("/missing.pdf")));
}

TEST_F(DownloadManagerTest, NotReachableWhenNothingListens) {
    const std::string url = "http://127.0.0.1:" + std::to_string(ClosedPort()) + "/";
    EXPECT_FALSE(DownloadManager::CheckReachable(url));
}

TEST_F(DownloadManagerTest, NotReachableWhenTheAnswerComesAfterTheTimeout) {
    const auto started = std::chrono::steady_clock::now();
    EXPECT_FALSE(DownloadManager::CheckReachable(m_server.Url("/late.html"), 300ms));
    EXPECT_LT(std::chrono::steady_clock::now() - started, 5s);
}

TEST_F(DownloadManagerTest, NotReachableWithoutTime) {
    EXPECT_FALSE(DownloadManager::CheckReachable(m_server.Url("/page.html"), 0ms));
    EXPECT_FALSE(DownloadManager::CheckReachable("not an address"));
}

// --- the secure retry ------------------------------------------------------------------------

TEST(SecureFallbackUrlTest, KeepsHostPathAndQuery) {
    EXPECT_EQ(SecureFallbackUrl("http://www.example.test/a/b/c.html?x=1&y=2", 443),
              "https://www.example.test/a/b/c.html?x=1&y=2");
}

TEST(SecureFallbackUrlTest, DropsThePlainPortAndTheFragment) {
    EXPECT_EQ(SecureFallbackUrl("http://host.test:8080/page.html#top", 443),
              "https://host.test/page.html");
    EXPECT_EQ(SecureFallbackUrl("http://host.test:8080/page.html", 8443),
              "https://host.test:8443/page.html");
}

TEST(SecureFallbackUrlTest, EscapesSpaces) {
    EXPECT_EQ(SecureFallbackUrl("http://host.test/User Guide.pdf", 443),
              "https://host.test/User%20Guide.pdf");
}

TEST(SecureFallbackUrlTest, NothingToRetryForTheSameSecureUrl) {
    EXPECT_EQ(SecureFallbackUrl("https://host.test/page.html", 443), "");
    EXPECT_EQ(SecureFallbackUrl("https://host.test:443/page.html", 443), "");
}

TEST(SecureFallbackUrlTest, NothingToRetryWithoutAHost) {
    EXPECT_EQ(SecureFallbackUrl("file:///etc/hostname", 443), "");
    EXPECT_EQ(SecureFallbackUrl("no address at all", 443), "");
    EXPECT_EQ(SecureFallbackUrl("", 443), "");
}

class DownloadManagerHttpsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(m_folder.Path().empty());
        std::string error;
        ASSERT_TRUE(m_certificate.Generate({"127.0.0.1"}, error)) << error;
        m_anchors = m_folder / "site.pem";
        WriteBytes(m_anchors, m_certificate.CertificatePem());

        m_secure = std::make_unique<TestWebServer>(m_certificate);
        m_secure->Routes().Get("/docs/guide.pdf",
                               [](const httplib::Request&, httplib::Response& response) {
                                   response.set_content("%PDF-1.4 guide", "application/pdf");
                               });
        ASSERT_TRUE(m_secure->Start());
        m_plain.Routes().Get("/broken", [](const httplib::Request&, httplib::Response& response) {
            response.status = 500;
            response.set_content("server trouble", "text/plain");
        });
        ASSERT_TRUE(m_plain.Start());
        m_options.SecurePort = m_secure->Port();
    }

    std::string Target() const { return m_folder / "guide.pdf"; }
    std::string UnopenableUrl(const std::string& target) const {
        return "http://127.0.0.1:" + std::to_string(ClosedPort()) + target;
    }

    TempFolder m_folder;
    kaldo::simulator::SelfSignedCertificate m_certificate;
    std::string m_anchors;
    std::unique_ptr<TestWebServer> m_secure;
    TestWebServer m_plain;
    DownloadOptions m_options;
};

TEST_F(DownloadManagerHttpsTest, SecureRetryRejectsAnUntrustedCertificate) {
    DownloadManager manager(m_options);
    EXPECT_EQ(manager.Fetch(Target(), UnopenableUrl("/docs/guide.pdf"), kNoSizeLimit), 0);
    EXPECT_FALSE(fs::exists(Target()));
    EXPECT_TRUE(m_secure->Seen().empty());
}

TEST_F(DownloadManagerHttpsTest, SecureRetryRequestsTheWholePathAndQuery) {
    m_options.CaFile = m_anchors;
    DownloadManager manager(m_options);
    EXPECT_EQ(manager.Fetch(Target(), UnopenableUrl("/docs/guide.pdf?language=EN&model=3020"),
                            kNoSizeLimit),
              1);
    EXPECT_EQ(ReadFile(Target()), "%PDF-1.4 guide");
    const std::vector<kaldo::testsupport::SeenRequest> seen = m_secure->Seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].Target, "/docs/guide.pdf?language=EN&model=3020");
    EXPECT_EQ(seen[0].Agent, "Kaldo Tendwell");
}

TEST_F(DownloadManagerHttpsTest, HttpsAddressIsVerifiedToo) {
    const std::string url = m_secure->Url("/docs/guide.pdf", "https");
    EXPECT_EQ(DownloadManager(m_options).Fetch(Target(), url, kNoSizeLimit), 0);
    EXPECT_FALSE(DownloadManager::CheckReachable(url, 5000ms, m_options));
    m_options.CaFile = m_anchors;
    EXPECT_EQ(DownloadManager(m_options).Fetch(Target(), url, kNoSizeLimit), 1);
    EXPECT_TRUE(DownloadManager::CheckReachable(url, 5000ms, m_options));
}

TEST_F(DownloadManagerHttpsTest, NoSecureRetryWhenTheServerAnswered) {
    m_options.CaFile = m_anchors;
    DownloadManager manager(m_options);
    EXPECT_EQ(manager.Fetch(Target(), m_plain.Url("/broken"), kNoSizeLimit), 0);
    EXPECT_FALSE(fs::exists(Target()));
    EXPECT_TRUE(m_secure->Seen().empty());
}

// --- against the printer simulator -----------------------------------------------------------

TEST(DownloadManagerSimulatorTest, FetchesThePrinterStatusDocument) {
    TempFolder folder;
    kaldo::simulator::SimulatorOptions options;
    std::string error;
    ASSERT_EQ(kaldo::simulator::ParseSimulatorOptions({"--printer", "127.0.0.1:0", "--quiet"},
                                                      options, error),
              kaldo::simulator::ParseOutcome::Run)
        << error;
    kaldo::simulator::Simulator simulator;
    ASSERT_TRUE(simulator.Start(options, error)) << error;
    const auto printer = simulator.PrinterAddresses().at(0);
    const std::string url = "http://" + printer.Host + ":" + std::to_string(printer.Port) +
                            "/status/devicestatus.xml?language=EN";

    DownloadManager manager;
    ASSERT_EQ(manager.Fetch(folder / "status.xml", url, kNoSizeLimit), 1);
    const std::optional<std::string> document = ReadFile(folder / "status.xml");
    ASSERT_TRUE(document);
    EXPECT_NE(document->find("<devicexml>"), std::string::npos);
    EXPECT_NE(document->find("<type>Hard Drive</type>"), std::string::npos);
    simulator.Stop();
}

} // namespace
} // namespace kaldo
