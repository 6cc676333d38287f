#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kaldo {

// The Exec value of the [Desktop Entry] group of a desktop entry file's text, with the
// escapes of a string value undone; empty when there is none.
std::string DesktopEntryExec(std::string_view fileText);

// The program and arguments of an Exec value that opens one file: quoting undone, %f and %F
// replaced by `path`, %u and %U by `url`, "%%" by '%', other field codes dropped. When the
// value has no file field code the file is added at the end. Empty for a malformed value
// (an unterminated quote).
std::vector<std::string> ExecArguments(std::string_view exec, const std::string& path,
                                       const std::string& url);

} // namespace kaldo
