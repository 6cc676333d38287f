#pragma once

#include <string_view>

namespace kaldo {

// Names of files, folders and registry keys compare as on Windows: without regard to case,
// also beyond ASCII ("DONNÉES" is "données"). Names are UTF-8.
bool SameNameIgnoringCase(std::string_view a, std::string_view b);

// That order; names that differ only in case keep a fixed order between them (by their bytes),
// so a choice or a listing never depends on the order in which a folder lists its entries.
bool NameBeforeIgnoringCase(std::string_view a, std::string_view b);

} // namespace kaldo
