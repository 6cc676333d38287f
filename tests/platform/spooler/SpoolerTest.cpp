#include "platform/spooler/Spooler.h"

#include "tests/support/FakeSpooler.h"

#include <gtest/gtest.h>

namespace kaldo {
namespace {

class SpoolerTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_spooler.AddPrinter("Office", "Kaldo Presslane 3020 PS", "IP_printer.example");
        m_spooler.AddPrinter("Desk", "Kaldo Presslane 3020 PS", "USB:Kaldo/Presslane 3020");
        SpoolerPort tcp;
        tcp.Name = "IP_printer.example";
        tcp.Monitor = PortMonitor::StandardTcpIp;
        tcp.HostName = "printer.example";
        SpoolerPort usb;
        usb.Name = "USB:Kaldo/Presslane 3020";
        usb.Monitor = PortMonitor::Usb;
        m_spooler.Ports = {tcp, usb};
    }

    testsupport::FakeSpooler m_spooler;
};

TEST_F(SpoolerTest, GetPrinterMatchesNameWithoutCase) {
    const auto printer = m_spooler.GetPrinter("office");
    ASSERT_TRUE(printer.has_value());
    EXPECT_EQ(printer->PrinterName, "Office");
    EXPECT_FALSE(m_spooler.GetPrinter("Offic").has_value());
}

TEST_F(SpoolerTest, XcvAnswersHostOfStandardTcpIpPort) {
    EXPECT_EQ(m_spooler.XcvData("\\\\localhost\\,XcvPort IP_printer.example", "IPAddress"),
              "printer.example");
}

TEST_F(SpoolerTest, XcvPrefersConfiguredAddressOverHostName) {
    m_spooler.Ports[0].IPAddress = "10.0.0.9";
    EXPECT_EQ(m_spooler.XcvData("\\\\LOCALHOST\\,XcvPort ip_printer.example", "IPAddress"),
              "10.0.0.9");
}

TEST_F(SpoolerTest, XcvRefusesOtherServersPortsAndDataNames) {
    EXPECT_FALSE(m_spooler.XcvData("\\\\elsewhere\\,XcvPort IP_printer.example", "IPAddress"));
    EXPECT_FALSE(m_spooler.XcvData("\\\\localhost\\,XcvPort IP_missing", "IPAddress"));
    EXPECT_FALSE(
        m_spooler.XcvData("\\\\localhost\\,XcvPort USB:Kaldo/Presslane 3020", "IPAddress"));
    EXPECT_FALSE(m_spooler.XcvData("\\\\localhost\\,XcvPort IP_printer.example", "HostName"));
    EXPECT_FALSE(m_spooler.XcvData("localhost\\,XcvPort IP_printer.example", "IPAddress"));
    EXPECT_FALSE(m_spooler.XcvData("\\\\localhost\\IP_printer.example", "IPAddress"));
}

} // namespace
} // namespace kaldo
