#include "main/dialogs/LinkMessageDialog.h"

#include "main/dialogs/CenterWindow.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

namespace kaldo {
namespace {

constexpr char kLink[] = "https://flathub.org/apps/search?q=video%20player";

TEST(LinkMessageDialogTest, ShowsTitleTextLinkAndOk) {
    LinkMessageDialog dialog(nullptr, "Kaldo Tendwell", "No video player was found.", kLink, {});
    EXPECT_EQ(dialog.windowTitle(), "Kaldo Tendwell");
    EXPECT_EQ(dialog.TextLabel()->text(), "No video player was found.");
    EXPECT_EQ(dialog.Link()->text(), kLink);
    EXPECT_EQ(dialog.OkButton()->text(), "OK");
    EXPECT_FALSE(dialog.IconLabel()->pixmap().isNull());
    EXPECT_EQ(dialog.Link()->TextColour(), QColor(0x00, 0x00, 0xC0));
    EXPECT_EQ(dialog.accessibleName(), "Kaldo Tendwell");
    EXPECT_TRUE(dialog.OkButton()->isDefault());
}

TEST(LinkMessageDialogTest, TextsAreShownAsTheyStand) {
    LinkMessageDialog dialog(nullptr, "<b>Title</b>", "<i>not markup</i>", "<a href=x>y</a>", {});
    EXPECT_EQ(dialog.TextLabel()->textFormat(), Qt::PlainText);
    EXPECT_EQ(dialog.Link()->textFormat(), Qt::PlainText);
    EXPECT_EQ(dialog.Link()->Link(), "<a href=x>y</a>");
}

TEST(LinkMessageDialogTest, OkEndsTheDialog) {
    LinkMessageDialog dialog(nullptr, "Kaldo Tendwell", "text", kLink, {});
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST(LinkMessageDialogTest, DialogIsCentredOverItsOwner) {
    QWidget owner;
    owner.setGeometry(40, 30, 700, 500);
    owner.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
    LinkMessageDialog dialog(&owner, "Kaldo Tendwell", "text", kLink, {});
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    const QRect expected = CenterWindowOver(dialog.frameGeometry(), owner.frameGeometry(),
                                            owner.screen()->availableGeometry());
    EXPECT_EQ(dialog.frameGeometry().topLeft(), expected.topLeft());
}

} // namespace
} // namespace kaldo
