#pragma once

#include "platform/spooler/Spooler.h"

#include <cups/cups.h>

#include <string>
#include <vector>

namespace kaldo {

// Reading the printer attributes that the spooler and printers answer with alike.

// The text of one value; octet strings (printer-supply, printer-alert) as their bytes.
std::string IppText(ipp_attribute_t* attribute, int index = 0);
std::vector<std::string> IppTexts(ipp_attribute_t* attribute);

// The state, its reasons (without "none"), its message and the marker-* supplies of a
// Get-Printer-Attributes answer; nothing when it has no printer-state.
std::optional<QueueState> QueueStateFromAttributes(ipp_t* response);

// The markers side by side: the n-th marker-names, -types, -colors and -levels value describe
// one supply. Empty when the answer has no markers.
std::vector<QueueMarker> MarkersFromAttributes(ipp_t* response);

} // namespace kaldo
