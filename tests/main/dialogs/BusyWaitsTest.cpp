#include "main/dialogs/BusyWaits.h"

#include "main/dialogs/DownloadProgressDialog.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <future>
#include <mutex>
#include <optional>
#include <thread>

namespace kaldo {
namespace {

// Work that waits until the test lets it go.
class Gate {
public:
    std::function<void()> Work() {
        return [this] {
            m_open.wait();
        };
    }
    void Open() {
        std::call_once(m_opened, [this] { m_promise.set_value(); });
    }

private:
    std::once_flag m_opened;
    std::promise<void> m_promise;
    std::shared_future<void> m_open = m_promise.get_future().share();
};

class BusyWaitsTest : public ::testing::Test {
protected:
    void SetUp() override { m_window.show(); }
    void TearDown() override { m_gate.Open(); }

    bool WaitUntilIdle(BusyWaits& waits) {
        return QTest::qWaitFor([&] { return waits.Idle(); });
    }

    QWidget m_window;
    Gate m_gate;
    int m_actions = 0;
};

TEST_F(BusyWaitsTest, WorkRunsOnAnotherThreadAndTheActionOnTheMainThread) {
    BusyWaits waits(&m_window);
    std::optional<std::thread::id> worker;
    std::optional<std::thread::id> action;
    waits.Run([&] { worker = std::this_thread::get_id(); },
              [&] { action = std::this_thread::get_id(); });
    ASSERT_TRUE(QTest::qWaitFor([&] { return action.has_value(); }));
    EXPECT_NE(*worker, std::this_thread::get_id());
    EXPECT_EQ(*action, std::this_thread::get_id());
    EXPECT_TRUE(waits.Idle());
}

TEST_F(BusyWaitsTest, ThreadsAreJoinedAndNoActionFollowsOnceTheyAreGone) {
    std::thread opener;
    {
        BusyWaits waits(&m_window);
        waits.Run(m_gate.Work(), [this] { ++m_actions; });
        opener = std::thread([this] { m_gate.Open(); });
    }
    opener.join();
    QCoreApplication::processEvents();
    EXPECT_EQ(m_actions, 0);
}

TEST_F(BusyWaitsTest, QuickAnswerRunsTheActionAndLeavesNeitherCursorNorDialog) {
    BusyWaits waits(&m_window);
    waits.Run([] {}, [this] { ++m_actions; });
    EXPECT_NE(QApplication::overrideCursor(), nullptr);
    ASSERT_TRUE(QTest::qWaitFor([this] { return m_actions == 1; }));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(waits.ShownDialog(), nullptr);
}

TEST_F(BusyWaitsTest, SlowAnswerShowsTheProgressDialogWhoseCancelDropsTheAction) {
    BusyWaits waits(&m_window);
    waits.Run(m_gate.Work(), [this] { ++m_actions; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return waits.ShownDialog() != nullptr; }));
    EXPECT_EQ(waits.ShownDialog()->parentWidget(), &m_window);
    waits.ShownDialog()->CancelButton()->click();
    EXPECT_EQ(waits.ShownDialog(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    m_gate.Open();
    ASSERT_TRUE(WaitUntilIdle(waits));
    EXPECT_EQ(m_actions, 0);
}

TEST_F(BusyWaitsTest, SlowAnswerClosesItsDialogAndRunsTheAction) {
    BusyWaits waits(&m_window);
    waits.Run(m_gate.Work(), [this] { ++m_actions; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return waits.ShownDialog() != nullptr; }));
    m_gate.Open();
    ASSERT_TRUE(QTest::qWaitFor([this] { return m_actions == 1; }));
    EXPECT_EQ(waits.ShownDialog(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(BusyWaitsTest, ClosingWindowDropsEveryPendingAction) {
    BusyWaits waits(&m_window);
    waits.Run(m_gate.Work(), [this] { ++m_actions; });
    waits.Run(m_gate.Work(), [this] { ++m_actions; });
    waits.CancelAll();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    m_gate.Open();
    ASSERT_TRUE(WaitUntilIdle(waits));
    EXPECT_EQ(m_actions, 0);
}

} // namespace
} // namespace kaldo
