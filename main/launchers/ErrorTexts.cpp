#include "main/launchers/ErrorTexts.h"

#include "main/content/ToolboxConfig.h"

namespace kaldo {

std::string ErrorText(const ToolboxConfig& config, ErrorNumber number) {
    switch (number) {
    case ErrorNumber::NoWeb:
        return config.Error_NoWebText_L10N();
    case ErrorNumber::NoNetwork:
        return config.Error_NoNetworkText_L10N();
    case ErrorNumber::ContentNotFound:
        return config.Error_ContentNotFoundText_L10N();
    case ErrorNumber::PrinterNotFound:
        return config.Error_PrinterNotFoundText_L10N();
    case ErrorNumber::DriverSettings:
        return config.Error_DriverSettings_L10N();
    case ErrorNumber::SaveSettings:
        return config.Error_SaveSettings_L10N();
    case ErrorNumber::NoPdfReader:
        return config.Error_NoAcrobat_L10N();
    case ErrorNumber::NoVideoPlayer:
        return config.Error_NoFlash_L10N();
    default:
        return {};
    }
}

} // namespace kaldo
