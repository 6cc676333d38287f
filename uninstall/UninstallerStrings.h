#pragma once

#include <string_view>

namespace kaldo {

// Where the uninstaller's string tables are compiled in.
constexpr std::string_view kUninstallerStringTables = ":/kaldo/tendwelluninstall/strings";

// The uninstaller's string ids.
namespace uninstaller_strings {
constexpr int kRemove = 1;
constexpr int kSelectAll = 2;
constexpr int kDeselectAll = 3;
constexpr int kDone = 4;
constexpr int kPrompt = 5;
constexpr int kNotInstalledText = 6;
constexpr int kNotInstalledCaption = 7;
constexpr int kCompleteText = 8;
constexpr int kCompleteCaption = 9;
constexpr int kWindowCaption = 10;
constexpr int kDesktopShortcut = 11;
constexpr int kProgramsShortcut = 12; // "Kaldo Presslane\Kaldo Tendwell"
constexpr int kRunningText = 13;
constexpr int kRunningCaption = 14;
constexpr int kRunningUnknownText = 15; // shown with kWindowCaption
constexpr int kNotRemovedText = 16; // "%s": the files, one a line
} // namespace uninstaller_strings

} // namespace kaldo
