#pragma once

#include <string>
#include <string_view>

namespace kaldo {

// Percent decoding works byte by byte, so an escaped UTF-8 text comes back as UTF-8. "%00"
// stays as it is in both forms: no decoded text holds a zero byte.

// The printer name of a selection link: a "%" followed by one or two hexadecimal digits
// stands for that byte; any other "%" stays as it is.
std::string DecodePercentEscapes(std::string_view text);

// A URI's escapes: only a "%" followed by two hexadecimal digits stands for a byte.
std::string DecodeUriEscapes(std::string_view text);

} // namespace kaldo
