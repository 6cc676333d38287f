#include "setup/ui/WelcomeWindow.h"

#include "setup/ui/WindowKit.h"
#include "tests/setup/InstallerWindowsTestSupport.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using kaldo::MessageAnswer;
using kaldo::WelcomeWindow;

class WelcomeWindowTest : public testing::Test, public kaldo::testsupport::InstallerWindowsFixture {
protected:
    WelcomeWindowTest() {
        m_window.show();
        QApplication::processEvents();
    }

    kaldo::WindowKit m_kit;
    WelcomeWindow m_window{m_setup, m_kit, QPixmap(8, 8), "presslane_3000", m_answers.Function()};
};

TEST_F(WelcomeWindowTest, ShowsCaptionButtonsAndTheModelInTheText) {
    EXPECT_EQ(m_window.windowTitle().toStdString(), "Kaldo Tendwell Installation");
    EXPECT_EQ(m_window.ExitButton()->text(), QStringLiteral("&Exit"));
    EXPECT_EQ(m_window.ContinueButton()->text(), QStringLiteral("&Continue"));
    const std::string text = m_window.Text()->toPlainText().toStdString();
    EXPECT_EQ(text.rfind("The Kaldo Tendwell, along with content for the presslane_3000 will be "
                         "installed onto this PC.",
                         0),
              0u);
    EXPECT_NE(text.find(" * Default printer driver settings"), std::string::npos);
    EXPECT_TRUE(m_window.Text()->isReadOnly());
}

TEST_F(WelcomeWindowTest, ContinueIsTheDefaultWithTheFocus) {
    EXPECT_TRUE(m_window.ContinueButton()->isDefault());
    EXPECT_EQ(m_window.focusWidget(), m_window.ContinueButton());
}

TEST_F(WelcomeWindowTest, LayoutFollowsTheDialogUnits) {
    const kaldo::DialogUnits units(QApplication::font());
    EXPECT_EQ(m_window.size(), units.Size(200, 166));
    EXPECT_EQ(m_window.Banner()->geometry(), units.Rect(0, 0, 200, 37));
    EXPECT_EQ(m_window.Text()->geometry(), units.Rect(13, 47, 172, 89));
    EXPECT_EQ(m_window.ExitButton()->geometry(), units.Rect(7, 146, 89, 14));
    EXPECT_EQ(m_window.ContinueButton()->geometry(), units.Rect(102, 146, 89, 14));
}

TEST_F(WelcomeWindowTest, ContinueEndsWithOne) {
    QTest::mouseClick(m_window.ContinueButton(), Qt::LeftButton);
    EXPECT_EQ(m_window.result(), 1);
    EXPECT_FALSE(m_window.isVisible());
    EXPECT_TRUE(m_answers.Asked().empty());
}

TEST_F(WelcomeWindowTest, ExitAsksAndNoKeepsTheWizardOpen) {
    m_answers.Push(MessageAnswer::No);
    QTest::mouseClick(m_window.ExitButton(), Qt::LeftButton);
    ASSERT_EQ(m_answers.Asked().size(), 1u);
    const kaldo::MessageRequest& asked = m_answers.Asked().front();
    EXPECT_EQ(asked.Caption, "Confirm Cancel");
    EXPECT_EQ(asked.Text, "Are you sure you want to cancel the installation?");
    EXPECT_EQ(asked.Icon, kaldo::MessageIcon::Question);
    EXPECT_EQ(asked.Buttons, kaldo::MessageButtons::YesNoDefaultNo);
    EXPECT_EQ(asked.YesText, Text(kaldo::InstallerString::Yes));
    EXPECT_EQ(asked.NoText, Text(kaldo::InstallerString::No));
    EXPECT_TRUE(m_window.isVisible());
}

TEST_F(WelcomeWindowTest, ExitConfirmedEndsWithZero) {
    m_answers.Push(MessageAnswer::Yes);
    QTest::mouseClick(m_window.ExitButton(), Qt::LeftButton);
    EXPECT_FALSE(m_window.isVisible());
    EXPECT_EQ(m_window.result(), 0);
}

TEST_F(WelcomeWindowTest, ClosingTheWindowAsksToo) {
    m_answers.Push(MessageAnswer::No);
    EXPECT_FALSE(m_window.close());
    EXPECT_TRUE(m_window.isVisible());
    m_answers.Push(MessageAnswer::Yes);
    EXPECT_TRUE(m_window.close());
    EXPECT_FALSE(m_window.isVisible());
    EXPECT_EQ(m_window.result(), 0);
    EXPECT_EQ(m_answers.Asked().size(), 2u);
}

TEST_F(WelcomeWindowTest, EscapeAsksBeforeLeaving) {
    m_answers.Push(MessageAnswer::No);
    QTest::keyClick(&m_window, Qt::Key_Escape);
    EXPECT_EQ(m_answers.Asked().size(), 1u);
    EXPECT_TRUE(m_window.isVisible());
}

TEST_F(WelcomeWindowTest, TextsFollowTheUsersLanguage) {
    kaldo::LinuxSetupSupport german(kaldo::kInstallerStringTables, m_registry, "de_DE.UTF-8");
    WelcomeWindow window(german, m_kit, QPixmap(), "presslane_c5000", m_answers.Function());
    EXPECT_EQ(window.ContinueButton()->text(), QStringLiteral("&Weiter"));
    EXPECT_TRUE(
        window.Text()->toPlainText().contains(QStringLiteral("Inhalten für presslane_c5000")));
}

} // namespace
