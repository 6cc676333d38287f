#include "main/printers/LastPrinter.h"

#include "platform/registry/IniRegistry.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

namespace kaldo {
namespace {

const std::string kKey = "SOFTWARE\\Kaldo\\Tendwell";

class LastPrinterTest : public ::testing::Test {
protected:
    testsupport::TempFolder m_folder;
    IniRegistry m_registry{m_folder / "machine.ini", m_folder / "user.ini"};
};

TEST_F(LastPrinterTest, NothingRememberedGivesFalse) {
    std::string name = "unchanged";
    EXPECT_FALSE(ReadLastPrinter(m_registry, name));
    EXPECT_EQ(name, "unchanged");
}

TEST_F(LastPrinterTest, UserChoiceComesBeforeMachineValue) {
    m_registry.SetValue(Hive::LocalMachine, kKey, "Last_Printer", "Preset");
    m_registry.SetValue(Hive::CurrentUser, kKey, "Last_Printer", "Mine");
    std::string name;
    ASSERT_TRUE(ReadLastPrinter(m_registry, name));
    EXPECT_EQ(name, "Mine");
}

TEST_F(LastPrinterTest, MachineValueOfASilentInstallationIsUsed) {
    m_registry.SetValue(Hive::LocalMachine, "Software\\Kaldo\\Tendwell", "last_printer", "Preset");
    std::string name;
    ASSERT_TRUE(ReadLastPrinter(m_registry, name));
    EXPECT_EQ(name, "Preset");
}

TEST_F(LastPrinterTest, WriteGoesToTheUsersHiveOnly) {
    m_registry.SetValue(Hive::LocalMachine, kKey, "Exe_Path", "/opt/Kaldo/Tendwell");
    WriteLastPrinter(m_registry, "Office");
    EXPECT_EQ(m_registry.QueryValue(Hive::CurrentUser, kKey, "Last_Printer"), "Office");
    EXPECT_FALSE(m_registry.QueryValue(Hive::LocalMachine, kKey, "Last_Printer"));
    EXPECT_EQ(m_registry.QueryValue(Hive::LocalMachine, kKey, "Exe_Path"), "/opt/Kaldo/Tendwell");
}

TEST_F(LastPrinterTest, LongAndNonAsciiNamesComeBackWhole) {
    const std::string name = std::string(200, 'P') + " B\xC3\xBCro \xE5\x8D\xB0\xE5\x88\xB7";
    WriteLastPrinter(m_registry, name);
    std::string read;
    ASSERT_TRUE(ReadLastPrinter(m_registry, read));
    EXPECT_EQ(read, name);
}

} // namespace
} // namespace kaldo
