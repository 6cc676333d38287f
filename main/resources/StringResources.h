#pragma once

#include "main/resources/StringIds.h"
#include "platform/strings/StringTable.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace kaldo {

// The main program's string table (ids 100-134) for a locale.
StringTable MainStringTable(std::string_view locale);

// The table of the user's locale (MessagesLocale), chosen once on first use.
const StringTable& ProgramStrings();

// String `id` of the user's language as UTF-8; empty when the table has no such entry.
std::string LoadResourceString(StringId id);

// Clears `buffer` and copies string `id` into it as UTF-8: at most size - 1 bytes, never half
// a character. Returns the number of bytes written.
size_t LoadStringUtf8(StringId id, char* buffer, size_t size);
inline std::string LoadStringUtf8(StringId id) {
    return LoadResourceString(id);
}

} // namespace kaldo
