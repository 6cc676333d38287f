#include "main/status/StatusInfo.h"

#include "main/resources/StringResources.h"

namespace kaldo {

namespace {

// String ids of the footer's texts.
constexpr int kTitleText = 106;
constexpr int kNameText = 107;
constexpr int kTypeText = 108;
constexpr int kLocationText = 109;
constexpr int kPrinterImageTipText = 110;
constexpr int kRefreshTipText = 111;
constexpr int kSuppliesTipText = 112;
constexpr int kLogoTipText = 113;
constexpr int kFooterText = 115;
constexpr int kCollectingText = 116;
constexpr int kUnavailableText = 117;
constexpr int kAddressLabelText = 127;
constexpr int kWhatsNewTipText = 130;
constexpr int kNoUsbStatusText = 132;

bool NoStatusOverUsb(const StatusFacts& facts) {
    return !facts.printerIsNetworked && facts.statusOverUsb == 0;
}

} // namespace

int EffectiveFooterStatus(int requested, const StatusFacts& facts) {
    return NoStatusOverUsb(facts) ? kStatusUnavailable : requested;
}

void FillStatusInfo(StatusInfo& info, int status, const StatusFacts& facts) {
    info.title = LoadStringUtf8(kTitleText);
    info.nameLabel = LoadStringUtf8(kNameText);
    info.typeLabel = LoadStringUtf8(kTypeText);
    info.locationLabel = LoadStringUtf8(kLocationText);
    info.addressLabel = LoadStringUtf8(kAddressLabelText);
    info.address = facts.printerIsNetworked ? facts.printerAddress : std::string();
    info.printerImageTip = LoadStringUtf8(kPrinterImageTipText);
    info.refreshTip = LoadStringUtf8(kRefreshTipText);
    info.suppliesTip = LoadStringUtf8(kSuppliesTipText);
    info.logoTip = LoadStringUtf8(kLogoTipText);
    info.whatsNewTip = LoadStringUtf8(kWhatsNewTipText);
    info.footerText = LoadStringUtf8(kFooterText);
    info.status = status;
    info.displayToner = facts.displayToner;
    info.usbSupported = facts.statusOverUsb;
    switch (status) {
    case kStatusAvailable:
        info.statusText.clear();
        break;
    case kStatusCollecting:
        info.statusText = LoadStringUtf8(kCollectingText);
        break;
    default:
        info.statusText =
            LoadStringUtf8(NoStatusOverUsb(facts) ? kNoUsbStatusText : kUnavailableText);
        break;
    }
    info.updatesAvailable = facts.updateState == kUpdateStateAvailable ? 1 : 0;
}

} // namespace kaldo
