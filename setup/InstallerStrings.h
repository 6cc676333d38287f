#pragma once

#include <string_view>

namespace kaldo {

// Where the installer's string tables are compiled in.
constexpr std::string_view kInstallerStringTables = ":/kaldo/tendwellinstall/strings";

// The installer's string ids.
namespace installer_strings {
constexpr int kProductName = 1;
constexpr int kProgramsShortcut = 2; // "Kaldo Presslane\Kaldo Tendwell"
constexpr int kDesktopShortcut = 3;
constexpr int kConfirmCancelCaption = 4;
constexpr int kConfirmCancelText = 5;
constexpr int kWindowCaption = 6;
constexpr int kExit = 7;
constexpr int kContinue = 8;
constexpr int kWelcomeText = 9; // %s: the model name
constexpr int kUnsupportedCaption = 10;
constexpr int kUnsupportedText = 11;
constexpr int kPrivilegesCaption = 12;
constexpr int kPrivilegesText = 13;
constexpr int kCompleteTitle = 14;
constexpr int kFinish = 15;
constexpr int kCompleteText = 16; // %s: the model name
constexpr int kYes = 17;
constexpr int kNo = 18;
constexpr int kFailedTitle = 19;
constexpr int kFailedText = 20; // %s: the reported message
constexpr int kClose = 21;
constexpr int kSupportLink = 22;
constexpr int kProgressMessage = 23;
constexpr int kProgressCaption = 24;
} // namespace installer_strings

} // namespace kaldo
