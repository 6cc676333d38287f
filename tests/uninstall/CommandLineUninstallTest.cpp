#include "uninstall/CommandLineUninstall.h"

#include "tests/uninstall/UninstallTestInstallation.h"
#include "uninstall/Uninstaller.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

using kaldo::ParseUninstallerOptions;
using kaldo::UninstallerOptions;

// Setup support whose tree deletion fails, as on a file system that refuses.
class CommandLineUninstallTest : public testing::Test, public kaldo::testsupport::InstalledMachine {
protected:
    void SetUp() override { ASSERT_TRUE(m_installed.Succeeded()) << m_installed.Message; }

    int run(const std::vector<std::string>& arguments,
            kaldo::RunState running = kaldo::RunState::NotRunning) {
        return kaldo::RunCommandLineUninstall(ParseUninstallerOptions(arguments), m_setup,
                                              m_uninstaller, running, m_out, m_err);
    }

    kaldo::LinuxSetupSupport m_setup{kaldo::kUninstallerStringTables, m_registry, "en_US.UTF-8"};
    kaldo::Uninstaller m_uninstaller{m_setup, m_registry, ""};
    std::ostringstream m_out;
    std::ostringstream m_err;
};

TEST(UninstallerOptionsTest, NoArgumentsMeanTheWindow) {
    const UninstallerOptions options = ParseUninstallerOptions({});
    EXPECT_FALSE(options.CommandLine());
    EXPECT_TRUE(options.Error.empty());
}

TEST(UninstallerOptionsTest, RemoveTakesEveryFolderThatFollows) {
    const UninstallerOptions options = ParseUninstallerOptions({"--remove", "a", "b c"});
    EXPECT_EQ(options.Remove, (std::vector<std::string>{"a", "b c"}));
    EXPECT_TRUE(options.CommandLine());
    EXPECT_TRUE(ParseUninstallerOptions({"--remove-all"}).RemoveAll);
}

TEST(UninstallerOptionsTest, WrongArgumentsAreErrors) {
    EXPECT_FALSE(ParseUninstallerOptions({"--remove"}).Error.empty());
    EXPECT_FALSE(ParseUninstallerOptions({"--remove-all", "--remove", "a"}).Error.empty());
    EXPECT_FALSE(ParseUninstallerOptions({"folder"}).Error.empty());
    EXPECT_FALSE(ParseUninstallerOptions({"--purge"}).Error.empty());
    EXPECT_TRUE(ParseUninstallerOptions({"--help"}).Help);
}

TEST(UninstallerOptionsTest, UsageNamesEveryOption) {
    const std::string usage = kaldo::UninstallerUsage("tendwelluninstall");
    for (const char* option : {"--remove-all", "--remove FOLDER", "--help", "Exit status"})
        EXPECT_NE(usage.find(option), std::string::npos) << option;
}

TEST_F(CommandLineUninstallTest, RefusesWhileTheProgramRuns) {
    EXPECT_EQ(run({"--remove-all"}, kaldo::RunState::Running), kaldo::kExitNotRemoved);
    EXPECT_EQ(m_err.str(), "Kaldo Tendwell Currently Running: The Kaldo Tendwell is currently "
                           "running. Please exit the Kaldo Tendwell. Once closed, please run this "
                           "uninstall again.\n");
    EXPECT_TRUE(Exists(Installed("Data/presslane_3000")));
}

TEST_F(CommandLineUninstallTest, RefusesWhenItCannotTellWhetherTheProgramRuns) {
    EXPECT_EQ(run({"--remove-all"}, kaldo::RunState::Unknown), kaldo::kExitNotRemoved);
    EXPECT_EQ(m_err.str(), "Kaldo Tendwell: The uninstall cannot tell whether the Kaldo Tendwell "
                           "is running. Its lock file in the program folder cannot be read. "
                           "Nothing has been removed.\n");
    EXPECT_TRUE(Exists(Installed("Data/presslane_3000")));
}

TEST_F(CommandLineUninstallTest, RemovesNamedFoldersOnly) {
    EXPECT_EQ(run({"--remove", "PRESSLANE_7000"}), kaldo::kExitRemoved);
    EXPECT_EQ(m_out.str(), "removed presslane_7000\n");
    EXPECT_FALSE(Exists(Installed("Data/presslane_7000")));
    EXPECT_TRUE(Exists(Installed("Data/presslane_3000")));
    EXPECT_TRUE(Exists(Installed("ktendwell")));
}

TEST_F(CommandLineUninstallTest, UnknownFolderRemovesNothing) {
    EXPECT_EQ(run({"--remove", "presslane_3000", "presslane_9999"}), kaldo::kExitUninstallUsage);
    EXPECT_NE(m_err.str().find("no content folder named presslane_9999"), std::string::npos);
    EXPECT_NE(m_err.str().find("presslane_c5000"), std::string::npos);
    EXPECT_TRUE(Exists(Installed("Data/presslane_3000")));
}

TEST_F(CommandLineUninstallTest, RemovingEveryFolderRemovesTheInstallation) {
    EXPECT_EQ(run({"--remove", "presslane_3000", "presslane_7000", "presslane_c5000"}),
              kaldo::kExitRemoved);
    EXPECT_FALSE(Exists(m_machine.ProgramFolder()));
    EXPECT_NE(m_out.str().find("Kaldo Tendwell Uninstall Complete: The Kaldo Tendwell uninstall "
                               "has completed. All Kaldo Tendwell content"),
              std::string::npos)
        << m_out.str();
}

TEST_F(CommandLineUninstallTest, RemoveAllTakesEverything) {
    EXPECT_EQ(run({"--remove-all"}), kaldo::kExitRemoved);
    EXPECT_FALSE(Exists(m_machine.ProgramFolder()));
    EXPECT_FALSE(Exists(MenuShortcut()));
    EXPECT_FALSE(KeyExists(kaldo::kProgramKey));
}

TEST_F(CommandLineUninstallTest, NothingInstalledSaysSo) {
    ASSERT_EQ(run({"--remove-all"}), kaldo::kExitRemoved);
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(kaldo::RunCommandLineUninstall(ParseUninstallerOptions({"--remove-all"}), m_setup,
                                             m_uninstaller, kaldo::RunState::NotRunning, out, err),
              kaldo::kExitNotInstalled);
    EXPECT_EQ(err.str(), "Kaldo Tendwell Not Installed: The Kaldo Tendwell is not installed on "
                         "this PC. The uninstall will now exit.\n");
}

TEST_F(CommandLineUninstallTest, WhatCouldNotBeRemovedIsReported) {
    const std::string kept = Installed("Data/presslane_3000/toolboxinfo.xml");
    kaldo::testsupport::SetupKeepingFile stubborn(m_registry, kept);
    kaldo::Uninstaller uninstaller(stubborn, m_registry, "");
    EXPECT_EQ(kaldo::RunCommandLineUninstall(ParseUninstallerOptions({"--remove-all"}), stubborn,
                                             uninstaller, kaldo::RunState::NotRunning, m_out,
                                             m_err),
              kaldo::kExitNotRemoved);
    EXPECT_NE(m_out.str().find("could not remove presslane_3000"), std::string::npos);
    EXPECT_NE(m_err.str().find("could not remove " + kept + "\n"), std::string::npos)
        << m_err.str();
    EXPECT_EQ(m_out.str().find("Uninstall Complete"), std::string::npos);
}

} // namespace
