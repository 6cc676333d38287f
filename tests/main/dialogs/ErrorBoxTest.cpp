#include "main/dialogs/ErrorBox.h"

#include "main/launchers/ErrorTexts.h"
#include "tests/main/dialogs/DialogTestSupport.h"

#include <QMessageBox>
#include <QPushButton>

namespace kaldo {
namespace {

class ErrorBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_config = testsupport::LoadTestConfig(m_folder);
        ASSERT_TRUE(m_config);
    }

    testsupport::TempFolder m_folder;
    std::unique_ptr<ToolboxConfig> m_config;
};

TEST_F(ErrorBoxTest, ContentNotFoundShowsItsTextUnderTheDialogTitle) {
    const MessageRequest message = ErrorMessage(*m_config, ErrorNumber::ContentNotFound);
    EXPECT_EQ(message.Caption, "Kaldo Tendwell");
    EXPECT_EQ(message.Text, "The help content was not found.");
    EXPECT_EQ(message.Icon, MessageIcon::Error);
    EXPECT_EQ(message.Buttons, MessageButtons::Ok);
}

TEST_F(ErrorBoxTest, NumbersFromEightOnShowAnEmptyText) {
    EXPECT_EQ(ErrorMessage(*m_config, static_cast<ErrorNumber>(8)).Text, "");
    EXPECT_EQ(ErrorMessage(*m_config, static_cast<ErrorNumber>(42)).Caption, "Kaldo Tendwell");
}

TEST_F(ErrorBoxTest, BoxIsModalOverItsOwnerUntilClosed) {
    QWidget owner;
    owner.show();
    QString shownText;
    QWidget* shownParent = nullptr;
    QMessageBox::Icon shownIcon = QMessageBox::NoIcon;
    testsupport::WhenModal<QMessageBox>([&](QMessageBox& box) {
        shownText = box.text();
        shownParent = box.parentWidget();
        shownIcon = box.icon();
        box.button(QMessageBox::Ok)->click();
    });
    ShowErrorBox(&owner, *m_config, ErrorNumber::NoNetwork);
    EXPECT_EQ(shownText, "The printer cannot be reached.");
    EXPECT_EQ(shownParent, &owner);
    EXPECT_EQ(shownIcon, QMessageBox::Critical);
}

} // namespace
} // namespace kaldo
