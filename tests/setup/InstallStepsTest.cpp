#include "setup/InstallSteps.h"

#include "TestPaths.h"
#include "platform/registry/IniRegistry.h"
#include "setup/InstallerStrings.h"
#include "setupsupport/LinuxSetupSupport.h"
#include "tests/setup/InstallerTestDistribution.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using kaldo::Hive;
using kaldo::InstallResult;
using kaldo::InstallSettings;
using kaldo::testsupport::ReadBytes;
using kaldo::testsupport::ScopedEnv;
using kaldo::testsupport::SetAge;
using kaldo::testsupport::SetupTestMachine;
using kaldo::testsupport::WriteBytes;

class InstallStepsTest : public testing::Test {
protected:
    void SetUp() override { kaldo::testsupport::MakeDistribution(m_dist); }

    InstallResult Install(const std::string& printer = "") {
        InstallSettings settings{m_machine.Path("root/opt"), printer};
        return kaldo::RunInstall(settings, m_dist, m_setup, m_registry);
    }
    std::string Installed(const std::string& relative) const {
        return m_machine.ProgramFolder() + "/" + relative;
    }
    std::optional<std::string> MachineValue(std::string_view key, std::string_view name) const {
        return m_registry.QueryValue(Hive::LocalMachine, key, name);
    }

    SetupTestMachine m_machine;
    std::string m_dist = m_machine.Path("dist");
    kaldo::IniRegistry m_registry{m_machine.MachineRegistry(), m_machine.UserRegistry()};
    kaldo::LinuxSetupSupport m_setup{kaldo::kInstallerStringTables, m_registry, "en_US.UTF-8"};
};

TEST_F(InstallStepsTest, CopiesTheWholeShippedTreeIntoTheProgramFolder) {
    const InstallResult result = Install();
    ASSERT_TRUE(result.Succeeded()) << result.Message;
    for (const char* file :
         {"ktendwell", "tendwellinstall", "tendwelluninstall",
          "Data/presslane_3000/toolboxinfo.xml", "Data/presslane_3000/ui/home.html",
          "Data/presslane_c5000/xml/index.xml"})
        EXPECT_EQ(ReadBytes(Installed(file)), ReadBytes(m_dist + "/" + file)) << file;
}

TEST_F(InstallStepsTest, EmptySubfoldersAreRecreatedToo) {
    fs::create_directories(m_dist + "/Data/presslane_3000/videos");
    ASSERT_TRUE(Install().Succeeded());
    EXPECT_TRUE(fs::is_directory(Installed("Data/presslane_3000/videos")));
}

TEST_F(InstallStepsTest, MenuAndDesktopShortcutsStartTheMainProgram) {
    ASSERT_TRUE(Install().Succeeded());
    const std::string exec = "\nExec=" + Installed("ktendwell") + "\n";
    const std::string menu = ReadBytes(m_machine.CommonPrograms() + "/kaldo-tendwell.desktop");
    const std::string desktop = ReadBytes(m_machine.Desktop() + "/Kaldo Tendwell.desktop");
    EXPECT_NE(menu.find(exec), std::string::npos) << menu;
    EXPECT_NE(desktop.find(exec), std::string::npos) << desktop;
    EXPECT_NE(desktop.find("\nName=Kaldo Tendwell\n"), std::string::npos);
}

// The wizard and the Debian package give the same menu: the package's files with the
// program folder where this installation put it.
TEST_F(InstallStepsTest, MenuEntrySubmenuAndIconAreThoseOfThePackage) {
    ASSERT_TRUE(Install().Succeeded());
    const std::string packaging = KALDO_SOURCE_DIR "/packaging/";
    std::string entry = ReadBytes(packaging + "kaldo-tendwell.desktop");
    const std::string packagedExec = "Exec=/opt/Kaldo/Tendwell/ktendwell\n";
    ASSERT_NE(entry.find(packagedExec), std::string::npos);
    entry.replace(entry.find(packagedExec), packagedExec.size(),
                  "Exec=" + Installed("ktendwell") + "\n");
    EXPECT_EQ(ReadBytes(m_machine.CommonPrograms() + "/kaldo-tendwell.desktop"), entry);
    EXPECT_EQ(ReadBytes(m_machine.Path("root/usr/local/share/desktop-directories/"
                                       "kaldo-presslane.directory")),
              ReadBytes(packaging + "kaldo-presslane.directory"));
    EXPECT_EQ(ReadBytes(m_machine.Path("root/etc/xdg/menus/applications-merged/"
                                       "kaldo-presslane.menu")),
              ReadBytes(packaging + "kaldo-presslane.menu"));
    const std::string theme = m_machine.Path("root/usr/local/share/icons/hicolor/");
    EXPECT_EQ(ReadBytes(theme + "scalable/apps/kaldo-tendwell.svg"),
              ReadBytes(packaging + "icons/kaldo-tendwell.svg"));
    for (const char* size : {"16x16", "32x32", "48x48", "256x256"})
        EXPECT_EQ(ReadBytes(theme + size + "/apps/kaldo-tendwell.png").substr(1, 3), "PNG") << size;
}

