#include "main/pages/HeaderPage.h"

#include "main/navigation/LinkMarkers.h"
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
        return entry.Name == selected;
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

ResultCode WritePrinterListDocument(const std::vector<PrinterListEntry>& entries,
                                    const HeaderLabels& labels, const std::string& xmlPath,
                                    std::string language) {
    if (entries.empty() || xmlPath.empty())
        return ResultCode::MissingArgument;

    MemoryDocument document;
    if (ResultCode result = document.Start(); result != ResultCode::Ok)
        return result;
    xmlTextWriterPtr writer = document.Writer();

    std::string encoding;
    EncodingForLanguage(language, encoding);

    using W = DocumentWriter;
    if (W::StartElement(writer, "printerlist") != ResultCode::Ok)
        return ResultCode::WriterStartElement;
    if (W::WriteElement(writer, "Enter_Keywords", labels.EnterKeywords) != ResultCode::Ok ||
        W::WriteElement(writer, "TitleText_Label", labels.Title) != ResultCode::Ok ||
        W::WriteElement(writer, "SelectPrinter_Label", labels.SelectPrinter) != ResultCode::Ok ||
        W::WriteElement(writer, "Search_Label", labels.Search) != ResultCode::Ok ||
        W::WriteElement(writer, "CaptionText_Width", labels.CaptionWidth) != ResultCode::Ok ||
        W::WriteElement(writer, "CaptionText_Height", labels.CaptionHeight) != ResultCode::Ok ||
        W::WriteElement(writer, "Code_Page", encoding) != ResultCode::Ok)
        return ResultCode::WriterWriteElement;

    for (const PrinterListEntry& entry : entries) {
        if (W::StartElement(writer, "printer") != ResultCode::Ok)
            return ResultCode::WriterStartElement;
        if (W::WriteElement(writer, "action", std::string(links::kSelectPrinter)) !=
                ResultCode::Ok ||
            W::WriteElement(writer, "printername", entry.Name) != ResultCode::Ok ||
            W::WriteElement(writer, "printermodel", entry.Model) != ResultCode::Ok)
            return ResultCode::WriterWriteElement;
        if (W::EndElement(writer) != ResultCode::Ok)
            return ResultCode::WriterEndElement;
    }
    return document.WriteToFile(encoding, xmlPath);
}

ResultCode BuildHeaderPage(const std::vector<PrinterListEntry>& printers,
                           const std::string& selected, const HeaderLabels& labels,
                           const std::string& language, const HeaderPageFiles& files,
                           const PageTransformer& transformer) {
    ResultCode result =
        WritePrinterListDocument(OrderPrinterList(printers, selected), labels, files.Xml, language);
    if (result != ResultCode::Ok)
        return result;
    return transformer.Transform(files.Xml, files.Xsl, files.Html);
}

} // namespace kaldo
