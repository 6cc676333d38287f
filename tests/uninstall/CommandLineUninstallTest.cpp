#include "uninstall/CommandLineUninstall.h"

#include "setup/CommandLineInstall.h"
#include "tests/uninstall/UninstallTestInstallation.h"
#include "uninstall/Uninstaller.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace {

using kaldo::ParseUninstallerOptions;
using kaldo::UninstallerOptions;

// Setup support whose tree deletion fails, as on a file system that refuses.
class CommandLineUninstallTest : public testing::Test, public kaldo::testsupport::InstalledMachine {
protected:
    void SetUp() override { ASSERT_TRUE(m_installed.Succeeded()) << m_installed.Message; }

    int Run(const std::vector<std::string>& arguments,
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
    EXPECT_EQ(Run({"--remove-all"}, kaldo::RunState::Running), kaldo::kExitNotRemoved);
    EXPECT_EQ(m_err.str(), "Kaldo Tendwell Currently Running: The Kaldo Tendwell is currently "
                           "running. Please exit the Kaldo Tendwell. Once closed, please run this "
                           "uninstall again.\n");
    EXPECT_TRUE(Exists(Installed("Data/presslane_3000")));
}

TEST_F(CommandLineUninstallTest, RefusesWhenItCannotTellWhetherTheProgramRuns) {
    EXPECT_EQ(Run({"--remove-all"}, kaldo::RunState::Unknown), kaldo::kExitNotRemoved);
    EXPECT_EQ(m_err.str(), "Kaldo Tendwell: The uninstall cannot tell whether the Kaldo Tendwell "
                           "is running. Its lock file in the program folder cannot be read. "
                           "Nothing has been removed.\n");
    EXPECT_TRUE(Exists(Installed("Data/presslane_3000")));
}

TEST_F(CommandLineUninstallTest, RemovesNamedFoldersOnly) {
    EXPECT_EQ(Run({"--remove", "PRESSLANE_7000"}), kaldo::kExitRemoved);
    EXPECT_EQ(m_out.str(), "removed presslane_7000\n");
    EXPECT_FALSE(Exists(Installed("Data/presslane_7000")));
    EXPECT_TRUE(Exists(Installed("Data/presslane_3000")));
    EXPECT_TRUE(Exists(Installed("ktendwell")));
}

TEST_F(CommandLineUninstallTest, UnknownFolderRemovesNothing) {
    EXPECT_EQ(Run({"--remove", "presslane_3000", "presslane_9999"}), kaldo::kExitUninstallUsage);
    EXPECT_NE(m_err.str().find("no content folder named presslane_9999"), std::string::npos);
    EXPECT_NE(m_err.str().find("presslane_c5000"), std::string::npos);
    EXPECT_TRUE(Exists(Installed("Data/presslane_3000")));
}

TEST_F(CommandLineUninstallTest, RemovingEveryFolderRemovesTheInstallation) {
    EXPECT_EQ(Run({"--remove", "presslane_3000", "presslane_7000", "presslane_c5000"}),
              kaldo::kExitRemoved);
    EXPECT_FALSE(Exists(m_machine.ProgramFolder()));
    EXPECT_NE(m_out.str().find("Kaldo Tendwell Uninstall Complete: The Kaldo Tendwell uninstall "
                               "has completed. All Kaldo Tendwell content"),
              std::string::npos)
        << m_out.str();
}

TEST_F(CommandLineUninstallTest, RemoveAllTakesEverything) {
    EXPECT_EQ(Run({"--remove-all"}), kaldo::kExitRemoved);
    EXPECT_FALSE(Exists(m_machine.ProgramFolder()));
    EXPECT_FALSE(Exists(MenuShortcut()));
    EXPECT_FALSE(KeyExists(kaldo::kProgramKey));
}

TEST_F(CommandLineUninstallTest, NothingInstalledSaysSo) {
    ASSERT_EQ(Run({"--remove-all"}), kaldo::kExitRemoved);
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

// The installer's and the uninstaller's command lines over a distribution folder that holds
// one entry the installer refuses to copy.
class HalfInstallationTest : public testing::Test {
protected:
    HalfInstallationTest() { kaldo::testsupport::MakeDistribution(m_dist); }

    int Install() {
        kaldo::LinuxSetupSupport installer(kaldo::kInstallerStringTables, m_registry,
                                           "en_US.UTF-8");
        return kaldo::RunCommandLineInstall(kaldo::ParseInstallerOptions({"--silent"}), installer,
                                            m_registry, m_dist, m_installOut, m_installErr);
    }
    int RemoveAll() {
        kaldo::Uninstaller uninstaller(m_setup, m_registry, "");
        return kaldo::RunCommandLineUninstall(ParseUninstallerOptions({"--remove-all"}), m_setup,
                                              uninstaller, kaldo::RunState::NotRunning, m_out,
                                              m_err);
    }
    // Every file below the machine's root and the user's home but the two registry files.
    std::vector<std::string> FilesLeft() const {
        namespace fs = std::filesystem;
        std::vector<std::string> files;
        for (const char* top : {"root", "home"}) {
            for (const auto& entry : fs::recursive_directory_iterator(m_machine.Path(top))) {
                const std::string path = entry.path().string();
                if (!entry.is_directory() && path != m_machine.MachineRegistry() &&
                    path != m_machine.UserRegistry())
                    files.push_back(path);
            }
        }
        return files;
    }
    bool KeyExists(std::string_view key) const {
        return m_registry.KeyExists(kaldo::Hive::LocalMachine, key);
    }

    kaldo::testsupport::SetupTestMachine m_machine;
    std::string m_dist = m_machine.Path("dist");
    kaldo::IniRegistry m_registry{m_machine.MachineRegistry(), m_machine.UserRegistry()};
    kaldo::LinuxSetupSupport m_setup{kaldo::kUninstallerStringTables, m_registry, "en_US.UTF-8"};
    std::ostringstream m_installOut;
    std::ostringstream m_installErr;
    std::ostringstream m_out;
    std::ostringstream m_err;
};

TEST_F(HalfInstallationTest, FailedInstallationIsReportedAndRemovedLeavingNothing) {
    kaldo::testsupport::WriteBytes(m_machine.Path("elsewhere/secret.txt"), "not shipped");
    const std::string link = m_dist + "/Data/presslane_3000/manual.pdf";
    std::filesystem::create_symlink(m_machine.Path("elsewhere/secret.txt"), link);
    EXPECT_EQ(Install(), kaldo::kExitInstallFailed);
    EXPECT_NE(m_installErr.str().find("Installation Failed!"), std::string::npos);
    EXPECT_NE(m_installErr.str().find(link), std::string::npos) << m_installErr.str();
    EXPECT_EQ(m_installOut.str().find("installed"), std::string::npos) << m_installOut.str();
    ASSERT_TRUE(KeyExists(kaldo::kUninstallKey));

    EXPECT_EQ(RemoveAll(), kaldo::kExitRemoved) << m_err.str();
    EXPECT_EQ(FilesLeft(), std::vector<std::string>{});
    EXPECT_FALSE(KeyExists(kaldo::kUninstallKey));
    EXPECT_FALSE(KeyExists(kaldo::kProgramKey));
}

// The copy can fail before any content folder is in place.
TEST_F(HalfInstallationTest, InstallationWithoutContentIsRemovedWithRemoveAll) {
    namespace fs = std::filesystem;
    fs::rename(m_dist + "/Data", m_machine.Path("elsewhere"));
    fs::create_directory_symlink(m_machine.Path("elsewhere"), m_dist + "/Data");
    EXPECT_EQ(Install(), kaldo::kExitInstallFailed);
    EXPECT_NE(m_installErr.str().find(m_dist + "/Data"), std::string::npos);

    EXPECT_EQ(RemoveAll(), kaldo::kExitRemoved) << m_err.str();
    EXPECT_EQ(FilesLeft(), std::vector<std::string>{});
    EXPECT_FALSE(KeyExists(kaldo::kUninstallKey));
}

} // namespace
