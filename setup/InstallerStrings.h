#pragma once

#include "setupsupport/SetupSupport.h"

#include <string>
#include <string_view>

namespace kaldo {

// Where the installer's string tables are compiled in.
constexpr std::string_view kInstallerStringTables = ":/kaldo/tendwellinstall/strings";

// The installer's string ids.
enum class InstallerString : int {
    ProductName = 1,
    ProgramsShortcut = 2, // "Kaldo Presslane\Kaldo Tendwell"
    DesktopShortcut = 3,
    ConfirmCancelCaption = 4,
    ConfirmCancelText = 5,
    WindowCaption = 6,
    Exit = 7,
    Continue = 8,
    WelcomeText = 9, // %s: the model name
    UnsupportedCaption = 10,
    UnsupportedText = 11,
    PrivilegesCaption = 12,
    PrivilegesText = 13,
    CompleteTitle = 14,
    Finish = 15,
    CompleteText = 16, // %s: the model name
    Yes = 17,
    No = 18,
    FailedTitle = 19,
    FailedText = 20, // %s: the reported message
    Close = 21,
    SupportLink = 22,
    ProgressMessage = 23,
    ProgressCaption = 24,
};

// String `id` of the installer's table in the user's language; empty when missing.
inline std::string InstallerText(const SetupSupport& setup, InstallerString id) {
    return setup.loadString(static_cast<int>(id));
}

} // namespace kaldo
