#include "platform/spooler/CupsSpooler.h"

#include "TestPaths.h"
#include "platform/spooler/DevicePorts.h"
#include "tests/support/PrivateCups.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>

namespace kaldo {
namespace {

const std::string kKaldoPpd = KALDO_TEST_DATA_DIR "/printers/KaldoPresslane3020.ppd";
const std::string kOtherPpd = KALDO_TEST_DATA_DIR "/printers/TessaroInkline5.ppd";
const std::string kService = "dnssd://Kaldo%20Presslane%203020._ipp._tcp.local/?uuid=c0ffee";

std::optional<std::string> NoService(const std::string&) {
    return std::nullopt;
}

class CupsSpoolerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_cups = std::make_unique<testsupport::PrivateCups>();
        if (!s_cups->Started())
            return;
        const std::pair<const char*, const char*> queues[] = {
            {"Presslane_Socket", "socket://10.0.0.5:9100"},
            {"Presslane_Named", "socket://localhost"},
            {"Presslane_Lpd", "lpd://10.0.0.6/office"},
            {"Presslane_Ipp", "ipp://10.0.0.7:631/ipp/print"},
            {"Presslane_Http6", "http://[fd00::8]:8080/ipp/print"},
            {"Presslane_Usb", "usb://Kaldo/Presslane%203020?serial=KP0001"},
            {"Presslane_Parallel", "parallel:/dev/lp0"},
            {"Presslane_Service", kService.c_str()},
        };
        for (const auto& [name, uri] : queues)
            s_added = s_cups->AddQueue(name, uri, kKaldoPpd) && s_added;
        s_added = s_cups->AddQueue("Inkline", "socket://10.0.0.9", kOtherPpd) && s_added;
    }
    static void TearDownTestSuite() { s_cups.reset(); }

    void SetUp() override {
        ASSERT_TRUE(s_cups->Started()) << s_cups->Error();
        ASSERT_TRUE(s_added) << s_cups->Error();
    }

    CupsSpooler Spooler(DnssdResolver resolver = NoService) {
        return CupsSpooler(s_cups->Server(), std::move(resolver));
    }

    std::string PortOf(const std::string& printer) {
        auto found = Spooler().GetPrinter(printer);
        return found ? found->PortName : "(missing)";
    }

    static std::unique_ptr<testsupport::PrivateCups> s_cups;
    static bool s_added;
};

std::unique_ptr<testsupport::PrivateCups> CupsSpoolerTest::s_cups;
bool CupsSpoolerTest::s_added = true;

TEST_F(CupsSpoolerTest, ListsEveryQueueInTheSchedulersOrder) {
    std::string listing;
    ASSERT_EQ(s_cups->Run({"lpstat", "-v"}, {}, &listing), 0) << listing;
    std::vector<std::string> expected;
    std::istringstream lines(listing);
    for (std::string line; std::getline(lines, line);) {
        const std::string prefix = "device for ";
        if (line.starts_with(prefix))
            expected.push_back(line.substr(prefix.size(), line.find(':') - prefix.size()));
    }

    std::vector<std::string> names;
    for (const SpoolerPrinter& printer : Spooler().EnumPrinters())
        names.push_back(printer.PrinterName);
    EXPECT_EQ(names.size(), 9u);
    EXPECT_EQ(names, expected);
}

TEST_F(CupsSpoolerTest, DriverNameIsTheMakeAndModelOfThePpd) {
    EXPECT_EQ(Spooler().GetPrinter("Presslane_Usb")->DriverName, "Kaldo Presslane 3020 PS");
    EXPECT_EQ(Spooler().GetPrinter("Inkline")->DriverName, "Tessaro Inkline 5 PCL");
}

TEST_F(CupsSpoolerTest, EveryPrinterNamesTheLocalServer) {
    for (const SpoolerPrinter& printer : Spooler().EnumPrinters())
        EXPECT_EQ(printer.ServerName, "\\\\localhost") << printer.PrinterName;
}

TEST_F(CupsSpoolerTest, PortsFollowTheDeviceKind) {
    EXPECT_EQ(PortOf("Presslane_Socket"), "IP_10.0.0.5");
    EXPECT_EQ(PortOf("Presslane_Named"), "IP_localhost");
    EXPECT_EQ(PortOf("Presslane_Lpd"), "10.0.0.6:office");
    EXPECT_EQ(PortOf("Presslane_Ipp"), "http://10.0.0.7/ipp/print");
    EXPECT_EQ(PortOf("Presslane_Http6"), "http://[fd00::8]/ipp/print");
    EXPECT_EQ(PortOf("Presslane_Usb"), "USB:Kaldo/Presslane 3020?serial=KP0001");
    EXPECT_EQ(PortOf("Presslane_Parallel"), "LPT1");
    EXPECT_EQ(PortOf("Presslane_Service"), kService);
}

TEST_F(CupsSpoolerTest, PortsCarryTheirMonitorValues) {
    std::vector<SpoolerPort> ports = Spooler().EnumPorts();
    auto find = [&](const std::string& name) -> const SpoolerPort* {
        for (const SpoolerPort& port : ports)
            if (port.Name == name)
                return &port;
        return nullptr;
    };
    ASSERT_NE(find("IP_10.0.0.5"), nullptr);
    EXPECT_EQ(find("IP_10.0.0.5")->IPAddress, "10.0.0.5");
    ASSERT_NE(find("IP_localhost"), nullptr);
    EXPECT_EQ(find("IP_localhost")->HostName, "localhost");
    EXPECT_EQ(find("IP_localhost")->IPAddress, "");
    ASSERT_NE(find("10.0.0.6:office"), nullptr);
    EXPECT_EQ(find("10.0.0.6:office")->LprServer, "10.0.0.6");
    EXPECT_EQ(ports.size(), 9u);
}

