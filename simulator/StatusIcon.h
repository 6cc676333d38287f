#pragma once

#include <string>
#include <string_view>

namespace kaldo::simulator {

// The 32x32 PNG the printer serves for "ready.png", "warning.png" or "error.png"; empty for
// any other name.
std::string BuildStatusIcon(std::string_view fileName);

} // namespace kaldo::simulator
