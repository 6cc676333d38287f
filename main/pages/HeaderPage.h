#pragma once

#include "main/pages/PageTransformer.h"
#include "main/pages/ResultCodes.h"

#include <string>
#include <vector>

namespace kaldo {

struct PrinterListEntry {
    std::string Name;
    std::string Model; // the printer's driver name
};

// The fixed texts of the header page, in the user's language.
struct HeaderLabels {
    std::string EnterKeywords;
    std::string Title;
    std::string SelectPrinter;
    std::string Search;
    int CaptionWidth = 0;
    int CaptionHeight = 0;
};

// The printers in the order the header lists them: the selected one first, the others in list
// order. A selected name that is not in the list leaves the list as it is.
std::vector<PrinterListEntry> OrderPrinterList(const std::vector<PrinterListEntry>& printers,
                                               const std::string& selected);

// Writes the printer-list document the header stylesheet reads. ResultCode::MissingArgument for an
// empty list or path; the writing codes otherwise.
ResultCode WritePrinterListDocument(const std::vector<PrinterListEntry>& entries,
                                    const HeaderLabels& labels, const std::string& xmlPath,
                                    std::string language);

struct HeaderPageFiles {
    std::string Xml;
    std::string Xsl;
    std::string Html;
};

// Writes the printer-list document and transforms it into the header page.
ResultCode BuildHeaderPage(const std::vector<PrinterListEntry>& printers,
                           const std::string& selected, const HeaderLabels& labels,
                           const std::string& language, const HeaderPageFiles& files,
                           const PageTransformer& transformer);

} // namespace kaldo
