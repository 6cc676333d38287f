#pragma once

#include <string>
#include <string_view>

namespace kaldo {

constexpr std::string_view kFallbackModelName = "Tarnel XXXX";

// The model that the welcome and completion texts name: the first folder inside the first
// folder of the installer folder ("Data/<content folder>"), in name order without regard to
// case; "Tarnel XXXX" when either folder is missing.
std::string ModelName(const std::string& installerFolder);

// The setup texts' single "%s" replaced by `value`, as C formatting would.
std::string FormatText(std::string_view format, std::string_view value);

} // namespace kaldo
