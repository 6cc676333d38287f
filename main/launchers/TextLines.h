#pragma once

#include <string_view>
#include <vector>

namespace kaldo {

// `text` without the blanks (spaces, tabs, carriage returns) at either end.
std::string_view TrimBlanks(std::string_view text);

// The lines of a configuration text (PPD, desktop entry), each without its end-of-line and
// surrounding blanks.
std::vector<std::string_view> TrimmedLines(std::string_view text);

} // namespace kaldo
