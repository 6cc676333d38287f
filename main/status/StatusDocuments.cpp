#include "main/status/StatusDocuments.h"

#include "main/pages/DocumentUtils.h"
#include "main/pages/DocumentWriter.h"
#include "main/pages/ResultCodes.h"
#include "main/status/StatusDocumentCheck.h"

#include <string_view>

namespace kaldo {

namespace {

xmlNodePtr FirstChildElement(xmlNodePtr parent, std::string_view name) {
    for (xmlNodePtr child = parent ? parent->children : nullptr; child; child = child->next) {
        if (child->type == XML_ELEMENT_NODE && name == CharText(child->name))
            return child;
    }
    return nullptr;
}

// The encoding every generated document declares, also for a missing language.
std::string EncodingFor(const std::string& language) {
    std::string code = language;
    std::string encoding = "UTF-8";
    EncodingForLanguage(code, encoding);
    return encoding;
}

// Korean status documents may declare a name libxml2 does not know.
void RewriteKoreanEncoding(const std::string& statusDocument, const std::string& language) {
    if (language == "KO" && IsStatusDocumentSizeAccepted(statusDocument))
        ReplaceInFile(statusDocument, "ksc5601", "UTF-8");
}

// Copies `first` and its siblings into the element the caller started, and ends it.
ResultCode CopyAndEnd(xmlDocPtr document, xmlNodePtr first, xmlTextWriterPtr writer) {
    return CopyElementTree(document, first, writer) < 0 ? ResultCode::WriterEndElement
                                                        : ResultCode::Ok;
}

ResultCode ParseWithRoot(XmlDocHandle document, XmlDocHandle& owner, xmlNodePtr& root) {
    owner = std::move(document);
    if (!owner)
        return ResultCode::ParseInput;
    root = xmlDocGetRootElement(owner.get());
    return root ? ResultCode::Ok : ResultCode::NoRoot;
}

// Stage one: the status information as a document of its own, parsed back.
ResultCode WriteStatusInfo(const StatusInfo& info, const std::string& encoding,
                           XmlDocHandle& parsed) {
    MemoryDocument memory;
    ResultCode result = memory.Start();
    if (result != ResultCode::Ok)
        return result;
    xmlTextWriterPtr writer = memory.Writer();
    if ((result = DocumentWriter::StartElement(writer, "Printer_Status_Info")) != ResultCode::Ok)
        return result;
    const std::pair<const char*, const std::string*> texts[] = {
        {"Printer_Status", &info.Title},
        {"Name", &info.NameLabel},
        {"Type", &info.TypeLabel},
        {"Location", &info.LocationLabel},
        {"IPAddressLabel", &info.AddressLabel},
        {"IPAddress", &info.Address},
        {"Printer_Image_ToolTip", &info.PrinterImageTip},
        {"Refresh_Status_Tooltip", &info.RefreshTip},
        {"Supplies_Status_Tooltip", &info.SuppliesTip},
        {"Kaldo_Corporate_Logo_Tooltip", &info.LogoTip},
        {"Whats_new_Tooltip", &info.WhatsNewTip},
        {"Footer_Text", &info.FooterText},
        {"Current_Status", &info.StatusText},
    };
    for (const auto& [name, text] : texts) {
        if ((result = DocumentWriter::WriteElement(writer, name, *text)) != ResultCode::Ok)
            return result;
    }
    const std::pair<const char*, int> values[] = {
        {"Current_Status_ID", ToInt(info.Status)},
        {"Display_Toner", info.DisplayToner},
        {"USB_Supported", info.UsbSupported},
        {"Updates_Available", info.UpdatesAvailable},
    };
    for (const auto& [name, value] : values) {
        if ((result = DocumentWriter::WriteElement(writer, name, value)) != ResultCode::Ok)
            return result;
    }
    if ((result = DocumentWriter::EndElement(writer)) != ResultCode::Ok)
        return result;
    return memory.Parse(encoding, parsed);
}

} // namespace

ResultCode WriteFooterDocument(const StatusInfo& info, const std::string& statusDocument,
                               const std::string& footerPath, const std::string& language,
                               const std::string& configPath) {
    if (footerPath.empty() || configPath.empty())
        return ResultCode::MissingArgument;
    RewriteKoreanEncoding(statusDocument, language);
    const std::string encoding = EncodingFor(language);

    XmlDocHandle infoDocument;
    ResultCode result = WriteStatusInfo(info, encoding, infoDocument);
    if (result != ResultCode::Ok)
        return result;
    xmlNodePtr infoRoot = xmlDocGetRootElement(infoDocument.get());
    if (infoRoot == nullptr)
        return ResultCode::NoRoot;

    FileDocument file;
    if ((result = file.Start(footerPath, encoding)) != ResultCode::Ok)
        return result;
    xmlTextWriterPtr writer = file.Writer();
    if ((result = DocumentWriter::StartElement(writer, "root")) != ResultCode::Ok ||
        (result = DocumentWriter::WriteElement(writer, "Code_Page", encoding)) != ResultCode::Ok ||
        (result = DocumentWriter::StartElement(writer, "Printer_Status_Info")) != ResultCode::Ok ||
        (result = CopyAndEnd(infoDocument.get(), infoRoot->children, writer)) != ResultCode::Ok)
        return result;
    infoDocument.reset();

    XmlDocHandle config;
    xmlNodePtr configRoot = nullptr;
    if ((result = ParseWithRoot(ReadXmlFile(configPath), config, configRoot)) != ResultCode::Ok ||
        (result = DocumentWriter::StartElement(writer, "Web")) != ResultCode::Ok)
        return result;
    // An empty section is closed at once, so that the status document lands beside it.
    xmlNodePtr web = FirstChildElement(configRoot, "Web");
    result = web != nullptr && web->children != nullptr
                 ? CopyAndEnd(config.get(), web->children, writer)
                 : DocumentWriter::EndElement(writer);
    if (result != ResultCode::Ok)
        return result;

    if (!statusDocument.empty()) {
        XmlDocHandle status;
        xmlNodePtr statusRoot = nullptr;
        if ((result = ParseWithRoot(ReadStatusDocument(statusDocument), status, statusRoot)) !=
                ResultCode::Ok ||
            (result = CopyAndEnd(status.get(), statusRoot, writer)) != ResultCode::Ok)
            return result;
    } else if ((result = DocumentWriter::EndElement(writer)) != ResultCode::Ok) {
        return result;
    }
    return file.Finish();
}

ResultCode WriteSolutionsDocument(const std::string& solutionsPath,
                                  const std::string& statusDocument, const std::string& outputPath,
                                  const std::string& language, const std::string& configPath) {
    if (outputPath.empty() || solutionsPath.empty() || configPath.empty())
        return ResultCode::MissingArgument;
    RewriteKoreanEncoding(statusDocument, language);
    const std::string encoding = EncodingFor(language);

    FileDocument file;
    ResultCode result = file.Start(outputPath, encoding);
    if (result != ResultCode::Ok)
        return result;
    xmlTextWriterPtr writer = file.Writer();
    if ((result = DocumentWriter::StartElement(writer, "root")) != ResultCode::Ok ||
        (result = DocumentWriter::WriteElement(writer, "Code_Page", encoding)) != ResultCode::Ok ||
        (result = DocumentWriter::StartElement(writer, "trouble_solution")) != ResultCode::Ok)
        return result;

    {
        XmlDocHandle solutions;
        xmlNodePtr root = nullptr;
        if ((result = ParseWithRoot(ReadXmlFile(solutionsPath), solutions, root)) !=
                ResultCode::Ok ||
            (result = CopyAndEnd(solutions.get(), root->children, writer)) != ResultCode::Ok)
            return result;
    }
    if (!statusDocument.empty()) {
        XmlDocHandle status;
        xmlNodePtr root = nullptr;
        if ((result = DocumentWriter::StartElement(writer, "printer_xml")) != ResultCode::Ok ||
            (result = ParseWithRoot(ReadStatusDocument(statusDocument), status, root)) !=
                ResultCode::Ok ||
            (result = CopyAndEnd(status.get(), root, writer)) != ResultCode::Ok)
            return result;
    }
    {
        XmlDocHandle config;
        xmlNodePtr root = nullptr;
        if ((result = DocumentWriter::StartElement(writer, "toolbox_xml")) != ResultCode::Ok ||
            (result = ParseWithRoot(ReadXmlFile(configPath), config, root)) != ResultCode::Ok ||
            (result = CopyAndEnd(config.get(), root->children, writer)) != ResultCode::Ok)
            return result;
    }
    if ((result = DocumentWriter::EndElement(writer)) != ResultCode::Ok)
        return result;
    return file.Finish();
}

} // namespace kaldo
