#pragma once

#include <string>
#include <string_view>

namespace kaldo {

// Decodes the "%XX" escapes of a printer name taken from a link, byte by byte, so an escaped
// UTF-8 name comes back as UTF-8. A "%" followed by one or two hexadecimal digits stands for
// that byte; any other "%" stays as it is, and so does "%00" (a name holds no zero byte).
std::string DecodePercentEscapes(std::string_view text);

} // namespace kaldo
