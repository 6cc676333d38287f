#pragma once

#include <string>

namespace kaldo {

// A status document as a networked printer with a hard drive sends it: with a toner
// warning, toner levels and trays, so that the footer and trouble-solution stylesheets meet
// every part of it.
std::string SampleStatusDocument();

// Writes the sample to `path`; false when the file cannot be written.
bool WriteSampleStatusDocument(const std::string& path);

// Writes, as the program does for a printer asked over IPP, an idle printer with a toner
// warning, a jammed tray and a low black toner; its reasons get the codes and words of the
// content's table in `solutionsPath`. False when the file cannot be written.
bool WriteSamplePrinterState(const std::string& path, const std::string& solutionsPath);

} // namespace kaldo
