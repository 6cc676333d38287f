#include "simulator/SettingValues.h"

#include <charconv>

namespace kaldo::simulator {

bool ParseBoundedInt(std::string_view text, long long minimum, long long maximum,
                     long long& value) {
    long long number = 0;
    const auto [end, code] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (text.empty() || code != std::errc() || end != text.data() + text.size())
        return false;
    if (number < minimum || number > maximum)
        return false;
    value = number;
    return true;
}

bool ParseYesNo(std::string_view text, bool& value) {
    if (text == "yes" || text == "true" || text == "on" || text == "1") {
        value = true;
        return true;
    }
    if (text == "no" || text == "false" || text == "off" || text == "0") {
        value = false;
        return true;
    }
    return false;
}

} // namespace kaldo::simulator
