#include "uninstall/Uninstaller.h"

#include "platform/Paths.h"
#include "platform/instance/ProgramLock.h"
#include "tests/support/ChildProcess.h"
#include "tests/uninstall/UninstallTestInstallation.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using kaldo::RunState;
using kaldo::Uninstaller;
using kaldo::testsupport::WriteBytes;

class UninstallerTest : public testing::Test, public kaldo::testsupport::InstalledMachine {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_installed.Succeeded()) << m_installed.Message;
        m_uninstaller.Refresh();
    }

    kaldo::LinuxSetupSupport m_setup{kaldo::kUninstallerStringTables, m_registry, "en_US.UTF-8"};
    Uninstaller m_uninstaller{m_setup, m_registry, ""};
};

TEST_F(UninstallerTest, ListsTheInstalledContentFoldersInNameOrder) {
    EXPECT_EQ(m_uninstaller.ProgramFolder(), m_machine.ProgramFolder());
    EXPECT_EQ(m_uninstaller.Contents(),
              (std::vector<std::string>{"presslane_3000", "presslane_7000", "presslane_c5000"}));
}

TEST(ContentFoldersTest, OnlyPlainFoldersAreContent) {
    kaldo::testsupport::TempFolder data;
    fs::create_directories(data / "Zeta");
    fs::create_directories(data / "alpha");
    fs::create_directories(data / "readonly");
    fs::permissions(data / "readonly", fs::perms::owner_read | fs::perms::owner_exec);
    fs::create_directories(data / ".hidden");
    fs::create_directory_symlink(data / "alpha", data / "linked");
    WriteBytes(data / "notes.txt", "x");
    EXPECT_EQ(kaldo::ContentFolders(data.Path()), (std::vector<std::string>{"alpha", "Zeta"}));
    EXPECT_TRUE(kaldo::ContentFolders(data / "absent").empty());
}

TEST_F(UninstallerTest, FindsContentByNameWithoutRegardToCase) {
    EXPECT_EQ(m_uninstaller.FindContent("presslane_3000"), "presslane_3000");
    EXPECT_EQ(m_uninstaller.FindContent("PressLane_C5000"), "presslane_c5000");
    EXPECT_EQ(m_uninstaller.FindContent("presslane_9999"), "");
}

TEST_F(UninstallerTest, RemovingSomeFoldersLeavesTheRestAndTheInstallation) {
    EXPECT_FALSE(m_uninstaller.Remove({"presslane_7000", "presslane_c5000"}));
    EXPECT_EQ(m_uninstaller.Contents(), std::vector<std::string>{"presslane_3000"});
    EXPECT_FALSE(Exists(Installed("Data/presslane_7000")));
    EXPECT_FALSE(Exists(Installed("Data/presslane_c5000")));
    EXPECT_TRUE(Exists(Installed("Data/presslane_3000/toolboxinfo.xml")));
    EXPECT_TRUE(Exists(Installed("ktendwell")));
    EXPECT_TRUE(Exists(MenuShortcut()));
    EXPECT_TRUE(KeyExists(kaldo::kProgramKey));
}

TEST_F(UninstallerTest, RemovingTheLastFolderRemovesTheInstallation) {
    EXPECT_FALSE(m_uninstaller.Remove({"presslane_3000", "presslane_7000"}));
    EXPECT_TRUE(m_uninstaller.Remove({"presslane_c5000"}));
    EXPECT_TRUE(m_uninstaller.Contents().empty());
    EXPECT_FALSE(Exists(MenuShortcut()));
    EXPECT_FALSE(Exists(DesktopShortcut()));
    EXPECT_FALSE(KeyExists(kaldo::kProgramKey));
    EXPECT_FALSE(KeyExists(kaldo::kUninstallKey));
    EXPECT_FALSE(Exists(m_machine.ProgramFolder()));
}

TEST_F(UninstallerTest, MenuEntriesSubmenuAndIconGoWithTheInstallation) {
    for (const std::string& file :
         {MenuShortcut(), UninstallerMenuEntry(), SubmenuDirectory(), SubmenuMenu(), ThemeIcon()})
        EXPECT_TRUE(Exists(file)) << file;
    ASSERT_TRUE(m_uninstaller.Remove(m_uninstaller.Contents()));
    for (const std::string& file :
         {MenuShortcut(), UninstallerMenuEntry(), SubmenuDirectory(), SubmenuMenu(), ThemeIcon()})
        EXPECT_FALSE(Exists(file)) << file;
    EXPECT_TRUE(m_uninstaller.NotRemoved().empty());
}

