#include "setup/ui/InstallerApp.h"

#include "packaging/ProgramIcon.h"
#include "platform/messagebox/Unattended.h"
#include "setup/InstallSteps.h"
#include "setup/ui/WelcomeWindow.h"
#include "setup/ui/WindowKit.h"
#include "tests/setup/InstallerTestDistribution.h"
#include "tests/setup/InstallerWindowsTestSupport.h"

#include <QDialog>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {

namespace fs = std::filesystem;
using kaldo::MessageAnswer;

class InstallerAppTest : public testing::Test, public kaldo::testsupport::InstallerWindowsFixture {
protected:
    InstallerAppTest() {
        kaldo::testsupport::MakeDistribution(m_dist);
        // Acts like a person: each window that opens is noted, then answered.
        m_installer.SetShownObserver([this](QDialog& window) {
            m_seen.push_back(window.objectName().toStdString());
            if (window.objectName() == "completionWindow") {
                m_completionText =
                    window.findChild<QPlainTextEdit*>("resultText")->toPlainText().toStdString();
                m_completionTitle = window.findChild<QLabel*>("resultTitle")->text().toStdString();
            }
            const char* button = window.objectName() == "welcomeWindow"      ? m_welcomeButton
                                 : window.objectName() == "completionWindow" ? "closeButton"
                                                                             : nullptr;
            if (button != nullptr)
                QTimer::singleShot(0, &window, [&window, button] {
                    window.findChild<QPushButton*>(button)->click();
                });
        });
    }

    bool Installed() const { return fs::exists(m_machine.ProgramFolder() + "/ktendwell"); }
    std::optional<std::string> MachineValue(std::string_view name) const {
        return m_registry.QueryValue(kaldo::Hive::LocalMachine, kaldo::kProgramKey, name);
    }

    std::string m_dist = m_machine.Path("dist");
    kaldo::WindowKit m_kit;
    std::vector<std::string> m_supportOpened;
    kaldo::InstallerApp m_installer{
        m_setup, m_registry, m_kit, m_dist, m_answers.Function(), [this](const std::string& code) {
            m_supportOpened.push_back(code);
        }};
    std::vector<std::string> m_seen;
    const char* m_welcomeButton = "continueButton";
    std::string m_completionText;
    std::string m_completionTitle;
};

TEST_F(InstallerAppTest, InteractiveRunShowsWelcomeProgressAndCompletion) {
    EXPECT_EQ(m_installer.Run(), 0);
    EXPECT_EQ(m_seen,
              (std::vector<std::string>{"welcomeWindow", "progressWindow", "completionWindow"}));
    EXPECT_TRUE(m_installer.Installed());
    EXPECT_TRUE(Installed());
    EXPECT_EQ(m_completionTitle, "Installation Complete");
    EXPECT_NE(m_completionText.find("presslane_3000 has been installed"), std::string::npos);
    EXPECT_FALSE(MachineValue("Last_Printer"));
    EXPECT_TRUE(m_answers.Asked().empty());
}

TEST_F(InstallerAppTest, HandedOverPrinterShowsOnlyTheProgressWindow) {
    m_registry.SetValue(kaldo::Hive::CurrentUser, kaldo::kHandOverKey, kaldo::kHandOverValue,
                        "Office Printer");
    EXPECT_EQ(m_installer.Run(), 0);
    EXPECT_EQ(m_seen, std::vector<std::string>{"progressWindow"});
    EXPECT_TRUE(Installed());
    EXPECT_EQ(MachineValue("Last_Printer"), "Office Printer");
}

TEST_F(InstallerAppTest, UnsupportedSystemEndsAtTheMessage) {
    m_setup.OsClass = 7;
    EXPECT_EQ(m_installer.Run(), 0);
    ASSERT_EQ(m_answers.Asked().size(), 1u);
    EXPECT_EQ(m_answers.Asked()[0].Caption, "Unsupported O/S");
    EXPECT_EQ(m_answers.Asked()[0].Icon, kaldo::MessageIcon::Error);
    EXPECT_TRUE(m_seen.empty());
    EXPECT_FALSE(Installed());
}

TEST_F(InstallerAppTest, MissingPrivilegesAndNoEndsTheInstaller) {
    m_setup.Administrator = 0;
    m_answers.Push(MessageAnswer::No);
    EXPECT_EQ(m_installer.Run(), 0);
    ASSERT_EQ(m_answers.Asked().size(), 1u);
    EXPECT_EQ(m_answers.Asked()[0].Caption, "Insufficient Account Privileges Detected");
    EXPECT_EQ(m_answers.Asked()[0].Buttons, kaldo::MessageButtons::YesNo);
    EXPECT_EQ(m_answers.Asked()[0].Icon, kaldo::MessageIcon::Warning);
    EXPECT_TRUE(m_seen.empty());
    EXPECT_FALSE(Installed());
}

TEST_F(InstallerAppTest, MissingPrivilegesAndYesGoesOn) {
    m_setup.Administrator = 0;
    m_answers.Push(MessageAnswer::Yes);
    EXPECT_EQ(m_installer.Run(), 0);
    EXPECT_EQ(m_seen.front(), "welcomeWindow");
    EXPECT_TRUE(Installed());
}

