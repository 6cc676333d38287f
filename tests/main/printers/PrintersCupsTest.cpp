#include "TestPaths.h"
#include "main/content/ContentCatalog.h"
#include "main/printers/PrinterAddress.h"
#include "main/printers/PrinterConnection.h"
#include "main/printers/PrinterSelection.h"
#include "main/printers/PrinterServices.h"
#include "platform/registry/IniRegistry.h"
#include "platform/spooler/CupsSpooler.h"
#include "platform/spooler/SpoolerRegistryView.h"
#include "tests/support/PrivateCups.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <memory>

namespace kaldo {
namespace {

const std::string kProgramFolder = KALDO_TEST_DATA_DIR "/printers/program/";
const std::string kKaldoPpd = KALDO_TEST_DATA_DIR "/printers/KaldoPresslane3020.ppd";
const std::string kOtherPpd = KALDO_TEST_DATA_DIR "/printers/TessaroInkline5.ppd";

std::optional<std::string> NoService(const std::string&) {
    return std::nullopt;
}

// The printer operations over the registry view of a real scheduler, as the program runs them.
class PrintersCupsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_cups = std::make_unique<testsupport::PrivateCups>();
        if (!s_cups->Started())
            return;
        const std::pair<const char*, const char*> queues[] = {
            {"Office", "socket://10.0.0.5:9100"},
            {"Named", "socket://localhost"},
            {"Queue", "lpd://10.0.0.6/office"},
            {"Web", "ipp://10.0.0.7:631/ipp/print"},
            {"Web6", "ipps://[fd00::8]/ipp/print"},
            {"Desk", "usb://Kaldo/Presslane%203020?serial=KP0001"},
            {"Old", "parallel:/dev/lp0"},
            {"Service", "dnssd://Kaldo%20Presslane%203020._ipp._tcp.local/?uuid=c0ffee"},
        };
        for (const auto& [name, uri] : queues)
            s_ready = s_cups->AddQueue(name, uri, kKaldoPpd) && s_ready;
        s_ready = s_cups->AddQueue("Inkline", "socket://10.0.0.9", kOtherPpd) && s_ready;
    }
    static void TearDownTestSuite() { s_cups.reset(); }

    void SetUp() override {
        ASSERT_TRUE(s_cups->Started()) << s_cups->Error();
        ASSERT_TRUE(s_ready) << s_cups->Error();
    }

    std::optional<std::string> Address(const std::string& printer) {
        std::string address;
        if (!ResolvePrinterAddress(m_services, printer, address, true))
            return std::nullopt;
        return address;
    }

    static std::unique_ptr<testsupport::PrivateCups> s_cups;
    static bool s_ready;

    testsupport::TempFolder m_folder;
    IniRegistry m_registry{m_folder / "machine.ini", m_folder / "user.ini"};
    CupsSpooler m_spooler{s_cups->Server(), NoService};
    SpoolerRegistryView m_view{m_registry, m_spooler};
    PrinterServices m_services{m_spooler, m_view, {}, {}, {}};
    ContentCatalog m_catalog{kProgramFolder};
    PrinterSelection m_state;
    PrinterSelector m_selector{m_state, m_catalog, m_services};
};

std::unique_ptr<testsupport::PrivateCups> PrintersCupsTest::s_cups;
bool PrintersCupsTest::s_ready = true;

TEST_F(PrintersCupsTest, ListHoldsTheQueuesWithContentInTheSchedulersOrder) {
    m_selector.BuildPrinterList();
    std::vector<std::string> names;
    for (const PrinterEntry& entry : m_state.Printers->Entries())
        names.push_back(entry.PrinterName);
    EXPECT_EQ(names, (std::vector<std::string>{"Desk", "Named", "Office", "Old", "Queue", "Service",
                                               "Web", "Web6"}));
    EXPECT_EQ(m_state.Printers->DriverFor("Office"), "Kaldo Presslane 3020 PS");
    EXPECT_EQ(m_state.Printers->DriverFor("Inkline"), NoModel);
}

TEST_F(PrintersCupsTest, DriverlessQueuesOfAModelWithContentAreListedLikeAnyOther) {
    const std::pair<const char*, const char*> driverless[] = {
        {"Everywhere", "Kaldo Presslane 4200 - IPP Everywhere"},
        {"Driverless", "Kaldo Presslane 4200, driverless, cups-filters 1.28.17"},
        {"Foreign", "Tessaro Inkline 5 - IPP Everywhere"},
    };
    for (const auto& [name, model] : driverless)
        ASSERT_TRUE(s_cups->AddQueueForModel(name, "ipp://10.0.0.30/ipp/print", model));
    m_selector.BuildPrinterList();
    const PrinterList listed = *m_state.Printers;
    for (const auto& [name, model] : driverless)
        ASSERT_TRUE(s_cups->RemoveQueue(name));

    EXPECT_EQ(listed.DriverFor("Everywhere"), "Kaldo Presslane 4200 - IPP Everywhere");
    EXPECT_EQ(listed.DriverFor("Driverless"),
              "Kaldo Presslane 4200, driverless, cups-filters 1.28.17");
    EXPECT_EQ(listed.DriverFor("Foreign"), NoModel);
    std::string folder;
    std::string model;
    ASSERT_TRUE(m_catalog.Lookup(listed.DriverFor("Everywhere"), folder, model));
    EXPECT_EQ(model, "Presslane 4200");
}

