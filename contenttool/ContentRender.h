#pragma once

#include "main/pages/HeaderPage.h"
#include "main/status/StatusInfo.h"

#include <optional>
#include <string>
#include <vector>

namespace kaldo {

// What to preview: a model of a content folder, shown for some printers.
struct RenderRequest {
    std::string Folder;
    std::string Model;
    std::vector<PrinterListEntry> Printers; // name and driver, in the spooler's order
    std::string Selected;                   // empty: the first printer
    std::string Address;                    // the printer's network address; empty over USB
    std::string StatusDocument;             // copied into the XML folder when given
    std::optional<StatusValue> Status;      // default: what the status document gives, else 1
    std::optional<std::string> Keywords;    // also build the search pages for these
};

struct RenderResult {
    std::vector<std::string> Written; // the pages (HTML) written, below the folder as given
    std::vector<std::string> Errors;  // "path: reason"
    std::vector<std::string> Notes;   // "path: remark" about what was shown
};

// Writes the model's header, footer, trouble-solution, index and (with keywords) search pages
// into the content folder, the way the program does after choosing the selected printer:
// toolbox.xml merged from its pieces, the model's picture put in place as the caption, each
// page made by the program's own builder. A page whose build fails is removed rather than
// left over from an earlier run.
RenderResult RenderContentFolder(const RenderRequest& request);

} // namespace kaldo
