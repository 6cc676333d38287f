#include "platform/spooler/SpoolerRegistryView.h"

#include "platform/registry/IniRegistry.h"
#include "tests/support/FakeSpooler.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

namespace kaldo {
namespace {

const std::string kPrinters = "System\\CurrentControlSet\\control\\Print\\Printers\\";
const std::string kTcpPorts =
    "SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\Standard TCP/IP Port\\Ports\\";
const std::string kLprPorts =
    "System\\CurrentControlSet\\Control\\Print\\Monitors\\LPR Port\\Ports\\";

class SpoolerRegistryViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_spooler.AddPrinter("Office", "Kaldo Presslane 3020 PS", "IP_10.0.0.5");
        m_spooler.AddPrinter("Floor\\2", "Kaldo Presslane 4200", "printhost:queue");
        m_spooler.AddPrinter("Desk", "Kaldo Presslane 3020 PS", "USB:Kaldo/Presslane 3020");
        SpoolerPort tcp;
        tcp.Name = "IP_10.0.0.5";
        tcp.Monitor = PortMonitor::StandardTcpIp;
        tcp.HostName = "10.0.0.5";
        tcp.IPAddress = "10.0.0.5";
        tcp.PortNumber = 9100;
        SpoolerPort lpr;
        lpr.Name = "printhost:queue";
        lpr.Monitor = PortMonitor::Lpr;
        lpr.LprServer = "printhost";
        lpr.LprQueue = "queue";
        SpoolerPort usb;
        usb.Name = "USB:Kaldo/Presslane 3020";
        usb.Monitor = PortMonitor::Usb;
        m_spooler.Ports = {tcp, lpr, usb};
    }

    testsupport::TempFolder m_folder;
    IniRegistry m_inner{m_folder / "machine.ini", m_folder / "user.ini"};
    testsupport::FakeSpooler m_spooler;
    SpoolerRegistryView m_view{m_inner, m_spooler};
};

TEST_F(SpoolerRegistryViewTest, PrinterKeyHoldsPortAndDriver) {
    EXPECT_TRUE(m_view.KeyExists(Hive::LocalMachine, kPrinters + "Office"));
    EXPECT_EQ(m_view.QueryValue(Hive::LocalMachine, kPrinters + "Office", "Port"), "IP_10.0.0.5");
    EXPECT_EQ(m_view.QueryValue(Hive::LocalMachine, kPrinters + "Office", "Printer Driver"),
              "Kaldo Presslane 3020 PS");
    EXPECT_FALSE(m_view.QueryValue(Hive::LocalMachine, kPrinters + "Office", "QDRN_IP"));
}

TEST_F(SpoolerRegistryViewTest, KeyAndValueNamesCompareWithoutCase) {
    EXPECT_EQ(m_view.QueryValue(Hive::LocalMachine,
                                "system\\currentcontrolset\\CONTROL\\print\\printers\\OFFICE",
                                "port"),
              "IP_10.0.0.5");
}

TEST_F(SpoolerRegistryViewTest, BackslashInPrinterNameBecomesComma) {
    EXPECT_TRUE(m_view.KeyExists(Hive::LocalMachine, kPrinters + "Floor,2"));
    EXPECT_FALSE(m_view.KeyExists(Hive::LocalMachine, kPrinters + "Floor\\2"));
}

TEST_F(SpoolerRegistryViewTest, DriverDataKeyExistsWithoutValues) {
    const std::string key = kPrinters + "Desk\\PrinterDriverData";
    EXPECT_TRUE(m_view.KeyExists(Hive::LocalMachine, key));
    EXPECT_TRUE(m_view.ValueNames(Hive::LocalMachine, key).empty());
    EXPECT_FALSE(m_view.KeyExists(Hive::LocalMachine, kPrinters + "Desk\\Other"));
}

TEST_F(SpoolerRegistryViewTest, MissingPrinterHasNoKey) {
    EXPECT_FALSE(m_view.KeyExists(Hive::LocalMachine, kPrinters + "Offic"));
    EXPECT_FALSE(m_view.QueryValue(Hive::LocalMachine, kPrinters + "Offic", "Port"));
}

