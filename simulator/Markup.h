#pragma once

#include <string>
#include <string_view>

namespace kaldo::simulator {

// Escapes &, <, >, " and ' so that text is safe inside XML or HTML elements and attributes.
std::string EscapeMarkup(std::string_view text);

} // namespace kaldo::simulator
