#include "main/status/StatusInfo.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace kaldo {
namespace {

StatusFacts NetworkedPrinter() {
    StatusFacts facts;
    facts.printerIsNetworked = true;
    facts.printerAddress = "192.168.1.40";
    facts.displayToner = 1;
    facts.statusOverUsb = 1;
    facts.updateState = UpdateState::NoUpdatesPending;
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
    FillStatusInfo(info, StatusValue::STATUS_COLLECTING, NetworkedPrinter());
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
    EXPECT_EQ(info.status, StatusValue::STATUS_COLLECTING);
    EXPECT_EQ(info.displayToner, 1);
    EXPECT_EQ(info.usbSupported, 1);
    EXPECT_EQ(info.updatesAvailable, 0);
}

TEST(StatusInfoTest, AvailableStatusHasNoStatusText) {
    StatusInfo info;
    info.statusText = "left over";
    FillStatusInfo(info, StatusValue::STATUS_AVAILABLE, NetworkedPrinter());
    EXPECT_TRUE(info.statusText.empty());
    EXPECT_EQ(info.status, StatusValue::STATUS_AVAILABLE);
}

TEST(StatusInfoTest, UnavailableStatusOfANetworkedPrinterSaysSo) {
    StatusInfo info;
    FillStatusInfo(info, StatusValue::STATUS_UNAVAILABLE, NetworkedPrinter());
    EXPECT_EQ(info.statusText, "Status Unavailable");
    EXPECT_EQ(info.address, "192.168.1.40");
}

TEST(StatusInfoTest, UsbPrinterWithoutUsbStatusExplainsWhyAndHasNoAddress) {
    StatusInfo info;
    FillStatusInfo(info, StatusValue::STATUS_UNAVAILABLE, UsbPrinterWithoutUsbStatus());
    EXPECT_EQ(info.statusText, "Status is not available using a USB connection.");
    EXPECT_TRUE(info.address.empty());
    EXPECT_EQ(info.usbSupported, 0);
    EXPECT_EQ(info.displayToner, 0);
}

TEST(StatusInfoTest, UsbPrinterWithUsbStatusIsMerelyUnavailable) {
    StatusFacts facts = UsbPrinterWithoutUsbStatus();
    facts.statusOverUsb = 1;
    StatusInfo info;
    FillStatusInfo(info, StatusValue::STATUS_UNAVAILABLE, facts);
    EXPECT_EQ(info.statusText, "Status Unavailable");
    EXPECT_TRUE(info.address.empty());
}

// An update state and whether the footer announces updates for it.
class UpdatesAvailableTest : public testing::TestWithParam<std::pair<UpdateState, int>> {};

TEST_P(UpdatesAvailableTest, OnlyForState400) {
    const auto& [state, expected] = GetParam();
    StatusFacts facts = NetworkedPrinter();
    facts.updateState = state;
    StatusInfo info;
    FillStatusInfo(info, StatusValue::STATUS_COLLECTING, facts);
    EXPECT_EQ(info.updatesAvailable, expected);
}

INSTANTIATE_TEST_SUITE_P(StatusInfoTest, UpdatesAvailableTest,
                         testing::Values(std::pair{UpdateState::UpdatesAvailable, 1},
                                         std::pair{UpdateState::NoUpdatesPending, 0},
                                         std::pair{UpdateState::NotChecked, 0},
                                         std::pair{static_cast<UpdateState>(1), 0}),
                         [](const testing::TestParamInfo<std::pair<UpdateState, int>>& info) {
                             return "State" + std::to_string(ToInt(info.param.first));
                         });

TEST(StatusInfoTest, UsbPrinterWithoutUsbStatusNeverCollects) {
    EXPECT_EQ(EffectiveFooterStatus(StatusValue::STATUS_COLLECTING, UsbPrinterWithoutUsbStatus()),
              StatusValue::STATUS_UNAVAILABLE);
    EXPECT_EQ(EffectiveFooterStatus(StatusValue::STATUS_AVAILABLE, UsbPrinterWithoutUsbStatus()),
              StatusValue::STATUS_UNAVAILABLE);
    StatusFacts usbStatus = UsbPrinterWithoutUsbStatus();
    usbStatus.statusOverUsb = 1;
    EXPECT_EQ(EffectiveFooterStatus(StatusValue::STATUS_COLLECTING, usbStatus),
              StatusValue::STATUS_COLLECTING);
    StatusFacts networked = NetworkedPrinter();
    networked.statusOverUsb = 0;
    for (const StatusValue status : {StatusValue::STATUS_AVAILABLE, StatusValue::STATUS_COLLECTING,
                                     StatusValue::STATUS_UNAVAILABLE})
        EXPECT_EQ(EffectiveFooterStatus(status, networked), status);
}

} // namespace
} // namespace kaldo
