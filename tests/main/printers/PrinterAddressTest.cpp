#include "main/printers/PrinterAddress.h"

#include "main/printers/PrinterServices.h"
#include "platform/registry/IniRegistry.h"
#include "tests/support/FakeSpooler.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

namespace kaldo {
namespace {

const std::string kPrint = "System\\CurrentControlSet\\control\\Print";
const std::string kPrinters = kPrint + "\\Printers\\";
const std::string kTcpPorts = kPrint + "\\Monitors\\Standard TCP/IP Port\\Ports\\";
const std::string kLprPorts = kPrint + "\\Monitors\\LPR Port\\Ports\\";
const std::string kLanMan = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Print\\Providers\\"
                            "LanMan Print Services\\Servers\\";

// A registry seeded the way Windows keeps printers, with a spooler for the transceiver.
class PrinterAddressTest : public ::testing::Test {
protected:
    void Set(const std::string& key, const std::string& name, const std::string& value) {
        ASSERT_TRUE(m_registry.SetValue(Hive::LocalMachine, key, name, value));
    }
    void AddLocalPrinter(const std::string& name, const std::string& port) {
        Set(kPrinters + name, "Port", port);
        ASSERT_TRUE(
            m_registry.CreateKey(Hive::LocalMachine, kPrinters + name + "\\PrinterDriverData"));
        m_spooler.AddPrinter(name, "Kaldo Presslane 3020 PS", port);
    }
    void AddTcpPort(const std::string& tcpPort, const std::string& ipAddress,
                    const std::string& hostName) {
        SpoolerPort port;
        port.Name = tcpPort;
        port.Monitor = PortMonitor::StandardTcpIp;
        port.IPAddress = ipAddress;
        port.HostName = hostName;
        m_spooler.Ports.push_back(port);
    }
    std::optional<std::string> Address(const std::string& printer, bool resolveNames = false) {
        std::string address = "(untouched)";
        if (!ResolvePrinterAddress(m_services, printer, address, resolveNames)) {
            EXPECT_EQ(address, "(untouched)");
            return std::nullopt;
        }
        return address;
    }
    std::optional<std::string> Key(const std::string& printer, const std::string& module = {}) {
        std::string key;
        if (!FindPrinterKey(m_registry, module, printer, key))
            return std::nullopt;
        return key;
    }

