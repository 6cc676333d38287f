#include "uninstall/ui/UninstallWindow.h"

#include "platform/Paths.h"
#include "platform/instance/ProgramLock.h"
#include "tests/setup/InstallerWindowsTestSupport.h"
#include "tests/uninstall/UninstallTestInstallation.h"
#include "uninstall/Uninstaller.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

using kaldo::UninstallWindow;

std::vector<std::string> Listed(const UninstallWindow& window) {
    std::vector<std::string> names;
    for (int i = 0; i < window.List()->topLevelItemCount(); ++i)
        names.push_back(window.List()->topLevelItem(i)->text(0).toStdString());
    return names;
}

class UninstallWindowTest : public testing::Test, public kaldo::testsupport::InstalledMachine {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_installed.Succeeded()) << m_installed.Message;
        m_uninstaller.Refresh();
    }

    std::unique_ptr<UninstallWindow> Open() {
        auto window =
            std::make_unique<UninstallWindow>(m_setup, m_uninstaller, m_answers.Function());
        window->show();
        QApplication::processEvents();
        return window;
    }
    void Select(UninstallWindow& window, std::initializer_list<int> rows) {
        window.List()->clearSelection();
        for (int row : rows)
            window.List()->topLevelItem(row)->setSelected(true);
    }

    kaldo::LinuxSetupSupport m_setup{kaldo::kUninstallerStringTables, m_registry, "en_US.UTF-8"};
    kaldo::Uninstaller m_uninstaller{m_setup, m_registry, ""};
    kaldo::testsupport::ScriptedAnswers m_answers;
};

TEST_F(UninstallWindowTest, ShowsItsTextsAndTheContentFolders) {
    auto window = Open();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Kaldo Tendwell"));
    EXPECT_EQ(window->Prompt()->text(),
              QStringLiteral("Please select the Kaldo Tendwell content to remove."));
    EXPECT_EQ(window->SelectAllButton()->text(), QStringLiteral("&Select All"));
    EXPECT_EQ(window->DeselectAllButton()->text(), QStringLiteral("Deselect &All"));
    EXPECT_EQ(window->RemoveButton()->text(), QStringLiteral("&Remove"));
    EXPECT_EQ(window->DoneButton()->text(), QStringLiteral("&Done"));
    EXPECT_EQ(window->List()->headerItem()->text(0), QStringLiteral("Name"));
    EXPECT_EQ(Listed(*window),
              (std::vector<std::string>{"presslane_3000", "presslane_7000", "presslane_c5000"}));
    EXPECT_FALSE(window->Picture()->pixmap().isNull());
}

TEST_F(UninstallWindowTest, LayoutFollowsTheDialogUnits) {
    auto window = Open();
    const kaldo::DialogUnits units(QApplication::font());
    EXPECT_EQ(window->size(), units.Size(313, 137));
    EXPECT_EQ(window->Picture()->geometry(), units.Rect(1, 2, 76, 132));
    EXPECT_EQ(window->List()->geometry(), units.Rect(85, 41, 220, 43));
    EXPECT_EQ(window->RemoveButton()->geometry(), units.Rect(85, 120, 72, 14));
    EXPECT_EQ(window->DoneButton()->geometry(), units.Rect(233, 120, 72, 14));
}

TEST_F(UninstallWindowTest, FirstItemIsSelectedAndFocusedAndRemoveIsEnabled) {
    auto window = Open();
    EXPECT_EQ(window->Selected(), std::vector<std::string>{"presslane_3000"});
    EXPECT_EQ(window->List()->currentItem(), window->List()->topLevelItem(0));
    EXPECT_TRUE(window->RemoveButton()->isEnabled());
}

TEST_F(UninstallWindowTest, ListAllowsSeveralItemsSelected) {
    auto window = Open();
    EXPECT_EQ(window->List()->selectionMode(), QAbstractItemView::ExtendedSelection);
    QTest::mouseClick(window->List()->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      window->List()->visualItemRect(window->List()->topLevelItem(2)).center());
    EXPECT_EQ(window->Selected(), (std::vector<std::string>{"presslane_3000", "presslane_c5000"}));
}

TEST_F(UninstallWindowTest, SelectAllAndDeselectAllDriveTheRemoveButton) {
    auto window = Open();
    QTest::mouseClick(window->SelectAllButton(), Qt::LeftButton);
    EXPECT_EQ(window->Selected().size(), 3u);
    EXPECT_TRUE(window->RemoveButton()->isEnabled());
    QTest::mouseClick(window->DeselectAllButton(), Qt::LeftButton);
    EXPECT_TRUE(window->Selected().empty());
    EXPECT_FALSE(window->List()->currentIndex().isValid());
    EXPECT_FALSE(window->RemoveButton()->isEnabled());
    window->List()->topLevelItem(1)->setSelected(true);
    EXPECT_TRUE(window->RemoveButton()->isEnabled());
}

TEST_F(UninstallWindowTest, RemovingTheSecondAndThirdLeavesTheFirstListed) {
    auto window = Open();
    Select(*window, {1, 2});
    QTest::mouseClick(window->RemoveButton(), Qt::LeftButton);
    EXPECT_EQ(Listed(*window), std::vector<std::string>{"presslane_3000"});
    EXPECT_FALSE(Exists(Installed("Data/presslane_7000")));
    EXPECT_FALSE(Exists(Installed("Data/presslane_c5000")));
    EXPECT_TRUE(Exists(Installed("ktendwell")));
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(m_answers.Asked().empty());
}

