#include "main/status/StatusInfo.h"

#include "main/resources/StringResources.h"

namespace kaldo {

namespace {

bool NoStatusOverUsb(const StatusFacts& facts) {
    return !facts.PrinterIsNetworked && facts.StatusOverUsb == 0;
}

} // namespace

StatusValue EffectiveFooterStatus(StatusValue requested, const StatusFacts& facts) {
    return NoStatusOverUsb(facts) ? StatusValue::STATUS_UNAVAILABLE : requested;
}

void FillStatusInfo(StatusInfo& info, StatusValue status, const StatusFacts& facts) {
    info.Title = LoadStringUtf8(StringId::PrinterStatus);
    info.NameLabel = LoadStringUtf8(StringId::Name);
    info.TypeLabel = LoadStringUtf8(StringId::Type);
    info.LocationLabel = LoadStringUtf8(StringId::Location);
    info.AddressLabel = LoadStringUtf8(StringId::AddressLabel);
    info.Address = facts.PrinterIsNetworked ? facts.PrinterAddress : std::string();
    info.PrinterImageTip = LoadStringUtf8(StringId::PrinterImageTip);
    info.RefreshTip = LoadStringUtf8(StringId::RefreshStatus);
    info.SuppliesTip = LoadStringUtf8(StringId::SuppliesStatus);
    info.LogoTip = LoadStringUtf8(StringId::LogoTip);
    info.WhatsNewTip = LoadStringUtf8(StringId::WhatsNew);
    info.FooterText = LoadStringUtf8(StringId::FooterText);
    info.Status = status;
    info.DisplayToner = facts.DisplayToner;
    info.UsbSupported = facts.StatusOverUsb;
    switch (status) {
    case StatusValue::STATUS_AVAILABLE:
        info.StatusText.clear();
        break;
    case StatusValue::STATUS_COLLECTING:
        info.StatusText = LoadStringUtf8(StringId::CollectingStatus);
        break;
    default:
        info.StatusText = LoadStringUtf8(NoStatusOverUsb(facts) ? StringId::NoUsbStatus
                                                                : StringId::StatusUnavailable);
        break;
    }
    info.UpdatesAvailable = facts.UpdateState == UpdateState::UpdatesAvailable ? 1 : 0;
}

} // namespace kaldo
