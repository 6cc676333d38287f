#include "main/resources/StringResources.h"

namespace kaldo {

namespace {
constexpr std::string_view kTables = ":/kaldo/ktendwell/strings";
}

StringTable MainStringTable(std::string_view locale) {
    return StringTable::ForLocale(kTables, locale);
}

const StringTable& ProgramStrings() {
    static const StringTable table = MainStringTable(MessagesLocale());
    return table;
}

std::string LoadResourceString(StringId id) {
    return ProgramStrings().Text(ToInt(id));
}

size_t LoadStringUtf8(StringId id, char* buffer, size_t size) {
    return CopyUtf8(LoadResourceString(id), buffer, size);
}

} // namespace kaldo