TEST_F(InstallStepsTest, UninstallerHasAnEntryInTheSameSubmenu) {
    ASSERT_TRUE(Install().Succeeded());
    const std::string entry =
        ReadBytes(m_machine.CommonPrograms() + "/kaldo-tendwell-uninstall.desktop");
    EXPECT_NE(entry.find("\nName=Kaldo Tendwell Uninstall\n"), std::string::npos) << entry;
    EXPECT_NE(entry.find("\nExec=" + Installed("tendwelluninstall") + "\n"), std::string::npos);
    EXPECT_NE(entry.find(";X-Kaldo-Presslane;"), std::string::npos);
}

TEST_F(InstallStepsTest, ProgramFolderGetsTheLockFileEveryInstanceHolds) {
    ASSERT_TRUE(Install().Succeeded());
    struct stat info {};
    ASSERT_EQ(::lstat(Installed("ktendwell.lock").c_str(), &info), 0);
    EXPECT_TRUE(S_ISREG(info.st_mode));
    EXPECT_EQ(info.st_mode & 07777, 0644u);
    EXPECT_EQ(info.st_size, 0);
    EXPECT_EQ(info.st_uid, ::geteuid());
}

TEST_F(InstallStepsTest, LinkedFolderInsideTheShippedFolderIsCopiedAsAFolder) {
    WriteBytes(m_dist + "/shared/videos/intro.mp4", "video");
    fs::create_directory_symlink("../../shared/videos", m_dist + "/Data/presslane_3000/videos");
    const InstallResult result = Install();
    ASSERT_TRUE(result.Succeeded()) << result.Message;
    EXPECT_TRUE(fs::is_directory(fs::symlink_status(Installed("Data/presslane_3000/videos"))));
    EXPECT_EQ(ReadBytes(Installed("Data/presslane_3000/videos/intro.mp4")), "video");
}

TEST_F(InstallStepsTest, LinkedFolderLeadingOutOfTheShippedFolderFailsTheCopyByName) {
    WriteBytes(m_machine.Path("elsewhere/secret.txt"), "not shipped");
    fs::create_directory_symlink(m_machine.Path("elsewhere"), m_dist + "/Data/outside");
    const InstallResult result = Install();
    EXPECT_EQ(result.Step, kaldo::kStepCopyFiles);
    EXPECT_NE(result.Message.find(m_dist + "/Data/outside"), std::string::npos) << result.Message;
    EXPECT_FALSE(fs::exists(Installed("Data/outside/secret.txt")));
    EXPECT_EQ(ReadBytes(Installed("Data/presslane_3000/ui/home.html")), "<html>shipped</html>");
}

// A failed copy leaves no installation without shortcuts, records and uninstaller; the next
// installation completes it.
TEST_F(InstallStepsTest, LinkedFileLeadingOutIsRefusedEveryOtherStepRunsAndAReinstallCompletes) {
    WriteBytes(m_machine.Path("elsewhere/secret.txt"), "not shipped");
    fs::create_symlink(m_machine.Path("elsewhere/secret.txt"),
                       m_dist + "/Data/presslane_3000/manual.pdf");
    fs::create_symlink("../../presslane_c5000/xml/index.xml",
                       m_dist + "/Data/presslane_3000/ui/index.xml");
    const InstallResult result = Install();
    EXPECT_EQ(result.Step, kaldo::kStepCopyFiles);
    EXPECT_NE(result.Message.find(m_dist + "/Data/presslane_3000/manual.pdf"), std::string::npos)
        << result.Message;
    EXPECT_FALSE(fs::exists(fs::symlink_status(Installed("Data/presslane_3000/manual.pdf"))));
    EXPECT_EQ(ReadBytes(Installed("Data/presslane_3000/ui/index.xml")), "<index/>");
    EXPECT_TRUE(fs::exists(Installed("tendwelluninstall")));
    EXPECT_TRUE(fs::exists(m_machine.CommonPrograms() + "/kaldo-tendwell-uninstall.desktop"));
    EXPECT_TRUE(fs::exists(m_machine.Desktop() + "/Kaldo Tendwell.desktop"));
    EXPECT_EQ(MachineValue(kaldo::kProgramKey, "Exe_Path"), Installed("ktendwell"));
    EXPECT_EQ(MachineValue(kaldo::kUninstallKey, "UninstallString"),
              Installed("tendwelluninstall"));

    fs::remove(m_dist + "/Data/presslane_3000/manual.pdf");
    WriteBytes(m_dist + "/Data/presslane_3000/manual.pdf", "%PDF-1.4");
    const InstallResult again = Install();
    EXPECT_TRUE(again.Succeeded()) << again.Message;
    EXPECT_EQ(ReadBytes(Installed("Data/presslane_3000/manual.pdf")), "%PDF-1.4");
}

