#include "main/printers/PrinterSelection.h"

#include "TestPaths.h"
#include "main/content/ContentCatalog.h"
#include "main/printers/PrinterServices.h"
#include "platform/registry/IniRegistry.h"
#include "tests/support/FakeSpooler.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

namespace kaldo {
namespace {

const std::string kProgramFolder = KALDO_TEST_DATA_DIR "/printers/program/";
const std::string kKey = "SOFTWARE\\Kaldo\\Tendwell";
const std::string kPrinters = "System\\CurrentControlSet\\control\\Print\\Printers\\";
const std::string kTcpPorts =
    "System\\CurrentControlSet\\control\\Print\\Monitors\\Standard TCP/IP Port\\Ports\\";

class PrinterSelectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_spooler.AddPrinter("Broken", "Kaldo Broken 100");
        m_spooler.AddPrinter("Foreign", "Tessaro Inkline 5 PCL");
        m_spooler.AddPrinter("Office", "Kaldo Presslane 3020 PS");
        m_spooler.AddPrinter("Hall", "Kaldo Presslane 4200");
        m_registry.SetValue(Hive::LocalMachine, kPrinters + "Office", "Port", "USB001");
        m_registry.SetValue(Hive::LocalMachine, kPrinters + "Hall", "Port", "IP_hall");
        m_registry.SetValue(Hive::LocalMachine, kTcpPorts + "IP_hall", "IPAddress", "10.0.0.5");
    }

    // Starts on "Office" (USB, no address), as the program would.
    PrinterSelector& StartedOnOffice() {
        EXPECT_EQ(m_selector.SelectStartPrinter("Office"), StartPrinterResult::Selected);
        m_state.PrinterPortName = "USB001";
        m_state.CurrentTab = 2;
        return m_selector;
    }

    testsupport::TempFolder m_folder;
    IniRegistry m_registry{m_folder / "machine.ini", m_folder / "user.ini"};
    testsupport::FakeSpooler m_spooler;
    PrinterServices m_services{m_spooler, m_registry, {}, {}, {}};
    ContentCatalog m_catalog{kProgramFolder};
    PrinterSelection m_state;
    PrinterSelector m_selector{m_state, m_catalog, m_services};
};

TEST_F(PrinterSelectionTest, CommandLinePrinterWithContentIsShown) {
    EXPECT_EQ(m_selector.SelectStartPrinter("Hall"), StartPrinterResult::Selected);
    EXPECT_EQ(m_state.SelectedPrinter, "Hall");
    ASSERT_TRUE(m_state.Config);
    EXPECT_EQ(m_state.Config->DriverName(), "Kaldo Presslane 4200");
}

TEST_F(PrinterSelectionTest, CommandLinePrinterWithoutContentIs100EvenWithOthersUsable) {
    m_registry.SetValue(Hive::CurrentUser, kKey, "Last_Printer", "Office");
    EXPECT_EQ(m_selector.SelectStartPrinter("Foreign"),
              StartPrinterResult::CommandLinePrinterUnusable);
    EXPECT_EQ(m_selector.SelectStartPrinter("Missing"),
              StartPrinterResult::CommandLinePrinterUnusable);
    EXPECT_EQ(m_selector.SelectStartPrinter("office"),
              StartPrinterResult::CommandLinePrinterUnusable);
    EXPECT_EQ(m_state.SelectedPrinter, "");
}

TEST_F(PrinterSelectionTest, CommandLinePrinterWhoseContentDoesNotLoadIs100) {
    EXPECT_EQ(m_selector.SelectStartPrinter("Broken"),
              StartPrinterResult::CommandLinePrinterUnusable);
}

TEST_F(PrinterSelectionTest, RememberedPrinterIsShownWithoutCommandLine) {
    m_registry.SetValue(Hive::LocalMachine, kKey, "Last_Printer", "Office");
    m_registry.SetValue(Hive::CurrentUser, kKey, "Last_Printer", "Hall");
    EXPECT_EQ(m_selector.SelectStartPrinter(""), StartPrinterResult::Selected);
    EXPECT_EQ(m_state.SelectedPrinter, "Hall");
    EXPECT_EQ(m_state.Config->DriverName(), "Kaldo Presslane 4200");
}

TEST_F(PrinterSelectionTest, RemovedRememberedPrinterFallsBackToTheFirstUsable) {
    m_registry.SetValue(Hive::CurrentUser, kKey, "Last_Printer", "Gone");
    EXPECT_EQ(m_selector.SelectStartPrinter(""), StartPrinterResult::Selected);
    EXPECT_EQ(m_state.SelectedPrinter, "Office");
}

TEST_F(PrinterSelectionTest, RememberedPrinterWhoseContentFailsFallsBackToTheFirstUsable) {
    m_registry.SetValue(Hive::CurrentUser, kKey, "Last_Printer", "Broken");
    EXPECT_EQ(m_selector.SelectStartPrinter(""), StartPrinterResult::Selected);
    EXPECT_EQ(m_state.SelectedPrinter, "Office");
    EXPECT_EQ(m_state.Config->DriverName(), "Kaldo Presslane 3020 PS");
}

TEST_F(PrinterSelectionTest, FirstUsableSkipsPrintersWhoseContentFails) {
    m_selector.BuildPrinterList();
    ASSERT_EQ(m_state.Printers->Entries().front().PrinterName, "Broken");
    EXPECT_TRUE(m_selector.SelectFirstUsablePrinter());
    EXPECT_EQ(m_state.SelectedPrinter, "Office");
}

