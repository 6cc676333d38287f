#include "platform/MainThread.h"

#include <QCoreApplication>
#include <QObject>

#include <gtest/gtest.h>

#include <memory>
#include <thread>

namespace kaldo {
namespace {

class MainThreadTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "MainThreadTest";
        static char* argv[] = {name, nullptr};
        static QCoreApplication application(argc, argv);
    }
};

TEST_F(MainThreadTest, CallFromAWorkerRunsOnTheMainThreadFromItsEventLoop) {
    QObject context;
    std::thread::id ranOn;
    std::thread worker([&] { PostToMain(&context, [&] { ranOn = std::this_thread::get_id(); }); });
    worker.join();
    EXPECT_EQ(ranOn, std::thread::id());
    QCoreApplication::processEvents();
    EXPECT_EQ(ranOn, std::this_thread::get_id());
}

TEST_F(MainThreadTest, CallPostedOnTheMainThreadWaitsForTheEventLoop) {
    QObject context;
    int runs = 0;
    PostToMain(&context, [&] { ++runs; });
    EXPECT_EQ(runs, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(runs, 1);
}

TEST_F(MainThreadTest, CallIsDroppedWithItsContext) {
    auto context = std::make_unique<QObject>();
    bool ran = false;
    PostToMain(context.get(), [&] { ran = true; });
    context.reset();
    QCoreApplication::processEvents();
    EXPECT_FALSE(ran);
}

} // namespace
} // namespace kaldo
