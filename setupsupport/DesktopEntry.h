#pragma once

#include <string>
#include <string_view>

namespace kaldo {

// A shortcut on this system is a desktop entry file: "X" names "X.desktop".
constexpr std::string_view kShortcutExtension = ".desktop";

// One argument of an Exec line: quoted when it holds anything but plain characters, with '"',
// '`', '$' and '\' escaped inside the quotes; '%' doubled so that it is no field code.
std::string QuoteExecArgument(std::string_view argument);

// A value of a string key: backslash, line feed, tab and carriage return escaped.
std::string EscapeDesktopValue(std::string_view value);

// The text of a desktop entry that starts `target`, named `name`. An empty description or
// working folder is left out.
std::string DesktopEntryText(std::string_view name, std::string_view target,
                             std::string_view description, std::string_view workingFolder);

} // namespace kaldo
