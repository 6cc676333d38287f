#include "main/status/StatusInfo.h"

#include "main/resources/StringResources.h"

namespace kaldo {

namespace {

bool NoStatusOverUsb(const StatusFacts& facts) {
    return !facts.printerIsNetworked && facts.statusOverUsb == 0;
}

} // namespace

StatusValue EffectiveFooterStatus(StatusValue requested, const StatusFacts& facts) {
    return NoStatusOverUsb(facts) ? StatusValue::STATUS_UNAVAILABLE : requested;
}

void FillStatusInfo(StatusInfo& info, StatusValue status, const StatusFacts& facts) {
    info.title = LoadStringUtf8(StringId::PrinterStatus);
    info.nameLabel = LoadStringUtf8(StringId::Name);
    info.typeLabel = LoadStringUtf8(StringId::Type);
    info.locationLabel = LoadStringUtf8(StringId::Location);
    info.addressLabel = LoadStringUtf8(StringId::AddressLabel);
    info.address = facts.printerIsNetworked ? facts.printerAddress : std::string();
    info.printerImageTip = LoadStringUtf8(StringId::PrinterImageTip);
    info.refreshTip = LoadStringUtf8(StringId::RefreshStatus);
    info.suppliesTip = LoadStringUtf8(StringId::SuppliesStatus);
    info.logoTip = LoadStringUtf8(StringId::LogoTip);
    info.whatsNewTip = LoadStringUtf8(StringId::WhatsNew);
    info.footerText = LoadStringUtf8(StringId::FooterText);
    info.status = status;
    info.displayToner = facts.displayToner;
    info.usbSupported = facts.statusOverUsb;
    switch (status) {
    case StatusValue::STATUS_AVAILABLE:
        info.statusText.clear();
        break;
    case StatusValue::STATUS_COLLECTING:
        info.statusText = LoadStringUtf8(StringId::CollectingStatus);
        break;
    default:
        info.statusText = LoadStringUtf8(NoStatusOverUsb(facts) ? StringId::NoUsbStatus
                                                                : StringId::StatusUnavailable);
        break;
    }
    info.updatesAvailable = facts.updateState == UpdateState::UpdatesAvailable ? 1 : 0;
}

} // namespace kaldo
