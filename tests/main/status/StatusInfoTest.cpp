#include "main/status/StatusInfo.h"

#include <gtest/gtest.h>

namespace kaldo {
namespace {

StatusFacts NetworkedPrinter() {
    StatusFacts facts;
    facts.printerIsNetworked = true;
    facts.printerAddress = "192.168.1.40";
    facts.displayToner = 1;
    facts.statusOverUsb = 1;
    facts.updateState = 401;
    return facts;
}

StatusFacts UsbPrinterWithoutUsbStatus() {
    StatusFacts facts;
    facts.printerAddress = "USB001";
    facts.displayToner = 0;
    facts.statusOverUsb = 0;
    return facts;
}

TEST(StatusInfoTest, CollectingStatusCarriesLabelsAddressAndText) {
    StatusInfo info;
    FillStatusInfo(info, kStatusCollecting, NetworkedPrinter());
    EXPECT_EQ(info.title, "Printer Status");
    EXPECT_EQ(info.nameLabel, "Name");
    EXPECT_EQ(info.typeLabel, "Type");
    EXPECT_EQ(info.locationLabel, "Location");
    EXPECT_EQ(info.addressLabel, "IP");
    EXPECT_EQ(info.address, "192.168.1.40");
    EXPECT_EQ(info.printerImageTip, "Shows the current configuration of the printer.");
    EXPECT_EQ(info.refreshTip, "Refresh Status");
    EXPECT_EQ(info.suppliesTip, "Supplies Status");
    EXPECT_EQ(info.logoTip, "Kaldo Logo");
    EXPECT_EQ(info.whatsNewTip, "What's New?");
    EXPECT_FALSE(info.footerText.empty());
    EXPECT_EQ(info.statusText, "Collecting Status");
    EXPECT_EQ(info.status, kStatusCollecting);
    EXPECT_EQ(info.displayToner, 1);
    EXPECT_EQ(info.usbSupported, 1);
    EXPECT_EQ(info.updatesAvailable, 0);
}

TEST(StatusInfoTest, AvailableStatusHasNoStatusText) {
    StatusInfo info;
    info.statusText = "left over";
    FillStatusInfo(info, kStatusAvailable, NetworkedPrinter());
    EXPECT_TRUE(info.statusText.empty());
    EXPECT_EQ(info.status, kStatusAvailable);
}

TEST(StatusInfoTest, UnavailableStatusOfANetworkedPrinterSaysSo) {
    StatusInfo info;
    FillStatusInfo(info, kStatusUnavailable, NetworkedPrinter());
    EXPECT_EQ(info.statusText, "Status Unavailable");
    EXPECT_EQ(info.address, "192.168.1.40");
}

TEST(StatusInfoTest, UsbPrinterWithoutUsbStatusExplainsWhyAndHasNoAddress) {
    StatusInfo info;
    FillStatusInfo(info, kStatusUnavailable, UsbPrinterWithoutUsbStatus());
    EXPECT_EQ(info.statusText, "Status is not available using a USB connection.");
    EXPECT_TRUE(info.address.empty());
    EXPECT_EQ(info.usbSupported, 0);
    EXPECT_EQ(info.displayToner, 0);
}

TEST(StatusInfoTest, UsbPrinterWithUsbStatusIsMerelyUnavailable) {
    StatusFacts facts = UsbPrinterWithoutUsbStatus();
    facts.statusOverUsb = 1;
    StatusInfo info;
    FillStatusInfo(info, kStatusUnavailable, facts);
    EXPECT_EQ(info.statusText, "Status Unavailable");
    EXPECT_TRUE(info.address.empty());
}

TEST(StatusInfoTest, UpdatesAreAvailableOnlyForState400) {
    for (const auto& [state, expected] : {std::pair{400, 1}, {401, 0}, {0, 0}, {1, 0}}) {
        StatusFacts facts = NetworkedPrinter();
        facts.updateState = state;
        StatusInfo info;
        FillStatusInfo(info, kStatusCollecting, facts);
        EXPECT_EQ(info.updatesAvailable, expected) << state;
    }
}

TEST(StatusInfoTest, UsbPrinterWithoutUsbStatusNeverCollects) {
    EXPECT_EQ(EffectiveFooterStatus(kStatusCollecting, UsbPrinterWithoutUsbStatus()),
              kStatusUnavailable);
    EXPECT_EQ(EffectiveFooterStatus(kStatusAvailable, UsbPrinterWithoutUsbStatus()),
              kStatusUnavailable);
    StatusFacts usbStatus = UsbPrinterWithoutUsbStatus();
    usbStatus.statusOverUsb = 1;
    EXPECT_EQ(EffectiveFooterStatus(kStatusCollecting, usbStatus), kStatusCollecting);
    StatusFacts networked = NetworkedPrinter();
    networked.statusOverUsb = 0;
    for (const int status : {kStatusAvailable, kStatusCollecting, kStatusUnavailable})
        EXPECT_EQ(EffectiveFooterStatus(status, networked), status);
}

} // namespace
} // namespace kaldo
