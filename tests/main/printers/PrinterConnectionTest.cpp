#include "main/printers/PrinterConnection.h"

#include "main/printers/PrinterSelection.h"
#include "main/printers/PrinterServices.h"
#include "platform/registry/IniRegistry.h"
#include "tests/support/FakeSpooler.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

namespace kaldo {
namespace {

const std::string kPrinters = "System\\CurrentControlSet\\control\\Print\\Printers\\";
const std::string kTcpPorts =
    "System\\CurrentControlSet\\control\\Print\\Monitors\\Standard TCP/IP Port\\Ports\\";

class PrinterConnectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_state.Config = std::make_unique<ToolboxConfig>();
        AddPrinter("Net", "IP_net");
        m_registry.SetValue(Hive::LocalMachine, kTcpPorts + "IP_net", "IPAddress", "10.0.0.5");
        AddPrinter("Net6", "IP_net6");
        m_registry.SetValue(Hive::LocalMachine, kTcpPorts + "IP_net6", "IPAddress", "fd00::5");
        AddPrinter("Desk", "USB001");
        AddPrinter("Old", "LPT1:");
    }
    void AddPrinter(const std::string& name, const std::string& port) {
        m_registry.SetValue(Hive::LocalMachine, kPrinters + name, "Port", port);
    }
    void Refresh(const std::string& printer) {
        m_state.SelectedPrinter = printer;
        RefreshPrinterConnection(m_state, m_services);
    }

    testsupport::TempFolder m_folder;
    IniRegistry m_registry{m_folder / "machine.ini", m_folder / "user.ini"};
    testsupport::FakeSpooler m_spooler;
    std::vector<std::pair<std::string, std::chrono::milliseconds>> m_checks;
    PrinterServices m_services{m_spooler,
                               m_registry,
                               {},
                               "http://home.test/",
                               [this](const std::string& url, std::chrono::milliseconds limit) {
                                   m_checks.emplace_back(url, limit);
                                   return true;
                               }};
    PrinterSelection m_state;
};

TEST_F(PrinterConnectionTest, NetworkedPrinterGetsAddressAndWebUrl) {
    Refresh("Net");
    EXPECT_TRUE(m_state.PrinterIsNetworked);
    EXPECT_EQ(m_state.Config->PrinterAddress(), "10.0.0.5");
    EXPECT_EQ(m_state.Config->PrinterWebUrl(), "http://10.0.0.5/");
    EXPECT_EQ(m_state.PrinterPortName, "");
}

TEST_F(PrinterConnectionTest, Ipv6PrinterGetsBracketedWebUrl) {
    Refresh("Net6");
    EXPECT_EQ(m_state.Config->PrinterAddress(), "fd00::5");
    EXPECT_EQ(m_state.Config->PrinterWebUrl(), "http://[fd00::5]/");
}

TEST_F(PrinterConnectionTest, UsbPrinterGetsItsPortName) {
    Refresh("Desk");
    EXPECT_FALSE(m_state.PrinterIsNetworked);
    EXPECT_EQ(m_state.PrinterPortName, "USB001");
    EXPECT_EQ(m_state.Config->PrinterWebUrl(), "");
}

TEST_F(PrinterConnectionTest, ParallelPrinterHasNeither) {
    Refresh("Old");
    EXPECT_FALSE(m_state.PrinterIsNetworked);
    EXPECT_EQ(m_state.PrinterPortName, "");
}

TEST_F(PrinterConnectionTest, NothingOfThePreviousPrinterStays) {
    Refresh("Desk");
    Refresh("Net");
    EXPECT_EQ(m_state.PrinterPortName, "");
    Refresh("Old");
    EXPECT_FALSE(m_state.PrinterIsNetworked);
    EXPECT_EQ(m_state.Config->PrinterAddress(), "");
    EXPECT_EQ(m_state.Config->PrinterWebUrl(), "");
}

TEST_F(PrinterConnectionTest, InternetIsCheckedOnlyWhenAsked) {
    Refresh("Net");
    EXPECT_TRUE(m_checks.empty());
    EXPECT_FALSE(m_state.InternetAvailable);
    CheckInternet(m_state, m_services);
    ASSERT_EQ(m_checks.size(), 1u);
    EXPECT_EQ(m_checks[0].first, "http://home.test/");
    EXPECT_EQ(m_checks[0].second, std::chrono::milliseconds(5000));
    EXPECT_TRUE(m_state.InternetAvailable);
}

TEST_F(PrinterConnectionTest, FailedCheckMeansNoInternet) {
    m_state.InternetAvailable = true;
    m_services.CheckWebSite = [](const std::string&, std::chrono::milliseconds) {
        return false;
    };
    CheckInternet(m_state, m_services);
    EXPECT_FALSE(m_state.InternetAvailable);
    m_services.CheckWebSite = nullptr;
    m_state.InternetAvailable = true;
    CheckInternet(m_state, m_services);
    EXPECT_FALSE(m_state.InternetAvailable);
}

TEST_F(PrinterConnectionTest, WorksWithoutAConfiguration) {
    m_state.Config.reset();
    Refresh("Net");
    EXPECT_TRUE(m_state.PrinterIsNetworked);
}

} // namespace
} // namespace kaldo
