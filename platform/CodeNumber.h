#pragma once

#include <concepts>
#include <type_traits>

namespace kaldo {

// The program's codes are enums over int whose numbers are the ones that files, string tables
// and traces carry.
template <typename Code>
concept NumberedCode = std::is_enum_v<Code> && std::same_as < std::underlying_type_t<Code>,
int > ;

// The number of a code, as reports and traces show it.
template <NumberedCode Code> constexpr int ToInt(Code code) {
    return static_cast<int>(code);
}

} // namespace kaldo