TEST_F(UninstallWindowTest, SelectAllThenRemoveRemovesEverythingAndSaysSo) {
    auto window = Open();
    QTest::mouseClick(window->SelectAllButton(), Qt::LeftButton);
    QTest::mouseClick(window->RemoveButton(), Qt::LeftButton);
    ASSERT_EQ(m_answers.Asked().size(), 1u);
    EXPECT_EQ(m_answers.Asked()[0].Caption, "Kaldo Tendwell Uninstall Complete");
    EXPECT_EQ(m_answers.Asked()[0].Icon, kaldo::MessageIcon::Information);
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(Exists(m_machine.ProgramFolder()));
    EXPECT_FALSE(Exists(MenuShortcut()));
    EXPECT_FALSE(Exists(DesktopShortcut()));
    EXPECT_FALSE(KeyExists(kaldo::kUninstallKey));
}

TEST_F(UninstallWindowTest, RemovalThatLeavesFilesSaysWhichInsteadOfComplete) {
    const std::string stubborn = Installed("Data/presslane_c5000/xml/index.xml");
    kaldo::testsupport::SetupKeepingFile setup(m_registry, stubborn);
    kaldo::Uninstaller uninstaller(setup, m_registry, "");
    uninstaller.Refresh();
    UninstallWindow window(setup, uninstaller, m_answers.Function());
    window.show();
    QApplication::processEvents();
    QTest::mouseClick(window.SelectAllButton(), Qt::LeftButton);
    QTest::mouseClick(window.RemoveButton(), Qt::LeftButton);
    ASSERT_EQ(m_answers.Asked().size(), 1u);
    const kaldo::MessageRequest& told = m_answers.Asked()[0];
    EXPECT_EQ(told.Caption, "Kaldo Tendwell");
    EXPECT_EQ(told.Text, "These files could not be removed:\n\n" + stubborn);
    EXPECT_EQ(told.Icon, kaldo::MessageIcon::Warning);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(UninstallWindowTest, DoneClosesWithoutRemoving) {
    auto window = Open();
    QTest::mouseClick(window->DoneButton(), Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(Exists(Installed("Data/presslane_3000")));
}

TEST_F(UninstallWindowTest, RunningProgramShowsOnlyTheMessage) {
    kaldo::ProgramLock lock(kaldo::JoinPath(m_uninstaller.ProgramFolder(), "ktendwell.lock"));
    ASSERT_TRUE(lock.Held()) << lock.Error();
    bool windowShown = false;
    EXPECT_EQ(kaldo::RunUninstallWindow(
                  m_setup, m_uninstaller, kaldo::MainProgramState(m_uninstaller.ProgramFolder()),
                  m_answers.Function(), [&](QDialog&) { windowShown = true; }),
              0);
    EXPECT_FALSE(windowShown);
    ASSERT_EQ(m_answers.Asked().size(), 1u);
    EXPECT_EQ(m_answers.Asked()[0].Caption, "Kaldo Tendwell Currently Running");
    EXPECT_EQ(m_answers.Asked()[0].Icon, kaldo::MessageIcon::Warning);
    EXPECT_TRUE(Exists(Installed("Data/presslane_3000")));
}

TEST_F(UninstallWindowTest, ProgramStateThatCannotBeToldShowsOnlyTheMessage) {
    bool windowShown = false;
    EXPECT_EQ(kaldo::RunUninstallWindow(m_setup, m_uninstaller, kaldo::RunState::Unknown,
                                        m_answers.Function(),
                                        [&](QDialog&) { windowShown = true; }),
              0);
    EXPECT_FALSE(windowShown);
    ASSERT_EQ(m_answers.Asked().size(), 1u);
    EXPECT_EQ(m_answers.Asked()[0].Caption, "Kaldo Tendwell");
    EXPECT_EQ(m_answers.Asked()[0].Text,
              "The uninstall cannot tell whether the Kaldo Tendwell is running.\nIts lock file "
              "in the program folder cannot be read.\nNothing has been removed.");
    EXPECT_TRUE(Exists(Installed("Data/presslane_3000")));
}

TEST_F(UninstallWindowTest, NothingInstalledShowsTheMessageOnly) {
    ASSERT_TRUE(m_uninstaller.Remove(m_uninstaller.Contents()));
    bool windowShown = false;
    kaldo::RunUninstallWindow(m_setup, m_uninstaller, kaldo::RunState::NotRunning,
                              m_answers.Function(), [&](QDialog&) { windowShown = true; });
    EXPECT_FALSE(windowShown);
    ASSERT_EQ(m_answers.Asked().size(), 1u);
    EXPECT_EQ(m_answers.Asked()[0].Caption, "Kaldo Tendwell Not Installed");
    EXPECT_EQ(m_answers.Asked()[0].Text,
              "The Kaldo Tendwell is not installed on this PC.\nThe uninstall will now exit.");
}

TEST_F(UninstallWindowTest, RunShowsTheWindowWhenThereIsContent) {
    bool windowShown = false;
    kaldo::RunUninstallWindow(m_setup, m_uninstaller, kaldo::RunState::NotRunning,
                              m_answers.Function(), [&](QDialog& window) {
                                  windowShown = true;
                                  QTimer::singleShot(0, &window, [&window] { window.accept(); });
                              });
    EXPECT_TRUE(windowShown);
    EXPECT_TRUE(m_answers.Asked().empty());
}

} // namespace
