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
    const auto box = MakeErrorBox(nullptr, *m_config, ErrorNumber::ContentNotFound);
    EXPECT_EQ(box->windowTitle(), "Kaldo Tendwell");
    EXPECT_EQ(box->text(), "The help content was not found.");
    EXPECT_EQ(box->icon(), QMessageBox::Critical);
    EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
}

TEST_F(ErrorBoxTest, NumbersFromEightOnShowAnEmptyText) {
    EXPECT_EQ(MakeErrorBox(nullptr, *m_config, static_cast<ErrorNumber>(8))->text(), "");
    EXPECT_EQ(MakeErrorBox(nullptr, *m_config, static_cast<ErrorNumber>(42))->windowTitle(),
              "Kaldo Tendwell");
}

TEST_F(ErrorBoxTest, BoxIsModalOverItsOwnerUntilClosed) {
    QWidget owner;
    owner.show();
    QString shownText;
    QWidget* shownParent = nullptr;
    testsupport::WhenModal<QMessageBox>([&](QMessageBox& box) {
        shownText = box.text();
        shownParent = box.parentWidget();
        box.button(QMessageBox::Ok)->click();
    });
    ShowErrorBox(&owner, *m_config, ErrorNumber::NoNetwork);
    EXPECT_EQ(shownText, "The printer cannot be reached.");
    EXPECT_EQ(shownParent, &owner);
}

} // namespace
} // namespace kaldo