TEST_F(InstallStepsTest, LinkedFolderBackIntoItsOwnTreeFailsInsteadOfLooping) {
    fs::create_directory_symlink("..", m_dist + "/Data/presslane_3000/loop");
    const InstallResult result = Install();
    EXPECT_EQ(result.Step, kaldo::kStepCopyFiles);
    EXPECT_NE(result.Message.find("loop"), std::string::npos) << result.Message;
}

TEST_F(InstallStepsTest, RecordsTheProgramAndTheUninstaller) {
    ASSERT_TRUE(Install().Succeeded());
    EXPECT_EQ(MachineValue(kaldo::kProgramKey, "Exe_Path"), Installed("ktendwell"));
    EXPECT_EQ(MachineValue(kaldo::kUninstallKey, "DisplayName"), "Kaldo Tendwell");
    EXPECT_EQ(MachineValue(kaldo::kUninstallKey, "UninstallString"),
              Installed("tendwelluninstall"));
}

TEST_F(InstallStepsTest, HandedOverPrinterBecomesTheLastPrinter) {
    ASSERT_TRUE(Install("Office Printer").Succeeded());
    EXPECT_EQ(MachineValue(kaldo::kProgramKey, "Last_Printer"), "Office Printer");
}

TEST_F(InstallStepsTest, InteractiveInstallWritesNoLastPrinter) {
    ASSERT_TRUE(Install().Succeeded());
    EXPECT_FALSE(MachineValue(kaldo::kProgramKey, "Last_Printer"));
}

TEST_F(InstallStepsTest, ReportsEachStepAsItBegins) {
    std::vector<int> steps;
    InstallSettings settings{m_machine.Path("root/opt"), ""};
    ASSERT_TRUE(kaldo::RunInstall(settings, m_dist, m_setup, m_registry, [&](int step) {
                    steps.push_back(step);
                }).Succeeded());
    EXPECT_EQ(steps, (std::vector<int>{1, 2, 3, 4}));
}

TEST_F(InstallStepsTest, SecondInstallKeepsNewerFilesAndReplacesOlderAndReadOnlyOnes) {
    ASSERT_TRUE(Install().Succeeded());
    // Since then: a newer main program, an older uninstaller, a page edited later, and an old
    // read-only page.
    WriteBytes(Installed("ktendwell"),
               kaldo::testsupport::VersionedProgram({1, 1, 0, 0}, "patched"));
    WriteBytes(Installed("tendwelluninstall"),
               kaldo::testsupport::VersionedProgram({0, 9, 0, 0}, "old"));
    WriteBytes(Installed("Data/presslane_c5000/xml/index.xml"), "<index>edited</index>");
    SetAge(Installed("Data/presslane_c5000/xml/index.xml"), std::chrono::hours(24));
    WriteBytes(Installed("Data/presslane_3000/ui/home.html"), "<html>old</html>");
    SetAge(Installed("Data/presslane_3000/ui/home.html"), std::chrono::hours(-24));
    fs::permissions(Installed("Data/presslane_3000/ui/home.html"), fs::perms::owner_read);

    const InstallResult again = Install("Office Printer");
    ASSERT_TRUE(again.Succeeded()) << again.Message;
    EXPECT_NE(ReadBytes(Installed("ktendwell")).find("patched"), std::string::npos);
    EXPECT_NE(ReadBytes(Installed("tendwelluninstall")).find("uninstaller"), std::string::npos);
    EXPECT_EQ(ReadBytes(Installed("Data/presslane_c5000/xml/index.xml")), "<index>edited</index>");
    EXPECT_EQ(ReadBytes(Installed("Data/presslane_3000/ui/home.html")), "<html>shipped</html>");
    EXPECT_EQ(MachineValue(kaldo::kProgramKey, "Last_Printer"), "Office Printer");
}