TEST_F(CupsSpoolerTest, ResolvedServiceIsMappedLikeItsTarget) {
    int lookups = 0;
    CupsSpooler spooler = Spooler([&](const std::string& uri) -> std::optional<std::string> {
        ++lookups;
        if (uri == kService)
            return "ipp://10.0.0.10:631/ipp/print";
        return std::nullopt;
    });
    // A service that is gone takes seconds to look up: listing looks up none.
    auto listedPort = [&] {
        for (const SpoolerPrinter& printer : spooler.EnumPrinters()) {
            if (printer.PrinterName == "Presslane_Service")
                return printer.PortName;
        }
        return std::string("(missing)");
    };
    EXPECT_EQ(listedPort(), kService);
    EXPECT_EQ(spooler.EnumPorts().size(), 9u);
    EXPECT_EQ(lookups, 0);
    EXPECT_EQ(spooler.GetPrinter("Presslane_Service")->PortName, "http://10.0.0.10/ipp/print");
    EXPECT_EQ(listedPort(), "http://10.0.0.10/ipp/print");
    EXPECT_EQ(spooler.GetPrinter("Presslane_Service")->PortName, "http://10.0.0.10/ipp/print");
    EXPECT_EQ(lookups, 1);
}

TEST_F(CupsSpoolerTest, XcvAnswersAddressOfSocketPort) {
    EXPECT_EQ(Spooler().XcvData("\\\\localhost\\,XcvPort IP_10.0.0.5", "IPAddress"), "10.0.0.5");
    EXPECT_FALSE(Spooler().XcvData("\\\\localhost\\,XcvPort LPT1", "IPAddress").has_value());
}

TEST_F(CupsSpoolerTest, QueueAddedOrRemovedShowsInTheNextEnumeration) {
    CupsSpooler spooler = Spooler();
    ASSERT_TRUE(s_cups->AddQueue("Presslane_Late", "socket://10.0.0.11", kKaldoPpd));
    EXPECT_TRUE(spooler.GetPrinter("Presslane_Late").has_value());
    ASSERT_TRUE(s_cups->RemoveQueue("Presslane_Late"));
    EXPECT_FALSE(spooler.GetPrinter("Presslane_Late").has_value());
}

TEST_F(CupsSpoolerTest, QueueStateHoldsWhatTheBackendReportedWhileAJobRan) {
    ASSERT_TRUE(s_cups->AddQueue("Presslane_Reporting", "ipp://10.0.0.20/ipp/print", kKaldoPpd));
    CupsSpooler spooler = Spooler();
    const std::optional<QueueState> before = spooler.GetQueueState("Presslane_Reporting");
    ASSERT_TRUE(before.has_value());
    EXPECT_EQ(before->State, "idle");
    EXPECT_TRUE(before->Reasons.empty());
    EXPECT_TRUE(before->Markers.empty());

    ASSERT_TRUE(s_cups->SetBackendReport("Presslane_Reporting",
                                         "ATTR: marker-names='\"Black Toner\"',Cyan\n"
                                         "ATTR: marker-types=toner,toner\n"
                                         "ATTR: marker-colors=#000000,#00FFFF\n"
                                         "ATTR: marker-levels=37,80\n"
                                         "STATE: +media-jam-error\n"));
    ASSERT_TRUE(s_cups->PrintRaw("Presslane_Reporting", "a page\n")) << s_cups->Error();
    ASSERT_TRUE(s_cups->WaitUntilIdle("Presslane_Reporting")) << s_cups->Error();

    const std::optional<QueueState> after = spooler.GetQueueState("Presslane_Reporting");
    ASSERT_TRUE(after.has_value());
    EXPECT_EQ(after->Reasons, std::vector<std::string>{"media-jam-error"});
    ASSERT_EQ(after->Markers.size(), 2u);
    EXPECT_EQ(after->Markers[0].Name, "Black Toner");
    EXPECT_EQ(after->Markers[0].Type, "toner");
    EXPECT_EQ(after->Markers[0].Color, "#000000");
    EXPECT_EQ(after->Markers[0].Level, 37);
    EXPECT_EQ(after->Markers[1].Name, "Cyan");
    EXPECT_EQ(after->Markers[1].Level, 80);
    EXPECT_FALSE(spooler.GetQueueState("Presslane_Missing").has_value());
    EXPECT_FALSE(spooler.GetQueueState("").has_value());
    ASSERT_TRUE(s_cups->RemoveQueue("Presslane_Reporting"));
}

TEST(CupsSpoolerUnreachableTest, NoSchedulerMeansNoPrinters) {
    const std::string missing = ::testing::TempDir() + "/no-such-cups.sock";
    CupsSpooler spooler(missing, NoService);
    EXPECT_TRUE(spooler.EnumPrinters().empty());
    EXPECT_TRUE(spooler.EnumPorts().empty());
    EXPECT_FALSE(spooler.GetPrinter("Presslane_Socket").has_value());
    EXPECT_FALSE(spooler.GetQueueState("Presslane_Socket").has_value());
}

TEST(CupsSpoolerEmptyTest, SchedulerWithoutQueuesHasNoPrinters) {
    testsupport::PrivateCups cups;
    ASSERT_TRUE(cups.Started()) << cups.Error();
    EXPECT_TRUE(CupsSpooler(cups.Server(), NoService).EnumPrinters().empty());
}

} // namespace
} // namespace kaldo
