#include "main/dialogs/DownloadProgressDialog.h"

#include "tests/main/dialogs/DialogTestSupport.h"
#include "tests/main/net/TestWebServer.h"
#include "tests/support/TestFiles.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace kaldo {
namespace {

namespace fs = std::filesystem;
using kaldo::testsupport::ClosedPort;
using kaldo::testsupport::ReadBytes;
using kaldo::testsupport::TempFolder;
using kaldo::testsupport::TestWebServer;

TEST(DownloadProgressDialogTest, ShowsTheRetrievingTexts) {
    DownloadProgressDialog dialog(nullptr);
    EXPECT_EQ(dialog.windowTitle(), "Retrieving File");
    EXPECT_EQ(dialog.TextLabel()->text(), "Downloading file from Kaldo web site");
    EXPECT_EQ(dialog.CancelButton()->text(), "Cancel");
    // What a screen reader says, and what Enter presses.
    EXPECT_EQ(dialog.accessibleName(), "Retrieving File");
    EXPECT_TRUE(dialog.CancelButton()->isDefault());
}

TEST(DownloadProgressDialogTest, ActivityBarStepsEveryHalfSecondOverItsRange) {
    DownloadProgressDialog dialog(nullptr);
    EXPECT_EQ(dialog.Bar()->minimum(), 0);
    EXPECT_EQ(dialog.Bar()->maximum(), 200);
    EXPECT_EQ(dialog.Bar()->value(), 0);
    EXPECT_EQ(dialog.ActivityTimer()->interval(), 500);
    dialog.Step();
    dialog.Step();
    EXPECT_EQ(dialog.Bar()->value(), 20);
}

TEST(DownloadProgressDialogTest, ActivityBarStartsAgainAfterReachingTheEnd) {
    int position = 0;
    for (int i = 0; i < 20; ++i)
        position = NextActivityPosition(position);
    EXPECT_EQ(position, 200);
    EXPECT_EQ(NextActivityPosition(position), 0);
    EXPECT_EQ(NextActivityPosition(230), 0);

    DownloadProgressDialog dialog(nullptr);
    dialog.Bar()->setValue(200);
    dialog.Step();
    EXPECT_EQ(dialog.Bar()->value(), 0);
}

TEST(DownloadProgressDialogTest, TimerRunsOnlyWhileTheDialogIsShown) {
    DownloadProgressDialog dialog(nullptr);
    EXPECT_FALSE(dialog.ActivityTimer()->isActive());
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_TRUE(dialog.ActivityTimer()->isActive());
}

class DownloadWithProgressTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(m_folder.Path().empty());
        m_server.Routes().Get("/guide.pdf", [](const httplib::Request&, httplib::Response& r) {
            r.set_content("%PDF-1.4 guide", "application/pdf");
        });
        m_server.ServeStalling("/slow.webm");
        ASSERT_TRUE(m_server.Start());
        m_options.SecurePort = ClosedPort();
    }

    std::string Target() const { return m_folder / "guide.pdf"; }

    TempFolder m_folder;
    TestWebServer m_server;
    DownloadOptions m_options;
};

TEST_F(DownloadWithProgressTest, FetchedFileReturnsZero) {
    EXPECT_EQ(DownloadWithProgress(nullptr, m_server.Url("/guide.pdf"), Target(), m_options), 0);
    EXPECT_EQ(ReadBytes(Target()), "%PDF-1.4 guide");
}

TEST_F(DownloadWithProgressTest, FailedTransferReturnsMinusOneAndLeavesNoFile) {
    const std::string url = "http://127.0.0.1:" + std::to_string(ClosedPort()) + "/guide.pdf";
    EXPECT_EQ(DownloadWithProgress(nullptr, url, Target(), m_options), -1);
    EXPECT_TRUE(fs::is_empty(m_folder.Path()));
}

TEST_F(DownloadWithProgressTest, CancelRemovesThePartialFileAndReturnsMinusOne) {
    bool cancelled = false;
    // Cancel once the server has sent the first bytes and they are on disk.
    testsupport::WhenModal<DownloadProgressDialog>(
        [&](DownloadProgressDialog& dialog) {
            cancelled = true;
            QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton);
        },
        [&] { return !m_server.Seen().empty() && !fs::is_empty(m_folder.Path()); });
    EXPECT_EQ(DownloadWithProgress(nullptr, m_server.Url("/slow.webm"), Target(), m_options), -1);
    EXPECT_TRUE(cancelled);
    EXPECT_TRUE(fs::is_empty(m_folder.Path()));
}

TEST_F(DownloadWithProgressTest, DialogIsShownOverItsOwnerWhileTheTransferRuns) {
    QWidget owner;
    owner.show();
    QWidget* parent = nullptr;
    testsupport::WhenModal<DownloadProgressDialog>(
        [&](DownloadProgressDialog& dialog) {
            parent = dialog.parentWidget();
            dialog.reject();
        },
        [&] { return !m_server.Seen().empty(); });
    EXPECT_EQ(DownloadWithProgress(&owner, m_server.Url("/slow.webm"), Target(), m_options), -1);
    EXPECT_EQ(parent, &owner);
}

} // namespace
} // namespace kaldo