TEST_F(InstallerAppTest, LeavingTheWelcomeWindowInstallsNothing) {
    m_welcomeButton = "exitButton";
    m_answers.Push(MessageAnswer::Yes);
    EXPECT_EQ(m_installer.Run(), 0);
    EXPECT_EQ(m_seen, std::vector<std::string>{"welcomeWindow"});
    EXPECT_FALSE(m_installer.Ran());
    EXPECT_FALSE(Installed());
}

TEST_F(InstallerAppTest, FailedStepShowsTheFailurePageWithTheReason) {
    kaldo::testsupport::WriteBytes(m_machine.Path("root/opt"), "a file where the folder should be");
    EXPECT_EQ(m_installer.Run(), 1);
    EXPECT_EQ(m_seen.back(), "completionWindow");
    EXPECT_EQ(m_completionTitle, "Installation Failed!");
    EXPECT_NE(m_completionText.find("Reported message:"), std::string::npos);
    EXPECT_NE(m_completionText.find("root/opt"), std::string::npos) << m_completionText;
    EXPECT_EQ(m_installer.Result().Step, kaldo::kStepCopyFiles);
}

TEST_F(InstallerAppTest, EntryThatCannotBeCopiedIsNamedAndNeverCalledInstalled) {
    kaldo::testsupport::WriteBytes(m_machine.Path("elsewhere/secret.txt"), "not shipped");
    const std::string link = m_dist + "/Data/presslane_3000/manual.pdf";
    fs::create_symlink(m_machine.Path("elsewhere/secret.txt"), link);
    EXPECT_EQ(m_installer.Run(), 1);
    EXPECT_EQ(m_completionTitle, "Installation Failed!");
    EXPECT_NE(m_completionText.find(link), std::string::npos) << m_completionText;
    EXPECT_EQ(m_completionText.find("installed onto your PC"), std::string::npos);
}

TEST_F(InstallerAppTest, SilentRunStillReportsAFailure) {
    m_registry.SetValue(kaldo::Hive::CurrentUser, kaldo::kHandOverKey, kaldo::kHandOverValue,
                        "Office Printer");
    kaldo::testsupport::WriteBytes(m_machine.Path("root/opt"), "a file where the folder should be");
    EXPECT_EQ(m_installer.Run(), 1);
    EXPECT_EQ(m_seen, (std::vector<std::string>{"progressWindow", "completionWindow"}));
    EXPECT_EQ(m_completionTitle, "Installation Failed!");
}

TEST_F(InstallerAppTest, InstallerPicturesAreCompiledIn) {
    const kaldo::InstallerPictures pictures = kaldo::InstallerPictures::Load();
    EXPECT_FALSE(pictures.Banner.isNull());
    EXPECT_FALSE(pictures.ProgramIcon.isNull());
    EXPECT_FALSE(pictures.Success.isNull());
    EXPECT_FALSE(pictures.Failure.isNull());
}

// Every drawn size is there, and each one is read when a window asks for it.
TEST_F(InstallerAppTest, ProgramIconOffersEveryDrawnSize) {
    const QIcon icon = kaldo::ProgramIcon();
    QList<int> sides;
    for (const QSize& size : icon.availableSizes())
        sides.append(size.width());
    std::sort(sides.begin(), sides.end());
    EXPECT_EQ(sides, (QList<int>{16, 22, 24, 32, 48, 64, 128, 256}));
    const QImage picture = icon.pixmap(QSize(48, 48)).toImage();
    EXPECT_EQ(picture.size(), QSize(48, 48));
    EXPECT_GT(qAlpha(picture.pixel(24, 24)), 0) << "the middle of the picture is drawn";
    // Between two sizes the larger picture is made smaller; beyond the largest it stays as is.
    EXPECT_EQ(icon.pixmap(QSize(40, 40)).size(), QSize(40, 40));
    EXPECT_GT(qAlpha(icon.pixmap(QSize(40, 40)).toImage().pixel(20, 20)), 0);
    EXPECT_EQ(icon.pixmap(QSize(512, 512)).size(), QSize(256, 256));
    EXPECT_EQ(icon.actualSize(QSize(512, 512)), QSize(256, 256));
}

TEST_F(InstallerAppTest, WindowsGetTheProgramIcon) {
    EXPECT_EQ(m_installer.Run(), 0);
    EXPECT_TRUE(m_kit.SmallIcon().size() == QSize(11, 12));
    EXPECT_TRUE(m_kit.LargeIcon().size() == QSize(32, 32));
}

} // namespace

namespace {

TEST_F(InstallerAppTest, UnattendedWelcomeClosesByItselfWithoutInstalling) {
    kaldo::SetUnattended(true);
    m_welcomeButton = nullptr; // nobody answers
    const int exitCode = m_installer.Run();
    kaldo::SetUnattended(false);
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(m_seen, std::vector<std::string>{"welcomeWindow"});
    EXPECT_FALSE(Installed());
    EXPECT_TRUE(m_answers.Asked().empty());
}

} // namespace