TEST_F(InstallStepsTest, FolderThatCannotBeWrittenFailsTheCopyWithTheReason) {
    WriteBytes(m_machine.Path("root/opt"), "a file where the folder should be");
    const InstallResult result = Install();
    EXPECT_EQ(result.Step, kaldo::kStepCopyFiles);
    EXPECT_NE(result.Message.find("opt"), std::string::npos) << result.Message;
    EXPECT_FALSE(fs::exists(m_machine.Desktop() + "/Kaldo Tendwell.desktop"));
    EXPECT_FALSE(MachineValue(kaldo::kProgramKey, "Exe_Path"));
}

TEST_F(InstallStepsTest, MissingInstallerFolderFailsTheCopy) {
    InstallSettings settings{m_machine.Path("root/opt"), ""};
    const InstallResult result =
        kaldo::RunInstall(settings, m_machine.Path("absent"), m_setup, m_registry);
    EXPECT_EQ(result.Step, kaldo::kStepCopyFiles);
    EXPECT_NE(result.Message.find("absent"), std::string::npos) << result.Message;
}

TEST_F(InstallStepsTest, UnknownProgramFilesFolderFailsTheCopy) {
    InstallSettings settings{"", ""};
    EXPECT_EQ(kaldo::RunInstall(settings, m_dist, m_setup, m_registry).Step, kaldo::kStepCopyFiles);
}

TEST_F(InstallStepsTest, DesktopThatCannotBeWrittenFailsTheShortcutStepAndTheRestRuns) {
    WriteBytes(m_machine.Path("blocker"), "file");
    ScopedEnv desktop("XDG_DESKTOP_DIR", m_machine.Path("blocker/Desktop").c_str());
    const InstallResult result = Install();
    EXPECT_EQ(result.Step, kaldo::kStepShortcuts);
    EXPECT_NE(result.Message.find("blocker"), std::string::npos) << result.Message;
    EXPECT_EQ(MachineValue(kaldo::kProgramKey, "Exe_Path"), Installed("ktendwell"));
    EXPECT_EQ(MachineValue(kaldo::kUninstallKey, "DisplayName"), "Kaldo Tendwell");
}

TEST_F(InstallStepsTest, RegistryThatCannotBeWrittenFailsTheRegistrationStepAndNamesBothKeys) {
    WriteBytes(m_machine.Path("root/etc/kaldo"), "a file where the registry folder should be");
    const InstallResult result = Install();
    EXPECT_EQ(result.Step, kaldo::kStepRegistration);
    EXPECT_NE(result.Message.find("SOFTWARE\\Kaldo\\Tendwell"), std::string::npos);
    EXPECT_NE(result.Message.find("Kaldo_Tendwell could not"), std::string::npos) << result.Message;
}

TEST_F(InstallStepsTest, ProgramFolderBelowTheShippedFolderIsNotCopiedIntoItself) {
    ScopedEnv root("KALDO_ROOT", (m_dist + "/root").c_str());
    InstallSettings settings{m_dist + "/root/opt", ""};
    ASSERT_TRUE(kaldo::RunInstall(settings, m_dist, m_setup, m_registry).Succeeded());
    const std::string programFolder = m_dist + "/root/opt/Kaldo/Tendwell";
    EXPECT_TRUE(fs::exists(programFolder + "/ktendwell"));
    EXPECT_FALSE(fs::exists(programFolder + "/root/opt/Kaldo/Tendwell"));
}

TEST_F(InstallStepsTest, InstallingFromTheProgramFolderItselfLosesNothing) {
    ASSERT_TRUE(Install().Succeeded());
    InstallSettings settings{m_machine.Path("root/opt"), ""};
    ASSERT_TRUE(
        kaldo::RunInstall(settings, m_machine.ProgramFolder(), m_setup, m_registry).Succeeded());
    EXPECT_NE(ReadBytes(Installed("ktendwell")).find("main program"), std::string::npos);
    EXPECT_EQ(ReadBytes(Installed("Data/presslane_3000/ui/home.html")), "<html>shipped</html>");
}

TEST_F(InstallStepsTest, HandedOverPrinterIsReadFromTheUsersKey) {
    EXPECT_EQ(kaldo::HandedOverPrinter(m_registry), "");
    m_registry.SetValue(Hive::CurrentUser, "Software\\Kaldo\\TendwellInstall", "PrinterName",
                        "Büro Drucker");
    EXPECT_EQ(kaldo::HandedOverPrinter(m_registry), "Büro Drucker");
}

} // namespace
