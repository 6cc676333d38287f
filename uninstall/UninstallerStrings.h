#pragma once

#include "setupsupport/SetupSupport.h"

#include <string>
#include <string_view>

namespace kaldo {

// Where the uninstaller's string tables are compiled in.
constexpr std::string_view kUninstallerStringTables = ":/kaldo/tendwelluninstall/strings";

// The uninstaller's string ids.
enum class UninstallerString : int {
    Remove = 1,
    SelectAll = 2,
    DeselectAll = 3,
    Done = 4,
    Prompt = 5,
    NotInstalledText = 6,
    NotInstalledCaption = 7,
    CompleteText = 8,
    CompleteCaption = 9,
    WindowCaption = 10,
    DesktopShortcut = 11,
    ProgramsShortcut = 12, // "Kaldo Presslane\Kaldo Tendwell"
    RunningText = 13,
    RunningCaption = 14,
    RunningUnknownText = 15, // shown with WindowCaption
    NotRemovedText = 16,     // "%s": the files, one a line
};

// String `id` of the uninstaller's table in the user's language; empty when missing.
inline std::string UninstallerText(const SetupSupport& setup, UninstallerString id) {
    return setup.loadString(static_cast<int>(id));
}

} // namespace kaldo