TEST_F(PrinterSelectionTest, NoPrinterWithContentIs101) {
    m_spooler.Printers.erase(m_spooler.Printers.begin() + 2, m_spooler.Printers.end());
    EXPECT_EQ(m_selector.SelectStartPrinter(""), StartPrinterResult::NoPrinterWithContent);
}

TEST_F(PrinterSelectionTest, NoPrintersAtAllIs101) {
    m_spooler.Printers.clear();
    EXPECT_EQ(m_selector.SelectStartPrinter(""), StartPrinterResult::NoPrinterWithContent);
    EXPECT_FALSE(m_selector.SelectFirstUsablePrinter());
}

TEST_F(PrinterSelectionTest, WriteLastPrinterRemembersTheSelectedPrinterForTheUser) {
    ASSERT_EQ(m_selector.SelectStartPrinter("Hall"), StartPrinterResult::Selected);
    m_selector.WriteLastPrinter();
    EXPECT_EQ(m_registry.QueryValue(Hive::CurrentUser, kKey, "Last_Printer"), "Hall");
    std::string name;
    EXPECT_TRUE(m_selector.ReadLastPrinter(name));
    EXPECT_EQ(name, "Hall");
}

TEST_F(PrinterSelectionTest, SwitchLoadsTheNewPrinterAndReturnsThePreviousOne) {
    StartedOnOffice();
    const ToolboxConfig* oldConfig = m_state.Config.get();
    const std::optional<PreviousPrinter> previous = m_selector.SwitchToPrinter("Hall");
    ASSERT_TRUE(previous);
    EXPECT_EQ(m_state.SelectedPrinter, "Hall");
    EXPECT_EQ(m_state.Config->DriverName(), "Kaldo Presslane 4200");
    EXPECT_EQ(m_state.CurrentTab, m_state.Config->DefaultTab());
    EXPECT_EQ(m_state.CurrentTab, 1);
    EXPECT_TRUE(m_state.PrinterIsNetworked);
    EXPECT_EQ(m_state.Config->PrinterAddress(), "10.0.0.5");
    EXPECT_EQ(m_state.PrinterPortName, "");
    EXPECT_EQ(previous->SelectedPrinter, "Office");
    EXPECT_EQ(previous->Config.get(), oldConfig);
    EXPECT_EQ(previous->CurrentTab, 2);
    EXPECT_EQ(previous->PrinterPortName, "USB001");
    EXPECT_FALSE(previous->PrinterIsNetworked);
}

TEST_F(PrinterSelectionTest, SwitchSeesPrintersInstalledSinceStartUp) {
    StartedOnOffice();
    m_spooler.AddPrinter("New", "Kaldo Presslane 4200");
    EXPECT_TRUE(m_selector.SwitchToPrinter("New"));
    EXPECT_EQ(m_state.Printers->DriverFor("New"), "Kaldo Presslane 4200");
}

TEST_F(PrinterSelectionTest, PrinterRemovedSinceStartUpLeavesThePreviousPrinter) {
    StartedOnOffice();
    const ToolboxConfig* oldConfig = m_state.Config.get();
    m_spooler.Printers.erase(m_spooler.Printers.begin() + 3);
    EXPECT_FALSE(m_selector.SwitchToPrinter("Hall"));
    EXPECT_EQ(m_state.SelectedPrinter, "Office");
    EXPECT_EQ(m_state.Config.get(), oldConfig);
    EXPECT_EQ(m_state.CurrentTab, 2);
    EXPECT_EQ(m_state.PrinterPortName, "USB001");
}

TEST_F(PrinterSelectionTest, PrinterWithoutContentOrWithBrokenContentLeavesThePreviousPrinter) {
    StartedOnOffice();
    EXPECT_FALSE(m_selector.SwitchToPrinter("Foreign"));
    EXPECT_FALSE(m_selector.SwitchToPrinter("Broken"));
    EXPECT_FALSE(m_selector.SwitchToPrinter("hall"));
    EXPECT_EQ(m_state.SelectedPrinter, "Office");
    EXPECT_EQ(m_state.Config->DriverName(), "Kaldo Presslane 3020 PS");
}

TEST_F(PrinterSelectionTest, RestorePutsEverythingBack) {
    StartedOnOffice();
    const ToolboxConfig* oldConfig = m_state.Config.get();
    std::optional<PreviousPrinter> previous = m_selector.SwitchToPrinter("Hall");
    ASSERT_TRUE(previous);
    m_selector.Restore(std::move(*previous));
    EXPECT_EQ(m_state.SelectedPrinter, "Office");
    EXPECT_EQ(m_state.Config.get(), oldConfig);
    EXPECT_EQ(m_state.Config->DriverName(), "Kaldo Presslane 3020 PS");
    EXPECT_EQ(m_state.CurrentTab, 2);
    EXPECT_FALSE(m_state.PrinterIsNetworked);
    EXPECT_EQ(m_state.PrinterPortName, "USB001");
}

TEST_F(PrinterSelectionTest, UsabilityFollowsTheList) {
    m_selector.BuildPrinterList();
    EXPECT_TRUE(m_selector.IsUsablePrinter("Office"));
    EXPECT_TRUE(m_selector.IsUsablePrinter("Broken"));
    EXPECT_FALSE(m_selector.IsUsablePrinter("Foreign"));
    EXPECT_FALSE(m_selector.IsUsablePrinter(""));
}

} // namespace
} // namespace kaldo
