#pragma once

#include "main/pages/HeaderPage.h"
#include "main/status/StatusInfo.h"

#include <optional>
#include <string>
#include <vector>

namespace kaldo {

// What to preview: a model of a content folder, shown for some printers.
struct RenderRequest {
    std::string folder;
    std::string model;
    std::vector<PrinterListEntry> printers; // name and driver, in the spooler's order
    std::string selected;                   // empty: the first printer
    std::string address;                    // the printer's network address; empty over USB
    std::string statusDocument;             // copied into the XML folder when given
    std::optional<StatusValue> status;      // default: what the status document gives, else 1
    std::optional<std::string> keywords;    // also build the search pages for these
};

struct RenderResult {
    std::vector<std::string> written; // the pages (HTML) written, below the folder as given
    std::vector<std::string> errors;  // "path: reason"
    std::vector<std::string> notes;   // "path: remark" about what was shown
};

// Writes the model's header, footer, trouble-solution, index and (with keywords) search pages
// into the content folder, the way the program does after choosing the selected printer:
// toolbox.xml merged from its pieces, the model's picture put in place as the caption, each
// page made by the program's own builder. A page whose build fails is removed rather than
// left over from an earlier run.
RenderResult RenderContentFolder(const RenderRequest& request);

} // namespace kaldo