TEST_F(UninstallerTest, SubmenuStaysWhileAnotherProgramHasAnEntryInIt) {
    ASSERT_TRUE(m_setup.createProgramsShortcut("/opt/Kaldo/Other/other",
                                               "Kaldo Presslane\\Kaldo Other", "", ""));
    ASSERT_TRUE(m_uninstaller.Remove(m_uninstaller.Contents()));
    EXPECT_FALSE(Exists(MenuShortcut()));
    EXPECT_TRUE(Exists(SubmenuDirectory()));
    EXPECT_TRUE(Exists(SubmenuMenu()));
}

TEST_F(UninstallerTest, DataFolderInAnyCaseIsListedAndRemoved) {
    fs::rename(Installed("Data"), Installed("data"));
    Uninstaller uninstaller(m_setup, m_registry, "");
    uninstaller.Refresh();
    EXPECT_EQ(uninstaller.DataFolder(), Installed("data"));
    ASSERT_EQ(uninstaller.Contents().size(), 3u);
    EXPECT_TRUE(uninstaller.Remove(uninstaller.Contents()));
    EXPECT_FALSE(Exists(m_machine.ProgramFolder()));
}

TEST_F(UninstallerTest, FilesThatCouldNotBeDeletedAreNamed) {
    const std::string stubborn = Installed("Data/presslane_7000/toolboxinfo.xml");
    kaldo::testsupport::SetupKeepingFile setup(m_registry, stubborn);
    Uninstaller uninstaller(setup, m_registry, "");
    uninstaller.Refresh();
    EXPECT_FALSE(uninstaller.Remove({"presslane_7000", "presslane_3000"}));
    EXPECT_EQ(uninstaller.NotRemoved(), std::vector<std::string>{stubborn});
    EXPECT_FALSE(Exists(Installed("Data/presslane_3000")));

    EXPECT_TRUE(uninstaller.Remove(uninstaller.Contents()));
    EXPECT_EQ(uninstaller.NotRemoved(), std::vector<std::string>{stubborn});
    EXPECT_FALSE(Exists(Installed("ktendwell")));

    kaldo::testsupport::SetupKeepingFile clean(m_registry, "");
    Uninstaller again(clean, m_registry, "");
    again.Refresh();
    EXPECT_TRUE(again.Remove(again.Contents()));
    EXPECT_TRUE(again.NotRemoved().empty());
    EXPECT_FALSE(Exists(m_machine.ProgramFolder()));
}

TEST_F(UninstallerTest, WhatTheInstallationDoesNotOwnStays) {
    ASSERT_TRUE(m_uninstaller.Remove(m_uninstaller.Contents()));
    EXPECT_TRUE(fs::is_directory(m_machine.Path("root/opt/Kaldo")));
    EXPECT_TRUE(fs::is_directory(m_machine.CommonPrograms()));
    EXPECT_EQ(
        m_registry.QueryValue(kaldo::Hive::CurrentUser, kaldo::kHandOverKey, kaldo::kHandOverValue),
        "Office Printer");
}

TEST_F(UninstallerTest, LinkToAFolderOutsideSurvivesUntouched) {
    WriteBytes(m_machine.Path("shared/manuals/guide.pdf"), "shared guide");
    fs::create_directory_symlink(m_machine.Path("shared"), Installed("Data/presslane_3000/shared"));
    fs::create_directory_symlink(m_machine.Path("shared"), Installed("shared-link"));
    ASSERT_TRUE(m_uninstaller.Remove(m_uninstaller.Contents()));
    EXPECT_FALSE(Exists(m_machine.ProgramFolder()));
    EXPECT_EQ(kaldo::testsupport::ReadBytes(m_machine.Path("shared/manuals/guide.pdf")),
              "shared guide");
}

