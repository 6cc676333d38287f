#include "setupsupport/ui/MessageBoxes.h"
#include "setupsupport/ui/DialogUnits.h"

#include "tests/support/TempFolder.h"

#include <QApplication>
#include <QFont>

#include <gtest/gtest.h>

namespace {

using kaldo::MessageAnswer;
using kaldo::MessageButtons;

TEST(MessageBoxesTest, DefaultAnswerIsTheDefaultButton) {
    EXPECT_EQ(kaldo::DefaultAnswer(MessageButtons::Ok), MessageAnswer::Ok);
    EXPECT_EQ(kaldo::DefaultAnswer(MessageButtons::YesNo), MessageAnswer::Yes);
    EXPECT_EQ(kaldo::DefaultAnswer(MessageButtons::YesNoDefaultNo), MessageAnswer::No);
}

TEST(MessageBoxesTest, UnattendedBoxGoesToStderrAndAnswersByItself) {
    kaldo::testsupport::ScopedEnv unattended("KALDO_EXIT_WHEN_READY", "1");
    ASSERT_TRUE(kaldo::UnattendedRun());
    kaldo::MessageRequest request;
    request.Caption = "Confirm Cancel";
    request.Text = "Are you sure you want to cancel the installation?";
    request.Buttons = MessageButtons::YesNoDefaultNo;
    testing::internal::CaptureStderr();
    EXPECT_EQ(kaldo::ShowMessageBox(nullptr, request), MessageAnswer::No);
    // The offscreen platform may add notes of its own after the message.
    EXPECT_EQ(
        testing::internal::GetCapturedStderr().rfind(
            "message: Confirm Cancel: Are you sure you want to cancel the installation?\n", 0),
        0u);
}

TEST(MessageBoxesTest, AttendedOnlyWithoutTheVariable) {
    kaldo::testsupport::ScopedEnv attended("KALDO_EXIT_WHEN_READY", nullptr);
    EXPECT_FALSE(kaldo::UnattendedRun());
}

TEST(DialogUnitsTest, QuarterCharacterAcrossEighthDown) {
    const kaldo::DialogUnits units(6, 13);
    EXPECT_EQ(units.X(200), 300);
    EXPECT_EQ(units.Y(166), 270);
    EXPECT_EQ(units.Rect(13, 47, 172, 89), QRect(20, 76, 258, 145));
}

TEST(DialogUnitsTest, BaseUnitsComeFromTheFont) {
    QFont small = QApplication::font();
    small.setPointSize(8);
    QFont large = small;
    large.setPointSize(16);
    const kaldo::DialogUnits a(small);
    const kaldo::DialogUnits b(large);
    EXPECT_GT(a.BaseWidth(), 0);
    EXPECT_GT(b.BaseWidth(), a.BaseWidth());
    EXPECT_GT(b.BaseHeight(), a.BaseHeight());
}

} // namespace