    testsupport::TempFolder m_folder;
    IniRegistry m_registry{m_folder / "machine.ini", m_folder / "user.ini"};
    testsupport::FakeSpooler m_spooler;
    PrinterServices m_services{m_spooler, m_registry, "/opt/Kaldo/Tendwell/ktendwell", {}, {}};
};

TEST_F(PrinterAddressTest, LocalPrinterKeyIsFound) {
    AddLocalPrinter("Office", "LPT1:");
    EXPECT_EQ(Key("Office"), kPrinters + "Office");
    EXPECT_FALSE(Key("Offic"));
}

TEST_F(PrinterAddressTest, BackslashesInTheNameBecomeCommasInTheKey) {
    Set(kPrinters + ",,server,Office", "Port", "IP_10.0.0.5");
    EXPECT_EQ(Key("\\\\server\\Office"), kPrinters + ",,server,Office");
}

TEST_F(PrinterAddressTest, ConnectionIsFoundBelowItsServer) {
    Set(kLanMan + "printhost\\Printers\\Office", "Port", "IP_10.0.0.5");
    EXPECT_EQ(Key("\\\\printhost\\Office"), kLanMan + "printhost\\Printers\\Office");
    EXPECT_FALSE(Key("\\\\otherhost\\Office"));
}

TEST_F(PrinterAddressTest, LocalNamesAreNotLookedUpBelowServers) {
    Set(kLanMan + "printhost\\Printers\\Office", "Port", "IP_10.0.0.5");
    EXPECT_FALSE(Key("printhost\\Office"));
}

TEST_F(PrinterAddressTest, ConnectionWithoutPrinterPartIsNotFound) {
    ASSERT_TRUE(m_registry.CreateKey(Hive::LocalMachine, kLanMan + "printhost\\Printers"));
    EXPECT_FALSE(Key("\\\\printhost"));
    EXPECT_FALSE(Key("\\\\printhost\\"));
    EXPECT_FALSE(Key("\\\\\\Office"));
}

TEST_F(PrinterAddressTest, ClusteredPrinterIsFoundThroughTheProgramsDriverFolder) {
    const std::string key = "Cluster\\Resources\\res-7\\parameters\\printers\\Office";
    Set(key, "Port", "IP_10.0.0.5");
    EXPECT_EQ(Key("\\\\virtual\\Office", "/cluster/res-7/drivers/x64/ktendwell"), key);
    EXPECT_EQ(Key("\\\\virtual\\Office", "C:\\spool\\res-7\\Drivers\\ktendwell.exe"), key);
    EXPECT_FALSE(Key("\\\\virtual\\Office", "/opt/Kaldo/Tendwell/ktendwell"));
    EXPECT_FALSE(Key("\\\\virtual\\Office", "Drivers/ktendwell"));
    EXPECT_FALSE(Key("Office", "/cluster/res-7/drivers/ktendwell"));
}

TEST_F(PrinterAddressTest, UsbPrinterHasNoAddressButAPortName) {
    AddLocalPrinter("Desk", "USB001");
    EXPECT_FALSE(Address("Desk"));
    std::string port;
    GetUsbPortName(m_services, "Desk", port);
    EXPECT_EQ(port, "USB001");
}

TEST_F(PrinterAddressTest, ParallelPrinterHasNeitherAddressNorPortName) {
    AddLocalPrinter("Old", "LPT1:");
    AddTcpPort("LPT1:", "10.0.0.5", "");
    EXPECT_FALSE(Address("Old"));
    std::string port;
    GetUsbPortName(m_services, "Old", port);
    EXPECT_EQ(port, "");
}

TEST_F(PrinterAddressTest, UsbPortNameOnlyForAFoundPrinter) {
    std::string port = "kept";
    GetUsbPortName(m_services, "Missing", port);
    EXPECT_EQ(port, "kept");
}

TEST_F(PrinterAddressTest, InternetPortGivesItsHost) {
    AddLocalPrinter("Web", "http://10.0.0.7/ipp/print");
    Set(kTcpPorts + "http://10.0.0.7/ipp/print", "IPAddress", "10.9.9.9");
    EXPECT_EQ(Address("Web"), "10.0.0.7");
}

TEST_F(PrinterAddressTest, InternetPortHostLosesPortNumberAndBrackets) {
    AddLocalPrinter("Web", "http://printhost:631/printers/q");
    AddLocalPrinter("Web6", "http://[fd00::7]:631/ipp/print");
    EXPECT_EQ(Address("Web"), "printhost");
    EXPECT_EQ(Address("Web6"), "fd00::7");
}

TEST_F(PrinterAddressTest, InternetPrinterPortGoesOnToTheDriverData) {
    AddLocalPrinter("Shared", "http://server/printers/office/.printer");
    Set(kPrinters + "Shared\\PrinterDriverData", "QDRN_IP", "10.0.0.20");
    EXPECT_EQ(Address("Shared"), "10.0.0.20");
}

TEST_F(PrinterAddressTest, InternetPortWithoutHostGoesOnToTheMonitors) {
    AddLocalPrinter("Odd", "http://");
    Set(kPrinters + "Odd\\PrinterDriverData", "QDRN_IP", "10.0.0.21");
    EXPECT_EQ(Address("Odd"), "10.0.0.21");
}

TEST_F(PrinterAddressTest, StandardTcpIpPortPrefersItsAddress) {
    AddLocalPrinter("Office", "IP_10.0.0.5");
    Set(kTcpPorts + "IP_10.0.0.5", "IPAddress", "10.0.0.5");
    Set(kTcpPorts + "IP_10.0.0.5", "HostName", "presslane");
    EXPECT_EQ(Address("Office"), "10.0.0.5");
}

TEST_F(PrinterAddressTest, EmptyTcpAddressFallsBackToTheHostNameResolvedToDottedForm) {
    AddLocalPrinter("Office", "IP_localhost");
    Set(kTcpPorts + "IP_localhost", "IPAddress", "");
    Set(kTcpPorts + "IP_localhost", "HostName", "localhost");
    EXPECT_EQ(Address("Office", false), "localhost");
    EXPECT_EQ(Address("Office", true), "127.0.0.1");
}

TEST_F(PrinterAddressTest, LprPortGivesItsServer) {
    AddLocalPrinter("Queue", "printhost:office");
    Set(kLprPorts + "printhost:office", "server name", "10.0.0.6");
    EXPECT_EQ(Address("Queue"), "10.0.0.6");
}

TEST_F(PrinterAddressTest, TcpPortComesBeforeLprPort) {
    AddLocalPrinter("Both", "shared");
    Set(kLprPorts + "shared", "server name", "10.0.0.6");
    Set(kTcpPorts + "shared", "HostName", "10.0.0.5");
    EXPECT_EQ(Address("Both"), "10.0.0.5");
}

TEST_F(PrinterAddressTest, EmptyMonitorValuesAreSkipped) {
    AddLocalPrinter("Blank", "blankport");
    Set(kTcpPorts + "blankport", "IPAddress", "");
    Set(kTcpPorts + "blankport", "HostName", "");
    Set(kLprPorts + "blankport", "server name", "");
    Set(kPrinters + "Blank\\PrinterDriverData", "QDRN_IP", "10.0.0.22");
    EXPECT_EQ(Address("Blank"), "10.0.0.22");
}

TEST_F(PrinterAddressTest, DriverDataWithoutAddressAsksTheTransceiver) {
    AddLocalPrinter("Xcv", "IP_printer");
    AddTcpPort("IP_printer", "10.0.0.30", "printer");
    EXPECT_EQ(Address("Xcv"), "10.0.0.30");
}

TEST_F(PrinterAddressTest, EmptyDriverDataAddressIsNoAddress) {
    AddLocalPrinter("Empty", "IP_printer");
    AddTcpPort("IP_printer", "10.0.0.30", "");
    Set(kPrinters + "Empty\\PrinterDriverData", "QDRN_IP", "");
    EXPECT_FALSE(Address("Empty"));
}

TEST_F(PrinterAddressTest, WithoutDriverDataKeyThereIsNoAddress) {
    Set(kPrinters + "Bare", "Port", "IP_printer");
    m_spooler.AddPrinter("Bare", "Kaldo Presslane 3020 PS", "IP_printer");
    AddTcpPort("IP_printer", "10.0.0.30", "");
    EXPECT_FALSE(Address("Bare"));
}

TEST_F(PrinterAddressTest, PrinterKeyWithoutPortHasNoAddress) {
    ASSERT_TRUE(m_registry.CreateKey(Hive::LocalMachine, kPrinters + "NoPort\\PrinterDriverData"));
    m_spooler.AddPrinter("NoPort", "Kaldo Presslane 3020 PS", "IP_printer");
    AddTcpPort("IP_printer", "10.0.0.30", "");
    EXPECT_FALSE(Address("NoPort"));
}

TEST_F(PrinterAddressTest, PrinterWithoutKeyAsksTheTransceiver) {
    m_spooler.AddPrinter("Unkeyed", "Kaldo Presslane 3020 PS", "IP_printer");
    AddTcpPort("IP_printer", "", "10.0.0.31");
    EXPECT_EQ(Address("Unkeyed"), "10.0.0.31");
}

TEST_F(PrinterAddressTest, TransceiverNeedsAServerName) {
    m_spooler.AddPrinter("Local", "Kaldo Presslane 3020 PS", "IP_printer", "");
    AddTcpPort("IP_printer", "10.0.0.30", "");
    std::string address;
    EXPECT_FALSE(XcvQueryAddress(m_spooler, "Local", address));
    EXPECT_FALSE(XcvQueryAddress(m_spooler, "Missing", address));
    EXPECT_FALSE(Address("Local"));
}

TEST_F(PrinterAddressTest, Ipv6AddressIsKeptWhenResolvingNames) {
    AddLocalPrinter("Six", "IP_six");
    Set(kTcpPorts + "IP_six", "IPAddress", "fd00::5");
    EXPECT_EQ(Address("Six", true), "fd00::5");
}

TEST_F(PrinterAddressTest, DottedAddressResolvesToItself) {
    EXPECT_EQ(ResolveHostAddress("10.0.0.5"), "10.0.0.5");
    EXPECT_EQ(ResolveHostAddress("fd00::5"), "fd00::5");
    EXPECT_EQ(ResolveHostAddress(""), "");
}

TEST_F(PrinterAddressTest, WebUrlBracketsIpv6Addresses) {
    EXPECT_EQ(PrinterWebUrlFor("10.0.0.5"), "http://10.0.0.5/");
    EXPECT_EQ(PrinterWebUrlFor("fd00::5"), "http://[fd00::5]/");
    EXPECT_EQ(PrinterWebUrlFor("fe80::1%eth0"), "http://[fe80::1%25eth0]/");
}

TEST_F(PrinterAddressTest, WebUrlNamesOnlyAPortOtherThan80) {
    EXPECT_EQ(PrinterWebUrlFor("10.0.0.5", 80), "http://10.0.0.5/");
    EXPECT_EQ(PrinterWebUrlFor("10.0.0.5", 8080), "http://10.0.0.5:8080/");
    EXPECT_EQ(PrinterWebUrlFor("fd00::5", 8080), "http://[fd00::5]:8080/");
}

} // namespace
} // namespace kaldo
