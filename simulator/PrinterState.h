#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kaldo::simulator {

enum class PrinterAlert {
    PaperJam,
    PaperOut,
    TonerLow,
    TonerEmpty,
    CoverOpen,
    Offline,
};

// What the printer answers for its status document. Everything but `Normal` exists for the
// client's robustness tests.
enum class StatusDocumentKind {
    Normal,
    Malformed,      // cut off in the middle, does not parse
    Oversized,      // well-formed, padded to `oversizeBytes`
    ExternalEntity, // statusText is an external entity naming a local file
    BillionLaughs,  // statusText is an exponentially nested entity
    Script,         // statusText and alert text carry a <script> element as text
    IconTraversal,  // the icon path climbs out of the printer's image folder
};

struct TonerLevels {
    int Black = 80;
    int Cyan = 60;
    int Magenta = 45;
    int Yellow = 30;
};

struct PrinterState {
    std::string ModelName = "Kaldo Presslane 3020";
    std::string SerialNumber = "KP3020-000123";
    std::string Firmware = "2.14.0";
    std::string Name = "KP3020-Office";    // the printer's network name
    std::string Location = "Second floor"; // where the administrator says it stands
    bool Colour = true;
    TonerLevels Toner;
    std::vector<PrinterAlert> Alerts;
    bool HardDrive = true;
    int DelayMs = 0;
    int HttpError = 0; // 0: answer normally
    StatusDocumentKind Document = StatusDocumentKind::Normal;
    std::size_t OversizeBytes = 8u << 20;
};

// The setting names are shared by the command line (as --name) and the control endpoint:
// model, serial, firmware, name, location, supplies, toner, alert, hard-drive, delay, http-error,
// document, oversize. On failure the state is unchanged and `error` says why.
bool ApplyPrinterSetting(PrinterState& state, std::string_view name, std::string_view value,
                         std::string& error);
bool IsPrinterSetting(std::string_view name);

// One "name=value" line per setting, in the form ApplyPrinterSetting accepts.
std::string DescribePrinterState(const PrinterState& state);

std::string_view AlertCode(PrinterAlert alert);
std::string_view AlertSeverity(PrinterAlert alert); // "warning" or "error"
std::string_view AlertText(PrinterAlert alert);

} // namespace kaldo::simulator