TEST_F(PrintersCupsTest, NetworkQueuesHaveTheAddressOfTheirDevice) {
    EXPECT_EQ(Address("Office"), "10.0.0.5");
    EXPECT_EQ(Address("Named"), "127.0.0.1");
    EXPECT_EQ(Address("Queue"), "10.0.0.6");
    EXPECT_EQ(Address("Web"), "10.0.0.7");
    EXPECT_EQ(Address("Web6"), "fd00::8");
}

// Listing does not look the service up; the printer's address, asked for by name, does.
TEST_F(PrintersCupsTest, ServiceQueueHasTheAddressOfThePrinterItNames) {
    CupsSpooler spooler(s_cups->Server(), [](const std::string&) -> std::optional<std::string> {
        return "ipp://10.0.0.10:631/ipp/print";
    });
    SpoolerRegistryView view(m_registry, spooler);
    PrinterServices services{spooler, view, {}, {}, {}};
    std::string address;
    ASSERT_TRUE(ResolvePrinterAddress(services, "Service", address, true));
    EXPECT_EQ(address, "10.0.0.10");
}

TEST_F(PrintersCupsTest, LocalAndUnresolvedQueuesHaveNoAddress) {
    EXPECT_FALSE(Address("Desk"));
    EXPECT_FALSE(Address("Old"));
    EXPECT_FALSE(Address("Service"));
    EXPECT_FALSE(Address("Missing"));
}

TEST_F(PrintersCupsTest, PrinterKeysAreFoundInTheView) {
    std::string key;
    ASSERT_TRUE(FindPrinterKey(m_view, {}, "office", key));
    EXPECT_EQ(m_view.QueryValue(Hive::LocalMachine, key, "Port"), "IP_10.0.0.5");
    EXPECT_FALSE(FindPrinterKey(m_view, {}, "Missing", key));
}

TEST_F(PrintersCupsTest, UsbQueueGivesItsPortName) {
    std::string port;
    GetUsbPortName(m_services, "Desk", port);
    EXPECT_EQ(port, "USB:Kaldo/Presslane 3020?serial=KP0001");
    std::string none;
    GetUsbPortName(m_services, "Old", none);
    EXPECT_EQ(none, "");
}

TEST_F(PrintersCupsTest, SelectingPrintersSetsTheirConnection) {
    ASSERT_EQ(m_selector.SelectStartPrinter("Web6"), StartPrinterResult::Selected);
    RefreshPrinterConnection(m_state, m_services);
    EXPECT_TRUE(m_state.PrinterIsNetworked);
    EXPECT_EQ(m_state.Config->PrinterWebUrl(), "http://[fd00::8]/");

    ASSERT_TRUE(m_selector.SwitchToPrinter("Desk"));
    EXPECT_FALSE(m_state.PrinterIsNetworked);
    EXPECT_EQ(m_state.PrinterPortName, "USB:Kaldo/Presslane 3020?serial=KP0001");

    ASSERT_TRUE(m_selector.SwitchToPrinter("Queue"));
    EXPECT_EQ(m_state.Config->PrinterAddress(), "10.0.0.6");
    EXPECT_EQ(m_state.PrinterPortName, "");

    EXPECT_FALSE(m_selector.SwitchToPrinter("Inkline"));
    EXPECT_EQ(m_state.SelectedPrinter, "Queue");
}

TEST_F(PrintersCupsTest, RememberedQueueThatWasDeletedFallsBackToTheFirst) {
    ASSERT_TRUE(s_cups->AddQueue("Gone", "socket://10.0.0.12", kKaldoPpd));
    m_selector.BuildPrinterList();
    ASSERT_EQ(m_selector.SelectStartPrinter("Gone"), StartPrinterResult::Selected);
    m_selector.WriteLastPrinter();
    ASSERT_TRUE(s_cups->RemoveQueue("Gone"));

    PrinterSelection fresh;
    PrinterSelector next(fresh, m_catalog, m_services);
    EXPECT_EQ(next.SelectStartPrinter(""), StartPrinterResult::Selected);
    EXPECT_EQ(fresh.SelectedPrinter, "Desk");
}

} // namespace
} // namespace kaldo
