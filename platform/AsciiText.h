#pragma once

#include <string>
#include <string_view>

namespace kaldo {

// Text that compares without regard to ASCII case: markers in links and pages, printer, port
// and server names, file extensions, language codes. Bytes above 127 compare as they are, so
// UTF-8 text passes unchanged and the result never depends on the user's locale.

char AsciiLower(char c);
char AsciiUpper(char c);
std::string AsciiLowered(std::string_view text);
std::string AsciiUppered(std::string_view text);

bool EqualsIgnoringCase(std::string_view a, std::string_view b);
bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix);

// Where `what` first occurs in `text` at or after `from`; npos when it does not.
size_t FindIgnoringCase(std::string_view text, std::string_view what, size_t from = 0);
bool ContainsIgnoringCase(std::string_view text, std::string_view what);

} // namespace kaldo
