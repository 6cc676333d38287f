#include "platform/messagebox/MessageBox.h"
#include "platform/messagebox/Unattended.h"
#include "setupsupport/ui/DialogUnits.h"

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
    kaldo::SetUnattended(true);
    kaldo::MessageRequest request;
    request.Caption = "Confirm Cancel";
    request.Text = "Are you sure you want to cancel the installation?";
    request.Buttons = MessageButtons::YesNoDefaultNo;
    testing::internal::CaptureStderr();
    const MessageAnswer answer = kaldo::ShowMessageBox(nullptr, request);
    kaldo::SetUnattended(false);
    EXPECT_EQ(answer, MessageAnswer::No);
    // The offscreen platform may add notes of its own after the message.
    EXPECT_EQ(testing::internal::GetCapturedStderr().rfind(
                  "dialog: Confirm Cancel: Are you sure you want to cancel the installation?\n", 0),
              0u);
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