TEST_F(SpoolerRegistryViewTest, StandardTcpIpPortHasItsAddress) {
    EXPECT_EQ(m_view.QueryValue(Hive::LocalMachine, kTcpPorts + "IP_10.0.0.5", "IPAddress"),
              "10.0.0.5");
    EXPECT_EQ(m_view.QueryValue(Hive::LocalMachine, kTcpPorts + "IP_10.0.0.5", "HostName"),
              "10.0.0.5");
    EXPECT_EQ(m_view.QueryValue(Hive::LocalMachine, kTcpPorts + "IP_10.0.0.5", "PortNumber"),
              "9100");
}

TEST_F(SpoolerRegistryViewTest, LprPortHasItsServer) {
    EXPECT_EQ(m_view.QueryValue(Hive::LocalMachine, kLprPorts + "printhost:queue", "server name"),
              "printhost");
}

TEST_F(SpoolerRegistryViewTest, PortAppearsOnlyUnderItsOwnMonitor) {
    EXPECT_FALSE(m_view.KeyExists(Hive::LocalMachine, kLprPorts + "IP_10.0.0.5"));
    EXPECT_FALSE(m_view.KeyExists(Hive::LocalMachine, kTcpPorts + "printhost:queue"));
    EXPECT_FALSE(m_view.KeyExists(Hive::LocalMachine, kTcpPorts + "USB:Kaldo/Presslane 3020"));
}

TEST_F(SpoolerRegistryViewTest, SubKeysListPrintersAndPorts) {
    EXPECT_EQ(m_view.SubKeys(Hive::LocalMachine, kPrinters),
              (std::vector<std::string>{"Office", "Floor,2", "Desk"}));
    EXPECT_EQ(m_view.SubKeys(Hive::LocalMachine, kTcpPorts),
              std::vector<std::string>{"IP_10.0.0.5"});
    EXPECT_EQ(m_view.SubKeys(Hive::LocalMachine, kPrinters + "Office"),
              std::vector<std::string>{"PrinterDriverData"});
}

TEST_F(SpoolerRegistryViewTest, ViewFollowsTheSpooler) {
    m_spooler.AddPrinter("Late", "Kaldo Presslane 4200", "LPT1");
    EXPECT_EQ(m_view.QueryValue(Hive::LocalMachine, kPrinters + "Late", "Port"), "LPT1");
    m_spooler.Printers.clear();
    EXPECT_FALSE(m_view.KeyExists(Hive::LocalMachine, kPrinters + "Late"));
}

TEST_F(SpoolerRegistryViewTest, PrintSubtreeIsReadOnly) {
    EXPECT_FALSE(m_view.SetValue(Hive::LocalMachine, kPrinters + "Office", "Port", "LPT1"));
    EXPECT_FALSE(m_view.CreateKey(Hive::LocalMachine, kPrinters + "Invented"));
    EXPECT_FALSE(m_view.DeleteValue(Hive::LocalMachine, kPrinters + "Office", "Port"));
    EXPECT_FALSE(m_view.DeleteTree(Hive::LocalMachine, kPrinters + "Office"));
    EXPECT_FALSE(m_view.DeleteTree(Hive::LocalMachine, "System"));
    EXPECT_EQ(m_view.QueryValue(Hive::LocalMachine, kPrinters + "Office", "Port"), "IP_10.0.0.5");
    EXPECT_FALSE(m_inner.KeyExists(Hive::LocalMachine, kPrinters + "Invented"));
}

TEST_F(SpoolerRegistryViewTest, OtherKeysGoToTheInnerRegistry) {
    ASSERT_TRUE(
        m_view.SetValue(Hive::LocalMachine, "SOFTWARE\\Kaldo\\Tendwell", "Exe_Path", "/opt"));
    EXPECT_EQ(m_inner.QueryValue(Hive::LocalMachine, "Software\\Kaldo\\Tendwell", "Exe_Path"),
              "/opt");
    ASSERT_TRUE(m_view.SetValue(Hive::CurrentUser, kPrinters + "Office", "Port", "user value"));
    EXPECT_EQ(m_view.QueryValue(Hive::CurrentUser, kPrinters + "Office", "Port"), "user value");
    EXPECT_TRUE(m_view.DeleteTree(Hive::LocalMachine, "SOFTWARE\\Kaldo"));
    EXPECT_FALSE(m_inner.KeyExists(Hive::LocalMachine, "Software\\Kaldo\\Tendwell"));
}

} // namespace
} // namespace kaldo
