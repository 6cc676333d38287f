#include "main/status/StatusInfo.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace kaldo {
namespace {

StatusFacts NetworkedPrinter() {
    StatusFacts facts;
    facts.PrinterIsNetworked = true;
    facts.PrinterAddress = "192.168.1.40";
    facts.DisplayToner = 1;
    facts.StatusOverUsb = 1;
    facts.UpdateState = UpdateState::NoUpdatesPending;
    return facts;
}

StatusFacts UsbPrinterWithoutUsbStatus() {
    StatusFacts facts;
    facts.PrinterAddress = "USB001";
    facts.DisplayToner = 0;
    facts.StatusOverUsb = 0;
    return facts;
}

TEST(StatusInfoTest, CollectingStatusCarriesLabelsAddressAndText) {
    StatusInfo info;
    FillStatusInfo(info, StatusValue::STATUS_COLLECTING, NetworkedPrinter());
    EXPECT_EQ(info.Title, "Printer Status");
    EXPECT_EQ(info.NameLabel, "Name");
    EXPECT_EQ(info.TypeLabel, "Type");
    EXPECT_EQ(info.LocationLabel, "Location");
    EXPECT_EQ(info.AddressLabel, "IP");
    EXPECT_EQ(info.Address, "192.168.1.40");
    EXPECT_EQ(info.PrinterImageTip, "Shows the current configuration of the printer.");
    EXPECT_EQ(info.RefreshTip, "Refresh Status");
    EXPECT_EQ(info.SuppliesTip, "Supplies Status");
    EXPECT_EQ(info.LogoTip, "Kaldo Logo");
    EXPECT_EQ(info.WhatsNewTip, "What's New?");
    EXPECT_FALSE(info.FooterText.empty());
    EXPECT_EQ(info.StatusText, "Collecting Status");
    EXPECT_EQ(info.Status, StatusValue::STATUS_COLLECTING);
    EXPECT_EQ(info.DisplayToner, 1);
    EXPECT_EQ(info.UsbSupported, 1);
    EXPECT_EQ(info.UpdatesAvailable, 0);
}

TEST(StatusInfoTest, AvailableStatusHasNoStatusText) {
    StatusInfo info;
    info.StatusText = "left over";
    FillStatusInfo(info, StatusValue::STATUS_AVAILABLE, NetworkedPrinter());
    EXPECT_TRUE(info.StatusText.empty());
    EXPECT_EQ(info.Status, StatusValue::STATUS_AVAILABLE);
}

TEST(StatusInfoTest, UnavailableStatusOfANetworkedPrinterSaysSo) {
    StatusInfo info;
    FillStatusInfo(info, StatusValue::STATUS_UNAVAILABLE, NetworkedPrinter());
    EXPECT_EQ(info.StatusText, "Status Unavailable");
    EXPECT_EQ(info.Address, "192.168.1.40");
}

TEST(StatusInfoTest, UsbPrinterWithoutUsbStatusExplainsWhyAndHasNoAddress) {
    StatusInfo info;
    FillStatusInfo(info, StatusValue::STATUS_UNAVAILABLE, UsbPrinterWithoutUsbStatus());
    EXPECT_EQ(info.StatusText, "Status is not available using a USB connection.");
    EXPECT_TRUE(info.Address.empty());
    EXPECT_EQ(info.UsbSupported, 0);
    EXPECT_EQ(info.DisplayToner, 0);
}

TEST(StatusInfoTest, UsbPrinterWithUsbStatusIsMerelyUnavailable) {
    StatusFacts facts = UsbPrinterWithoutUsbStatus();
    facts.StatusOverUsb = 1;
    StatusInfo info;
    FillStatusInfo(info, StatusValue::STATUS_UNAVAILABLE, facts);
    EXPECT_EQ(info.StatusText, "Status Unavailable");
    EXPECT_TRUE(info.Address.empty());
}

// An update state and whether the footer announces updates for it.
class UpdatesAvailableTest : public testing::TestWithParam<std::pair<UpdateState, int>> {};

TEST_P(UpdatesAvailableTest, OnlyForState400) {
    const auto& [state, expected] = GetParam();
    StatusFacts facts = NetworkedPrinter();
    facts.UpdateState = state;
    StatusInfo info;
    FillStatusInfo(info, StatusValue::STATUS_COLLECTING, facts);
    EXPECT_EQ(info.UpdatesAvailable, expected);
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
    usbStatus.StatusOverUsb = 1;
    EXPECT_EQ(EffectiveFooterStatus(StatusValue::STATUS_COLLECTING, usbStatus),
              StatusValue::STATUS_COLLECTING);
    StatusFacts networked = NetworkedPrinter();
    networked.StatusOverUsb = 0;
    for (const StatusValue status : {StatusValue::STATUS_AVAILABLE, StatusValue::STATUS_COLLECTING,
                                     StatusValue::STATUS_UNAVAILABLE})
        EXPECT_EQ(EffectiveFooterStatus(status, networked), status);
}

} // namespace
} // namespace kaldo
