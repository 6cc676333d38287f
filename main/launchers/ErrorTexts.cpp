#include "main/launchers/ErrorTexts.h"

#include "main/shell/ToolboxConfig.h"

namespace kaldo {

std::string ErrorText(const ToolboxConfig& config, int number) {
    switch (number) {
    case kErrorNoWeb:
        return config.Error_NoWebText_L10N();
    case kErrorNoNetwork:
        return config.Error_NoNetworkText_L10N();
    case kErrorContentNotFound:
        return config.Error_ContentNotFoundText_L10N();
    case kErrorPrinterNotFound:
        return config.Error_PrinterNotFoundText_L10N();
    case kErrorDriverSettings:
        return config.Error_DriverSettings_L10N();
    case kErrorSaveSettings:
        return config.Error_SaveSettings_L10N();
    case kErrorNoPdfReader:
        return config.Error_NoAcrobat_L10N();
    case kErrorNoVideoPlayer:
        return config.Error_NoFlash_L10N();
    default:
        return {};
    }
}

} // namespace kaldo
