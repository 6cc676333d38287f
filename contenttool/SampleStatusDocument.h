#pragma once

#include <string>

namespace kaldo {

// A status document as a networked printer with a hard drive sends it: with a toner
// warning, toner levels and trays, so that the footer and trouble-solution stylesheets meet
// every part of it.
std::string SampleStatusDocument();

// Writes the sample to `path`; false when the file cannot be written.
bool WriteSampleStatusDocument(const std::string& path);

} // namespace kaldo
