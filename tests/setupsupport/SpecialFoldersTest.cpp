#include "setupsupport/SpecialFolders.h"

#include "tests/setupsupport/SetupTestMachine.h"

#include <gtest/gtest.h>

namespace {

using kaldo::testsupport::ScopedEnv;
using kaldo::testsupport::SetupTestMachine;
using kaldo::testsupport::WriteBytes;

class SpecialFoldersTest : public testing::Test {
protected:
    SetupTestMachine m_machine;
};

TEST_F(SpecialFoldersTest, ProgramFilesAndCommonMenuLieBelowTheRoot) {
    EXPECT_EQ(kaldo::SpecialFolderPath(kaldo::kFolderProgramFiles), m_machine.Path("root/opt"));
    EXPECT_EQ(kaldo::SpecialFolderPath(kaldo::kFolderCommonPrograms), m_machine.CommonPrograms());
}

TEST_F(SpecialFoldersTest, UserMenuFollowsXdgDataHome) {
    EXPECT_EQ(kaldo::SpecialFolderPath(kaldo::kFolderPrograms), m_machine.UserPrograms());
}

TEST_F(SpecialFoldersTest, UserMenuFallsBackToHomeWhenDataHomeIsUnsetOrRelative) {
    {
        ScopedEnv data("XDG_DATA_HOME", nullptr);
        EXPECT_EQ(kaldo::SpecialFolderPath(kaldo::kFolderPrograms),
                  m_machine.Home() + "/.local/share/applications");
    }
    ScopedEnv data("XDG_DATA_HOME", "relative/data");
    EXPECT_EQ(kaldo::SpecialFolderPath(kaldo::kFolderPrograms),
              m_machine.Home() + "/.local/share/applications");
}

TEST_F(SpecialFoldersTest, DesktopIsHomeDesktopWithoutUserDirs) {
    EXPECT_EQ(kaldo::SpecialFolderPath(kaldo::kFolderCommonDesktop), m_machine.Desktop());
}

TEST_F(SpecialFoldersTest, DesktopComesFromUserDirsFile) {
    WriteBytes(m_machine.Home() + "/config/user-dirs.dirs",
               "# written by xdg-user-dirs-update\n"
               "XDG_DOWNLOAD_DIR=\"$HOME/Downloads\"\n"
               "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n");
    EXPECT_EQ(kaldo::SpecialFolderPath(kaldo::kFolderCommonDesktop),
              m_machine.Home() + "/Schreibtisch");
}

// Setup runs as root for the user, who writes the file: its desktop never leads out of home.
TEST_F(SpecialFoldersTest, DesktopFromUserDirsFileLiesInTheHomeFolder) {
    const std::string file = m_machine.Home() + "/config/user-dirs.dirs";
    std::filesystem::create_directories(m_machine.Path("system/autostart"));
    std::filesystem::create_directory_symlink(m_machine.Path("system"),
                                              m_machine.Home() + "/Bureau");
    for (const std::string& value :
         {m_machine.Path("system/autostart"), std::string("$HOME/../system/autostart"),
          std::string("$HOME/Bureau/autostart")}) {
        WriteBytes(file, "XDG_DESKTOP_DIR=\"" + value + "\"\n");
        EXPECT_EQ(kaldo::SpecialFolderPath(kaldo::kFolderCommonDesktop), m_machine.Desktop())
            << value;
    }
    WriteBytes(file, "XDG_DESKTOP_DIR=\"$HOME\"\n");
    EXPECT_EQ(kaldo::SpecialFolderPath(kaldo::kFolderCommonDesktop), m_machine.Home());
}

TEST_F(SpecialFoldersTest, DesktopFromEnvironmentWhenTheFileDoesNotSetIt) {
    ScopedEnv desktop("XDG_DESKTOP_DIR", "/srv/shared-desktop");
    EXPECT_EQ(kaldo::SpecialFolderPath(kaldo::kFolderCommonDesktop), "/srv/shared-desktop");
}

TEST_F(SpecialFoldersTest, UnknownIdHasNoFolder) {
    EXPECT_FALSE(kaldo::SpecialFolderPath(0));
    EXPECT_FALSE(kaldo::SpecialFolderPath(26));
}

TEST(UserDirsTest, ValuesMayBeHomeRelativeAbsoluteOrEscaped) {
    const std::string text = "XDG_DESKTOP_DIR=\"$HOME\"\n"
                             "XDG_MUSIC_DIR=\"/data/music\"\n"
                             "XDG_VIDEOS_DIR=\"$HOME/My \\\"Films\\\"\"\n";
    EXPECT_EQ(kaldo::UserDirFromFile(text, "DESKTOP", "/home/ann"), "/home/ann");
    EXPECT_EQ(kaldo::UserDirFromFile(text, "MUSIC", "/home/ann"), "/data/music");
    EXPECT_EQ(kaldo::UserDirFromFile(text, "VIDEOS", "/home/ann"), "/home/ann/My \"Films\"");
}

TEST(UserDirsTest, RelativeOrMissingValueIsNotUsed) {
    EXPECT_FALSE(kaldo::UserDirFromFile("XDG_DESKTOP_DIR=\"Desktop\"\n", "DESKTOP", "/home/ann"));
    EXPECT_FALSE(kaldo::UserDirFromFile("# XDG_DESKTOP_DIR=\"/x\"\n", "DESKTOP", "/home/ann"));
    EXPECT_FALSE(kaldo::UserDirFromFile("", "DESKTOP", "/home/ann"));
}

TEST(UserDirsTest, LastAssignmentWins) {
    EXPECT_EQ(kaldo::UserDirFromFile("XDG_DESKTOP_DIR=\"/a\"\nXDG_DESKTOP_DIR=\"/b\"\n", "DESKTOP",
                                     "/home/ann"),
              "/b");
}

} // namespace
