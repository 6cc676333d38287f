#pragma once

namespace kaldo {

struct PrinterSelection;
struct PrinterServices;

// Sets the selected printer's address and web address (in its configuration), whether it is
// networked, and its USB port name.
void RefreshPrinterConnection(PrinterSelection& state, const PrinterServices& services);

// Whether the maker's home page answers within the internet check's limit.
void CheckInternet(PrinterSelection& state, const PrinterServices& services);

} // namespace kaldo