TEST_F(UninstallerTest, OwnFileInTheProgramFolderGoesToo) {
    Uninstaller fromProgramFolder(m_setup, m_registry, Installed("tendwelluninstall"));
    fromProgramFolder.Refresh();
    ASSERT_TRUE(fromProgramFolder.Remove(fromProgramFolder.Contents()));
    EXPECT_FALSE(Exists(Installed("tendwelluninstall")));
    EXPECT_FALSE(Exists(m_machine.ProgramFolder()));
    EXPECT_TRUE(fs::is_directory(m_machine.Path("root/opt/Kaldo")));
}

TEST_F(UninstallerTest, OwnFileInASubfolderTakesItsEmptyFoldersWithIt) {
    WriteBytes(Installed("bin/tendwelluninstall"), "uninstaller");
    Uninstaller fromSubfolder(m_setup, m_registry, Installed("bin/tendwelluninstall"));
    fromSubfolder.Refresh();
    ASSERT_TRUE(fromSubfolder.Remove(fromSubfolder.Contents()));
    EXPECT_FALSE(Exists(m_machine.ProgramFolder()));
    EXPECT_TRUE(fs::is_directory(m_machine.Path("root/opt/Kaldo")));
}

TEST_F(UninstallerTest, OwnFileOutsideTheProgramFolderIsNotTouched) {
    WriteBytes(m_machine.Path("elsewhere/tendwelluninstall"), "uninstaller");
    Uninstaller fromElsewhere(m_setup, m_registry, m_machine.Path("elsewhere/tendwelluninstall"));
    fromElsewhere.Refresh();
    ASSERT_TRUE(fromElsewhere.Remove(fromElsewhere.Contents()));
    EXPECT_FALSE(Exists(m_machine.ProgramFolder()));
    EXPECT_TRUE(Exists(m_machine.Path("elsewhere/tendwelluninstall")));
}

TEST_F(UninstallerTest, NamesThatAreNoFolderNamesRemoveNothing) {
    WriteBytes(m_machine.Path("root/opt/Kaldo/keep.txt"), "keep");
    EXPECT_FALSE(m_uninstaller.Remove({"", ".", "..", "../..", "presslane_3000/../.."}));
    EXPECT_EQ(m_uninstaller.Contents().size(), 3u);
    EXPECT_TRUE(Exists(m_machine.Path("root/opt/Kaldo/keep.txt")));
}

TEST_F(UninstallerTest, MainProgramIsSeenWhileAnInstanceHoldsTheInstallationsLock) {
    const std::string folder = m_uninstaller.ProgramFolder();
    EXPECT_EQ(kaldo::MainProgramState(folder), RunState::NotRunning);
    {
        kaldo::ProgramLock lock(kaldo::JoinPath(folder, kaldo::ProgramLock::kFileName));
        ASSERT_TRUE(lock.Held()) << lock.Error();
        EXPECT_EQ(kaldo::MainProgramState(folder), RunState::Running);
    }
    EXPECT_EQ(kaldo::MainProgramState(folder), RunState::NotRunning);
}

// An instance of another user, and a lock file the uninstaller cannot read.
TEST_F(UninstallerTest, MainProgramOfAnotherUserIsSeenAndAnUnreadableLockIsUnknown) {
    if (geteuid() != 0)
        GTEST_SKIP() << "needs root to act as another user";
    const std::string folder = m_uninstaller.ProgramFolder();
    const std::string lockFile = kaldo::JoinPath(folder, kaldo::ProgramLock::kFileName);
    WriteBytes(lockFile, "");
    chmod(lockFile.c_str(), 0644);
    // The user must reach the program, as in /opt.
    for (fs::path up = folder; up.string().size() >= m_machine.Root().size(); up = up.parent_path())
        chmod(up.c_str(), 0755);

    kaldo::testsupport::Child instance(
        [&] {
            static kaldo::ProgramLock* kept = new kaldo::ProgramLock(lockFile);
            return kept->Held() ? '1' : '0';
        },
        65534);
    ASSERT_EQ(instance.Answer(), '1');
    EXPECT_EQ(kaldo::MainProgramState(folder), RunState::Running);
    instance.Kill();
    EXPECT_EQ(kaldo::MainProgramState(folder), RunState::NotRunning);

    chmod(lockFile.c_str(), 0600);
    kaldo::testsupport::Child uninstaller(
        [&] { return kaldo::MainProgramState(folder) == RunState::Unknown ? '?' : 'k'; }, 65534);
    EXPECT_EQ(uninstaller.Answer(), '?');
}

} // namespace
