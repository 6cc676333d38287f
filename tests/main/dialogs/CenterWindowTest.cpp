#include "main/dialogs/CenterWindow.h"

#include <QDialog>
#include <QScreen>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace kaldo {
namespace {

const QRect kScreen(0, 0, 1920, 1080);

TEST(CenterWindowTest, WindowIsCentredOverItsReference) {
    const QRect placed =
        CenterWindowOver(QRect(0, 0, 200, 100), QRect(100, 100, 600, 400), kScreen);
    EXPECT_EQ(placed, QRect(300, 250, 200, 100));
}

TEST(CenterWindowTest, WindowPastTheRightOrBottomEdgeIsMovedBackOnScreen) {
    const QRect placed =
        CenterWindowOver(QRect(0, 0, 400, 200), QRect(1700, 1000, 200, 60), kScreen);
    EXPECT_EQ(placed, QRect(1520, 880, 400, 200));
}

TEST(CenterWindowTest, WindowPastTheLeftOrTopEdgeStartsAtTheEdge) {
    const QRect placed = CenterWindowOver(QRect(0, 0, 200, 100), QRect(-50, -20, 100, 40), kScreen);
    EXPECT_EQ(placed, QRect(0, 0, 200, 100));
}

TEST(CenterWindowTest, WindowLargerThanTheScreenKeepsItsTopLeftCornerVisible) {
    const QRect placed =
        CenterWindowOver(QRect(0, 0, 3000, 2000), QRect(100, 100, 600, 400), kScreen);
    EXPECT_EQ(placed, QRect(0, 0, 3000, 2000));
}

TEST(CenterWindowTest, ScreenAwayFromTheOriginIsHonoured) {
    const QRect secondScreen(1920, 0, 1280, 1024);
    const QRect placed =
        CenterWindowOver(QRect(0, 0, 400, 300), QRect(1900, 100, 100, 100), secondScreen);
    EXPECT_EQ(placed, QRect(1920, 0, 400, 300));
}

TEST(CenterWindowTest, DialogIsMovedOverItsOwner) {
    QWidget owner;
    owner.setGeometry(80, 60, 500, 400);
    owner.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
    QDialog dialog(&owner);
    dialog.resize(200, 100);
    CenterWindowOver(&dialog, &owner);

    const QRect expected = CenterWindowOver(dialog.frameGeometry(), owner.frameGeometry(),
                                            owner.screen()->availableGeometry());
    EXPECT_EQ(dialog.frameGeometry().topLeft(), expected.topLeft());
}

TEST(CenterWindowTest, DialogWithoutOwnerIsCentredOnTheScreen) {
    QDialog dialog;
    dialog.resize(200, 100);
    CenterWindowOver(&dialog, nullptr);
    const QRect screen = dialog.screen()->availableGeometry();
    EXPECT_EQ(dialog.frameGeometry().topLeft(),
              CenterWindowOver(dialog.frameGeometry(), screen, screen).topLeft());
}

} // namespace
} // namespace kaldo
