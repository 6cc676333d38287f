#include "setup/CommandLineInstall.h"

#include "platform/registry/IniRegistry.h"
#include "setup/InstallSteps.h"
#include "setup/InstallerStrings.h"
#include "tests/setup/InstallerTestDistribution.h"
#include "tests/setup/ScriptedSetup.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace {

namespace fs = std::filesystem;
using kaldo::InstallerOptions;
using kaldo::ParseInstallerOptions;
using kaldo::testsupport::SetupTestMachine;
using kaldo::testsupport::WriteBytes;

class CommandLineInstallTest : public testing::Test {
protected:
    void SetUp() override { kaldo::testsupport::MakeDistribution(m_dist); }

    int Run(const std::vector<std::string>& arguments) {
        return kaldo::RunCommandLineInstall(ParseInstallerOptions(arguments), m_setup, m_registry,
                                            m_dist, m_out, m_err);
    }
    std::optional<std::string> LastPrinter() const {
        return m_registry.QueryValue(kaldo::Hive::LocalMachine, kaldo::kProgramKey, "Last_Printer");
    }

    SetupTestMachine m_machine;
    std::string m_dist = m_machine.Path("dist");
    kaldo::IniRegistry m_registry{m_machine.MachineRegistry(), m_machine.UserRegistry()};
    kaldo::testsupport::ScriptedSetup m_setup{kaldo::kInstallerStringTables, m_registry,
                                              "en_US.UTF-8"};
    std::ostringstream m_out;
    std::ostringstream m_err;
};

TEST(InstallerOptionsTest, NoArgumentsMeanTheWindows) {
    const InstallerOptions options = ParseInstallerOptions({});
    EXPECT_FALSE(options.Silent);
    EXPECT_FALSE(options.Help);
    EXPECT_TRUE(options.Error.empty());
}

TEST(InstallerOptionsTest, SilentWithPrinterInBothSpellings) {
    InstallerOptions options = ParseInstallerOptions({"--silent", "--printer", "Office Printer"});
    EXPECT_TRUE(options.Silent);
    EXPECT_TRUE(options.HasPrinter);
    EXPECT_EQ(options.Printer, "Office Printer");
    options = ParseInstallerOptions({"--printer=Lab", "--silent"});
    EXPECT_EQ(options.Printer, "Lab");
    EXPECT_TRUE(options.Error.empty());
}

TEST(InstallerOptionsTest, WrongArgumentsAreErrors) {
    EXPECT_FALSE(ParseInstallerOptions({"--printer"}).Error.empty());
    EXPECT_FALSE(ParseInstallerOptions({"--silent", "--printer", ""}).Error.empty());
    EXPECT_FALSE(ParseInstallerOptions({"--printer", "X"}).Error.empty()); // needs --silent
    EXPECT_FALSE(ParseInstallerOptions({"/S"}).Error.empty());
    EXPECT_TRUE(ParseInstallerOptions({"--help"}).Help);
}

TEST(InstallerOptionsTest, UsageNamesEveryOption) {
    const std::string usage = kaldo::InstallerUsage("tendwellinstall");
    for (const char* option : {"--silent", "--printer", "--help", "Exit status"})
        EXPECT_NE(usage.find(option), std::string::npos) << option;
}

TEST_F(CommandLineInstallTest, InstallsAndSaysSo) {
    EXPECT_EQ(Run({"--silent"}), kaldo::kExitInstalled);
    EXPECT_TRUE(fs::exists(m_machine.ProgramFolder() + "/ktendwell"));
    EXPECT_NE(m_out.str().find("Installing Files"), std::string::npos);
    EXPECT_NE(m_out.str().find("[4/4]"), std::string::npos);
    EXPECT_NE(m_out.str().find("Installation Complete"), std::string::npos);
    EXPECT_NE(m_out.str().find("content for the presslane_3000 has been installed"),
              std::string::npos)
        << m_out.str();
    EXPECT_EQ(m_err.str(), "");
    EXPECT_FALSE(LastPrinter());
}

TEST_F(CommandLineInstallTest, PrinterOptionBecomesTheLastPrinter) {
    EXPECT_EQ(Run({"--silent", "--printer", "Office Printer"}), kaldo::kExitInstalled);
    EXPECT_EQ(LastPrinter(), "Office Printer");
}

TEST_F(CommandLineInstallTest, HandedOverPrinterIsUsedWithoutPrinterOption) {
    m_registry.SetValue(kaldo::Hive::CurrentUser, kaldo::kHandOverKey, kaldo::kHandOverValue,
                        "Handed Over");
    EXPECT_EQ(Run({"--silent"}), kaldo::kExitInstalled);
    EXPECT_EQ(LastPrinter(), "Handed Over");
}

TEST_F(CommandLineInstallTest, PrinterOptionGoesBeforeTheHandedOverOne) {
    m_registry.SetValue(kaldo::Hive::CurrentUser, kaldo::kHandOverKey, kaldo::kHandOverValue,
                        "Handed Over");
    EXPECT_EQ(Run({"--silent", "--printer", "Chosen"}), kaldo::kExitInstalled);
    EXPECT_EQ(LastPrinter(), "Chosen");
}

TEST_F(CommandLineInstallTest, UnsupportedSystemEndsWithoutInstalling) {
    m_setup.OsClass = 7;
    EXPECT_EQ(Run({"--silent"}), kaldo::kExitInstallFailed);
    EXPECT_NE(m_err.str().find("Unsupported O/S"), std::string::npos);
    EXPECT_FALSE(fs::exists(m_machine.ProgramFolder()));
}

TEST_F(CommandLineInstallTest, MissingPrivilegesWarnAndGoOn) {
    m_setup.Administrator = 0;
    EXPECT_EQ(Run({"--silent"}), kaldo::kExitInstalled);
    EXPECT_NE(m_err.str().find("Insufficient Account Privileges Detected"), std::string::npos);
}

TEST_F(CommandLineInstallTest, FailedStepGivesExitCodeAndReason) {
    WriteBytes(m_machine.Path("root/opt"), "not a folder");
    EXPECT_EQ(Run({"--silent"}), kaldo::kExitInstallFailed);
    EXPECT_NE(m_err.str().find("Installation Failed!"), std::string::npos);
    EXPECT_NE(m_err.str().find("opt"), std::string::npos);
    EXPECT_EQ(m_out.str().find("Installation Complete"), std::string::npos);
}

} // namespace
