#include "setup/ui/ProgressWindow.h"

#include "setup/ui/WindowKit.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>

#include <gtest/gtest.h>

namespace {

using kaldo::ProgressWindow;

class ProgressWindowTest : public testing::Test {
protected:
    ProgressWindowTest() { m_window.show(); }

    kaldo::WindowKit m_kit;
    ProgressWindow m_window{m_kit, "Kaldo Tendwell", "Installing Files"};
};

TEST_F(ProgressWindowTest, ShowsCaptionAndMessage) {
    EXPECT_EQ(m_window.windowTitle(), QStringLiteral("Kaldo Tendwell"));
    EXPECT_EQ(m_window.Message()->text(), QStringLiteral("Installing Files"));
    const kaldo::DialogUnits units(QApplication::font());
    EXPECT_EQ(m_window.size(), units.Size(186, 52));
    EXPECT_EQ(m_window.Bar()->geometry(), units.Rect(13, 33, 160, 14));
}

TEST_F(ProgressWindowTest, HasNoCloseButtonAndTheWaitCursor) {
    EXPECT_FALSE(m_window.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(m_window.windowFlags() & Qt::WindowSystemMenuHint);
    EXPECT_EQ(m_window.cursor().shape(), Qt::WaitCursor);
}

TEST_F(ProgressWindowTest, BarStartsEmptyWithTheRangeOfTwoHundred) {
    EXPECT_EQ(m_window.Bar()->minimum(), 0);
    EXPECT_EQ(m_window.Bar()->maximum(), 200);
    EXPECT_EQ(m_window.Bar()->value(), 0);
    EXPECT_TRUE(m_window.Ticking());
}

TEST_F(ProgressWindowTest, TicksMoveTheBarByTheSteppingRule) {
    for (int i = 0; i < 4; ++i)
        m_window.Tick();
    EXPECT_EQ(m_window.Bar()->value(), 10);
    for (int i = 0; i < 16; ++i)
        m_window.Tick();
    EXPECT_EQ(m_window.Bar()->value(), 200);
    m_window.Tick();
    EXPECT_EQ(m_window.Bar()->value(), 0);
}

TEST_F(ProgressWindowTest, UserCannotCloseIt) {
    EXPECT_FALSE(m_window.close());
    EXPECT_TRUE(m_window.isVisible());
}

TEST_F(ProgressWindowTest, FinishStopsTheTimerAndCloses) {
    m_window.Finish();
    EXPECT_FALSE(m_window.isVisible());
    EXPECT_FALSE(m_window.Ticking());
}

} // namespace
