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
    int black = 80;
    int cyan = 60;
    int magenta = 45;
    int yellow = 30;
};

struct PrinterState {
    std::string modelName = "Kaldo Presslane 3020";
    std::string serialNumber = "KP3020-000123";
    std::string firmware = "2.14.0";
    std::string name = "KP3020-Office";    // the printer's network name
    std::string location = "Second floor"; // where the administrator says it stands
    bool colour = true;
    TonerLevels toner;
    std::vector<PrinterAlert> alerts;
    bool hardDrive = true;
    int delayMs = 0;
    int httpError = 0; // 0: answer normally
    StatusDocumentKind document = StatusDocumentKind::Normal;
    std::size_t oversizeBytes = 8u << 20;
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
