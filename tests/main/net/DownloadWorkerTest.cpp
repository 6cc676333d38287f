#include "main/net/DownloadWorker.h"

#include "tests/main/net/TestWebServer.h"
#include "tests/support/EventLoopWait.h"
#include "tests/support/Eventually.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>

namespace kaldo {
namespace {

using namespace std::chrono_literals;
using kaldo::testsupport::ClosedPort;
using kaldo::testsupport::Eventually;
using kaldo::testsupport::TempFolder;
using kaldo::testsupport::TestWebServer;
namespace fs = std::filesystem;

bool FolderIsEmpty(const std::string& folder) {
    return fs::is_empty(folder);
}

class DownloadWorkerTest : public ::testing::Test {
protected:
    void SetUp() override {
        kaldo::testsupport::EnsureApplication();
        ASSERT_FALSE(m_folder.Path().empty());
        m_server.Routes().Get("/guide.pdf", [](const httplib::Request&, httplib::Response& r) {
            r.set_content("%PDF-1.4 guide", "application/pdf");
        });
        m_server.Routes().Get("/missing.pdf", [](const httplib::Request&, httplib::Response& r) {
            r.status = 404;
            r.set_content("<html><body>Not Found</body></html>", "text/html");
        });
        m_server.ServeStalling("/video.webm");
        ASSERT_TRUE(m_server.Start());
        m_options.SecurePort = ClosedPort();
    }

    // Starts a download whose result arrives in `m_result`.
    bool Start(DownloadWorker& worker, const std::string& target) {
        m_result.reset();
        return worker.Start(m_server.Url(target), Target(),
                            [this](int result) { m_result = result; });
    }
    // The completion's result, once the event loop has delivered it; -2 when none came.
    int Result() {
        return kaldo::testsupport::WaitUntil([this] { return m_result.has_value(); }, 10000)
                   ? *m_result
                   : -2;
    }
    std::string Target() const { return m_folder / "download.bin"; }
    bool PartFileAppeared() {
        return Eventually([&] { return !FolderIsEmpty(m_folder.Path()); });
    }

    TempFolder m_folder;
    TestWebServer m_server;
    DownloadOptions m_options;
    std::optional<int> m_result;
};

TEST_F(DownloadWorkerTest, CompletionReportsASuccessfulFetch) {
    DownloadWorker worker(m_options);
    ASSERT_TRUE(Start(worker, "/guide.pdf"));
    EXPECT_EQ(Result(), 1);
    EXPECT_FALSE(worker.TransferRunning());
    EXPECT_EQ(kaldo::testsupport::ReadFile(Target()), "%PDF-1.4 guide");
}

TEST_F(DownloadWorkerTest, CompletionReportsAFailedFetch) {
    DownloadWorker worker(m_options);
    ASSERT_TRUE(worker.Start("http://127.0.0.1:" + std::to_string(ClosedPort()) + "/guide.pdf",
                             Target(), [this](int result) { m_result = result; }));
    EXPECT_EQ(Result(), 0);
    EXPECT_FALSE(fs::exists(Target()));
}

TEST_F(DownloadWorkerTest, ErrorStatusIsAFailedFetchThatLeavesNoFile) {
    DownloadWorker worker(m_options);
    ASSERT_TRUE(Start(worker, "/missing.pdf"));
    EXPECT_EQ(Result(), 0);
    EXPECT_TRUE(FolderIsEmpty(m_folder.Path()));
}

TEST_F(DownloadWorkerTest, DocumentLargerThanTheFreeSpaceIsNotStarted) {
    m_options.FreeSpace = [](const std::string&) {
        return std::optional<std::uint64_t>(4);
    };
    DownloadWorker worker(m_options);
    ASSERT_TRUE(Start(worker, "/guide.pdf"));
    EXPECT_EQ(Result(), 0);
    EXPECT_TRUE(FolderIsEmpty(m_folder.Path()));
}

TEST_F(DownloadWorkerTest, CancelEndsTheTransferAndDeletesThePartialFile) {
    DownloadWorker worker(m_options);
    const auto started = std::chrono::steady_clock::now();
    ASSERT_TRUE(Start(worker, "/video.webm"));
    ASSERT_TRUE(PartFileAppeared());
    EXPECT_TRUE(worker.TransferRunning());
    EXPECT_TRUE(worker.Cancel());
    EXPECT_EQ(Result(), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - started, 5s);
    EXPECT_TRUE(FolderIsEmpty(m_folder.Path()));
}

TEST_F(DownloadWorkerTest, CancelWithoutATransferChangesNothing) {
    kaldo::testsupport::WriteBytes(Target(), "earlier download");
    DownloadWorker worker(m_options);
    EXPECT_FALSE(worker.Cancel());
    EXPECT_TRUE(fs::exists(Target()));
}

TEST_F(DownloadWorkerTest, SecondStartWhileRunningIsRefused) {
    DownloadWorker worker(m_options);
    ASSERT_TRUE(Start(worker, "/video.webm"));
    EXPECT_FALSE(worker.Start(m_server.Url("/guide.pdf"), Target(), nullptr));
    worker.Cancel();
    EXPECT_EQ(Result(), 0);
}

TEST_F(DownloadWorkerTest, WorkerRunsAgainAfterACancel) {
    DownloadWorker worker(m_options);
    ASSERT_TRUE(Start(worker, "/video.webm"));
    ASSERT_TRUE(PartFileAppeared());
    worker.Cancel();
    EXPECT_EQ(Result(), 0);
    ASSERT_TRUE(Start(worker, "/guide.pdf"));
    EXPECT_EQ(Result(), 1);
    EXPECT_TRUE(fs::exists(Target()));
}

TEST_F(DownloadWorkerTest, DestructionAbortsARunningTransferWithoutCompletion) {
    const auto started = std::chrono::steady_clock::now();
    {
        DownloadWorker worker(m_options);
        ASSERT_TRUE(Start(worker, "/video.webm"));
        ASSERT_TRUE(PartFileAppeared());
    }
    QCoreApplication::processEvents();
    EXPECT_FALSE(m_result.has_value());
    EXPECT_LT(std::chrono::steady_clock::now() - started, 5s);
    EXPECT_TRUE(FolderIsEmpty(m_folder.Path()));
}

} // namespace
} // namespace kaldo
