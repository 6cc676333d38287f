#include "main/dialogs/DialogPrompts.h"

#include "main/dialogs/LinkMessageDialog.h"
#include "main/launchers/ErrorTexts.h"
#include "tests/main/dialogs/DialogTestSupport.h"
#include "tests/main/launchers/LauncherDoubles.h"
#include "tests/main/net/TestWebServer.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTest>

namespace kaldo {
namespace {

constexpr char kLink[] = "https://flathub.org/apps/search?q=pdf%20viewer";

class DialogPromptsTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_config = testsupport::LoadTestConfig(m_folder);
        ASSERT_TRUE(m_config);
        m_owner.show();
    }

    DialogPrompts Make() {
        return DialogPrompts(&m_owner, m_shell,
                             [this](std::function<void(bool)> answer) { answer(m_webUp); });
    }

    testsupport::TempFolder m_folder;
    std::unique_ptr<ToolboxConfig> m_config;
    QWidget m_owner;
    testsupport::RecordingShell m_shell;
    bool m_webUp = true;
};

TEST_F(DialogPromptsTest, ErrorIsShownOverTheMainWindow) {
    QString text;
    QWidget* parent = nullptr;
    testsupport::WhenModal<QMessageBox>([&](QMessageBox& box) {
        text = box.text();
        parent = box.parentWidget();
        box.button(QMessageBox::Ok)->click();
    });
    Make().ShowError(*m_config, ErrorNumber::SaveSettings);
    EXPECT_EQ(text, "The driver settings could not be saved.");
    EXPECT_EQ(parent, &m_owner);
}

TEST_F(DialogPromptsTest, LinkMessageOpensItsLinkThroughTheDesktop) {
    QString title;
    QString text;
    testsupport::WhenModal<LinkMessageDialog>([&](LinkMessageDialog& dialog) {
        title = dialog.windowTitle();
        text = dialog.TextLabel()->text();
        QTest::mouseClick(dialog.Link(), Qt::LeftButton);
        dialog.OkButton()->click();
    });
    Make().ShowLinkMessage(*m_config, "Kaldo Tendwell", "No PDF viewer was found.", kLink);
    EXPECT_EQ(title, "Kaldo Tendwell");
    EXPECT_EQ(text, "No PDF viewer was found.");
    EXPECT_EQ(m_shell.Opened, std::vector<std::string>{kLink});
}

TEST_F(DialogPromptsTest, LinkClickedOfflineShowsNoWebWithoutOwner) {
    m_webUp = false;
    QString errorText;
    QWidget* errorParent = &m_owner;
    testsupport::WhenModal<LinkMessageDialog>([&](LinkMessageDialog& dialog) {
        testsupport::WhenModal<QMessageBox>([&](QMessageBox& box) {
            errorText = box.text();
            errorParent = box.parentWidget();
            box.button(QMessageBox::Ok)->click();
        });
        QTest::mouseClick(dialog.Link(), Qt::LeftButton);
        dialog.OkButton()->click();
    });
    Make().ShowLinkMessage(*m_config, "Kaldo Tendwell", "No PDF viewer was found.", kLink);
    EXPECT_EQ(errorText, "The Kaldo web site cannot be reached.");
    EXPECT_EQ(errorParent, nullptr);
    EXPECT_TRUE(m_shell.Opened.empty());
}

TEST_F(DialogPromptsTest, DownloadThatFailsReturnsMinusOne) {
    const std::string url =
        "http://127.0.0.1:" + std::to_string(kaldo::testsupport::ClosedPort()) + "/guide.pdf";
    EXPECT_EQ(Make().Download(url, m_folder / "guide.pdf"), -1);
    EXPECT_FALSE(std::filesystem::exists(m_folder / "guide.pdf"));
}

} // namespace
} // namespace kaldo
