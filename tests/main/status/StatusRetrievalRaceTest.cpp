// Built with ThreadSanitizer: the status worker against the main thread, over a real network.
#include "StatusTestSupport.h"
#include "main/status/NetworkStatusSource.h"
#include "main/status/StatusRetrieval.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace kaldo {
namespace {

namespace fs = std::filesystem;
using testsupport::ReadBytes;
using testsupport::ReportLog;

// The printer simulator as a process of its own, so that only our code runs instrumented.
class SimulatorProcess {
public:
    explicit SimulatorProcess(std::vector<std::string> arguments) {
        int pipeFds[2];
        if (::pipe(pipeFds) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
        arguments.insert(arguments.begin(), KALDOSIM_PATH);
        std::vector<char*> argv;
        for (std::string& argument : arguments)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        if (posix_spawn(&m_pid, KALDOSIM_PATH, &actions, nullptr, argv.data(), environ) != 0)
            m_pid = -1;
        posix_spawn_file_actions_destroy(&actions);
        ::close(pipeFds[1]);
        m_output = ::fdopen(pipeFds[0], "r");
        char line[1024];
        if (m_pid > 0 && m_output && std::fgets(line, sizeof line, m_output))
            ReadPrinters(line);
    }
    ~SimulatorProcess() {
        if (m_pid > 0) {
            ::kill(m_pid, SIGTERM);
            int status = 0;
            ::waitpid(m_pid, &status, 0);
        }
        if (m_output)
            std::fclose(m_output);
    }

    // "http://127.0.0.1:PORT/" of each --printer, in order.
    const std::vector<std::string>& WebUrls() const { return m_urls; }

private:
    void ReadPrinters(const std::string& ready) {
        const std::string key = "printer=";
        for (size_t at = ready.find(key); at != std::string::npos; at = ready.find(key, at)) {
            at += key.size();
            const size_t end = ready.find_first_of(" \n", at);
            m_urls.push_back("http://" + ready.substr(at, end - at) + "/");
        }
    }

    pid_t m_pid = -1;
    FILE* m_output = nullptr;
    std::vector<std::string> m_urls;
};

std::unique_ptr<StatusSource> NetworkOnly(const StatusRequest& request) {
    return std::make_unique<NetworkStatusSource>(request.Source);
}

class StatusRetrievalRaceTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(m_folder.Path().empty()); }

    StatusRequest Request(const std::string& webUrl) const {
        return {.Source = StatusUrl(webUrl, "status/devicestatus.xml?language=", "EN"),
                .Destination = m_destination,
                .PrinterWebUrl = webUrl,
                .ImagesFolder = m_folder / "images"};
    }

    StatusRetrieval::Report Reporter() {
        return [this](int generation, bool written) {
            m_reports.Add(generation, written);
        };
    }

    // Reports come in the order their retrievals started, each at most once.
    void ExpectIncreasingGenerations() const {
        const auto entries = m_reports.Entries();
        for (size_t i = 1; i < entries.size(); ++i)
            EXPECT_LT(entries[i - 1].Generation, entries[i].Generation);
    }

    kaldo::testsupport::TempFolder m_folder;
    const std::string m_destination = m_folder / "devicestatus.xml";
    ReportLog m_reports;
};

TEST_F(StatusRetrievalRaceTest, SecondRefreshAgainstASlowPrinterIsTheOnlyOneThatCounts) {
    SimulatorProcess simulator({"--printer", "127.0.0.1:0", "--serial", "FIRST-PRINTER", "--delay",
                                "300", "--printer", "127.0.0.1:0", "--serial", "SECOND-PRINTER",
                                "--delay", "300", "--quiet"});
    ASSERT_EQ(simulator.WebUrls().size(), 2u);
    int second = 0;
    {
        StatusRetrieval retrieval(Reporter(), NetworkOnly, std::chrono::milliseconds(50));
        const int first = retrieval.Start(Request(simulator.WebUrls()[0]));
        second = retrieval.Start(Request(simulator.WebUrls()[1]));
        EXPECT_FALSE(retrieval.IsCurrent(first));
        ASSERT_TRUE(m_reports.WaitFor(second));
    }
    const auto entries = m_reports.Entries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].Generation, second);
    EXPECT_TRUE(entries[0].Written);
    const std::string document = ReadBytes(m_destination);
    EXPECT_NE(document.find("SECOND-PRINTER"), std::string::npos);
    EXPECT_EQ(document.find("FIRST-PRINTER"), std::string::npos);
}

TEST_F(StatusRetrievalRaceTest, RefreshesThatOverlapReportsLeaveTheNewestDocument) {
    SimulatorProcess simulator({"--printer", "127.0.0.1:0", "--serial", "EVEN-PRINTER", "--printer",
                                "127.0.0.1:0", "--serial", "ODD-PRINTER", "--delay", "5",
                                "--quiet"});
    ASSERT_EQ(simulator.WebUrls().size(), 2u);
    int last = 0;
    {
        StatusRetrieval retrieval(Reporter(), NetworkOnly, std::chrono::milliseconds(0));
        for (int round = 0; round < 24; ++round) {
            last = retrieval.Start(Request(simulator.WebUrls()[round % 2]));
            // Every third round lets the retrieval report, so that a new start meets a worker
            // that is storing or reporting.
            if (round % 3 == 2) {
                ASSERT_TRUE(m_reports.WaitFor(last));
            }
            EXPECT_TRUE(retrieval.IsCurrent(last));
        }
        ASSERT_TRUE(m_reports.WaitFor(last));
    }
    ExpectIncreasingGenerations();
    const auto entries = m_reports.Entries();
    ASSERT_FALSE(entries.empty());
    EXPECT_EQ(entries.back().Generation, last);
    EXPECT_TRUE(entries.back().Written);
    // Round 23 asked the second printer.
    EXPECT_NE(ReadBytes(m_destination).find("ODD-PRINTER"), std::string::npos);
}

TEST_F(StatusRetrievalRaceTest, CancelsBetweenRefreshesLetNoLateReportThrough) {
    SimulatorProcess simulator({"--printer", "127.0.0.1:0", "--delay", "20", "--quiet"});
    ASSERT_EQ(simulator.WebUrls().size(), 1u);
    std::vector<int> cancelled;
    {
        StatusRetrieval retrieval(Reporter(), NetworkOnly, std::chrono::milliseconds(0));
        for (int round = 0; round < 16; ++round) {
            const int generation = retrieval.Start(Request(simulator.WebUrls()[0]));
            if (round % 2 == 0) {
                retrieval.Cancel();
                cancelled.push_back(generation);
            } else {
                ASSERT_TRUE(m_reports.WaitFor(generation));
            }
        }
    }
    ExpectIncreasingGenerations();
    // A cancelled retrieval may only have reported if it did so before it was cancelled, and
    // the next start was made after that; every odd round waited for its own report.
    for (const auto& entry : m_reports.Entries()) {
        if (std::find(cancelled.begin(), cancelled.end(), entry.Generation) == cancelled.end()) {
            EXPECT_TRUE(entry.Written);
        }
    }
}

} // namespace
} // namespace kaldo
