#pragma once

#include <string>
#include <string_view>

namespace kaldo {

// A shortcut on this system is a desktop entry file: "X" names "X.desktop".
constexpr std::string_view kShortcutExtension = ".desktop";

// The program's icon in the icon theme, shown by every entry and by the submenu.
constexpr std::string_view kProgramIconName = "kaldo-tendwell";

// The name a menu entry, submenu directory or merged menu file is known by in the menu
// folders: the words of `name` in lower case joined by '-' ("Kaldo Tendwell" is
// "kaldo-tendwell"); characters other than letters, digits, '-', '_' and '.' are dropped.
std::string DesktopFileId(std::string_view name);

// The category that places entries into the submenu `folder`: "X-" and its words joined by
// '-' ("Kaldo Presslane" is "X-Kaldo-Presslane").
std::string SubmenuCategory(std::string_view folder);

// One argument of an Exec line: quoted when it holds anything but plain characters, with '"',
// '`', '$' and '\' escaped inside the quotes; '%' doubled so that it is no field code.
std::string QuoteExecArgument(std::string_view argument);

// A value of a string key: backslash, line feed, tab and carriage return escaped.
std::string EscapeDesktopValue(std::string_view value);

// The text of a desktop entry that starts `target`, named `name`, with the program's icon, in
// the settings and printing categories and, when `submenu` is given, in that submenu. An empty
// description or working folder is left out.
std::string DesktopEntryText(std::string_view name, std::string_view target,
                             std::string_view description, std::string_view workingFolder,
                             std::string_view submenu = {});

// The directory entry that names and pictures the submenu `folder`.
std::string DirectoryEntryText(std::string_view folder);

// A menu file for applications-merged: the submenu `folder` of the applications menu, holding
// the entries of its category.
std::string MergedMenuText(std::string_view folder);

} // namespace kaldo
