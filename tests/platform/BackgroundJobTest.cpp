#include "platform/BackgroundJob.h"

#include "tests/support/EventLoopWait.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <future>
#include <memory>
#include <mutex>
#include <optional>

namespace kaldo {
namespace {

using namespace std::chrono_literals;
using testsupport::WaitUntil;

class BackgroundJobTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "BackgroundJobTest";
        static char* argv[] = {name, nullptr};
        static QCoreApplication application(argc, argv);
    }
};

// Work that ends only when its job is aborted.
void UntilAborted(std::stop_token abort) {
    std::mutex mutex;
    std::condition_variable_any woken;
    std::unique_lock lock(mutex);
    woken.wait(lock, abort, [] { return false; });
}

TEST_F(BackgroundJobTest, WorkRunsOnAnotherThreadAndTheReportOnTheMainThreadFromItsEventLoop) {
    std::optional<std::thread::id> worker;
    std::optional<std::thread::id> reporter;
    BackgroundJob job([&](std::stop_token) { worker = std::this_thread::get_id(); },
                      [&] { reporter = std::this_thread::get_id(); });
    job.Wait();
    EXPECT_TRUE(job.Finished());
    EXPECT_FALSE(reporter.has_value());
    ASSERT_TRUE(WaitUntil([&] { return reporter.has_value(); }));
    EXPECT_NE(*worker, std::this_thread::get_id());
    EXPECT_EQ(*reporter, std::this_thread::get_id());
}

TEST_F(BackgroundJobTest, AbortReachesTheWorkAndDropsTheReport) {
    bool reported = false;
    BackgroundJob job(UntilAborted, [&] { reported = true; });
    EXPECT_FALSE(job.Finished());
    job.Abort();
    EXPECT_TRUE(job.Aborted());
    ASSERT_TRUE(WaitUntil([&] { return job.Finished(); }));
    QCoreApplication::processEvents();
    EXPECT_FALSE(reported);
}

TEST_F(BackgroundJobTest, StopCallbackBreaksOffWhatTheWorkWaitsFor) {
    std::promise<void> transfer;
    bool brokenOff = false;
    {
        BackgroundJob job([&](std::stop_token abort) {
            std::stop_callback cancel(abort, [&] { transfer.set_value(); });
            transfer.get_future().wait();
            brokenOff = true;
        });
    }
    EXPECT_TRUE(brokenOff);
}

TEST_F(BackgroundJobTest, DestructionAbortsAndWaitsForTheThread) {
    std::atomic<bool> ended{false};
    {
        BackgroundJob job([&](std::stop_token abort) {
            UntilAborted(abort);
            std::this_thread::sleep_for(20ms);
            ended = true;
        });
    }
    EXPECT_TRUE(ended);
}

TEST_F(BackgroundJobTest, NoReportArrivesOnceTheJobIsGone) {
    bool reported = false;
    auto job = std::make_unique<BackgroundJob>([](std::stop_token) {}, [&] { reported = true; });
    job->Wait();
    // The report is posted by now, but not delivered.
    job.reset();
    QCoreApplication::processEvents();
    EXPECT_FALSE(reported);
}

TEST_F(BackgroundJobTest, WaitLetsTheWorkFinishAndTheReportStillRuns) {
    bool reported = false;
    int result = 0;
    BackgroundJob job(
        [&](std::stop_token abort) {
            std::this_thread::sleep_for(20ms);
            result = abort.stop_requested() ? -1 : 1;
        },
        [&] { reported = true; });
    job.Wait();
    EXPECT_EQ(result, 1);
    ASSERT_TRUE(WaitUntil([&] { return reported; }));
}

TEST_F(BackgroundJobTest, ReportMayDestroyItsOwnJob) {
    std::unique_ptr<BackgroundJob> job;
    int reports = 0;
    job = std::make_unique<BackgroundJob>([](std::stop_token) {},
                                          [&] {
                                              ++reports;
                                              job.reset();
                                          });
    ASSERT_TRUE(WaitUntil([&] { return job == nullptr; }));
    QCoreApplication::processEvents();
    EXPECT_EQ(reports, 1);
}

} // namespace
} // namespace kaldo
