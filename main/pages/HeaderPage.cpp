#include "main/pages/HeaderPage.h"

#include "main/pages/DocumentUtils.h"
#include "main/pages/DocumentWriter.h"
#include "main/pages/ResultCodes.h"

#include <algorithm>

namespace kaldo {

std::vector<PrinterListEntry> OrderPrinterList(const std::vector<PrinterListEntry>& printers,
                                               const std::string& selected) {
    std::vector<PrinterListEntry> ordered;
    ordered.reserve(printers.size());
    auto isSelected = [&](const PrinterListEntry& entry) {
        return entry.name == selected;
    };
    auto first = std::find_if(printers.begin(), printers.end(), isSelected);
    if (first != printers.end())
        ordered.push_back(*first);
    for (auto it = printers.begin(); it != printers.end(); ++it) {
        if (it != first)
            ordered.push_back(*it);
    }
    return ordered;
}

int WritePrinterListDocument(const std::vector<PrinterListEntry>& entries,
                             const HeaderLabels& labels, const std::string& xmlPath,
                             std::string language) {
    if (entries.empty() || xmlPath.empty())
        return kMissingArgument;

    MemoryDocument document;
    if (int result = document.Start(); result != kOk)
        return result;
    xmlTextWriterPtr writer = document.Writer();

    std::string encoding;
    EncodingForLanguage(language, encoding);

    using W = DocumentWriter;
    if (W::StartElement(writer, "printerlist") != kOk)
        return kWriterStartElement;
    if (W::WriteElement(writer, "Enter_Keywords", labels.enterKeywords) != kOk ||
        W::WriteElement(writer, "TitleText_Label", labels.title) != kOk ||
        W::WriteElement(writer, "SelectPrinter_Label", labels.selectPrinter) != kOk ||
        W::WriteElement(writer, "Search_Label", labels.search) != kOk ||
        W::WriteElement(writer, "CaptionText_Width", labels.captionWidth) != kOk ||
        W::WriteElement(writer, "CaptionText_Height", labels.captionHeight) != kOk ||
        W::WriteElement(writer, "Code_Page", encoding) != kOk)
        return kWriterWriteElement;

    for (const PrinterListEntry& entry : entries) {
        if (W::StartElement(writer, "printer") != kOk)
            return kWriterStartElement;
        if (W::WriteElement(writer, "action", std::string("sp:")) != kOk ||
            W::WriteElement(writer, "printername", entry.name) != kOk ||
            W::WriteElement(writer, "printermodel", entry.model) != kOk)
            return kWriterWriteElement;
        if (W::EndElement(writer) != kOk)
            return kWriterEndElement;
    }
    return document.WriteToFile(encoding, xmlPath);
}

int BuildHeaderPage(const std::vector<PrinterListEntry>& printers, const std::string& selected,
                    const HeaderLabels& labels, const std::string& language,
                    const HeaderPageFiles& files, const PageTransformer& transformer) {
    int result =
        WritePrinterListDocument(OrderPrinterList(printers, selected), labels, files.xml, language);
    if (result != kOk)
        return result;
    return transformer.Transform(files.xml, files.xsl, files.html);
}

} // namespace kaldo
