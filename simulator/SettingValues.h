#pragma once

#include <string_view>

namespace kaldo::simulator {

// Whole-text integer in [minimum, maximum].
bool ParseBoundedInt(std::string_view text, long long minimum, long long maximum, long long& value);

// yes/no, true/false, on/off, 1/0.
bool ParseYesNo(std::string_view text, bool& value);

} // namespace kaldo::simulator
