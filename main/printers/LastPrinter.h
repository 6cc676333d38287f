#pragma once

#include <string>
#include <string_view>

namespace kaldo {

class Registry;

// The printer shown at the end of the last run: the user's own choice first, then the
// machine-wide value that a silent installation may have set.
bool ReadLastPrinter(const Registry& registry, std::string& name);

// Remembers `selectedPrinter` for this user. Failures are silent.
void WriteLastPrinter(Registry& registry, std::string_view selectedPrinter);

} // namespace kaldo
