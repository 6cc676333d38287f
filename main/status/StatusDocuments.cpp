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
int CopyAndEnd(xmlDocPtr document, xmlNodePtr first, xmlTextWriterPtr writer) {
    return CopyElementTree(document, first, writer) < 0 ? kWriterEndElement : kOk;
}

int ParseWithRoot(XmlDocHandle document, XmlDocHandle& owner, xmlNodePtr& root) {
    owner = std::move(document);
    if (!owner)
        return kParseInput;
    root = xmlDocGetRootElement(owner.get());
    return root ? kOk : kNoRoot;
}

// Stage one: the status information as a document of its own, parsed back.
int WriteStatusInfo(const StatusInfo& info, const std::string& encoding, XmlDocHandle& parsed) {
    MemoryDocument memory;
    int result = memory.Start();
    if (result != kOk)
        return result;
    xmlTextWriterPtr writer = memory.Writer();
    if ((result = DocumentWriter::StartElement(writer, "Printer_Status_Info")) != kOk)
        return result;
    const std::pair<const char*, const std::string*> texts[] = {
        {"Printer_Status", &info.title},
        {"Name", &info.nameLabel},
        {"Type", &info.typeLabel},
        {"Location", &info.locationLabel},
        {"IPAddressLabel", &info.addressLabel},
        {"IPAddress", &info.address},
        {"Printer_Image_ToolTip", &info.printerImageTip},
        {"Refresh_Status_Tooltip", &info.refreshTip},
        {"Supplies_Status_Tooltip", &info.suppliesTip},
        {"Kaldo_Corporate_Logo_Tooltip", &info.logoTip},
        {"Whats_new_Tooltip", &info.whatsNewTip},
        {"Footer_Text", &info.footerText},
        {"Current_Status", &info.statusText},
    };
    for (const auto& [name, text] : texts) {
        if ((result = DocumentWriter::WriteElement(writer, name, *text)) != kOk)
            return result;
    }
    const std::pair<const char*, int> values[] = {
        {"Current_Status_ID", info.status},
        {"Display_Toner", info.displayToner},
        {"USB_Supported", info.usbSupported},
        {"Updates_Available", info.updatesAvailable},
    };
    for (const auto& [name, value] : values) {
        if ((result = DocumentWriter::WriteElement(writer, name, value)) != kOk)
            return result;
    }
    if ((result = DocumentWriter::EndElement(writer)) != kOk)
        return result;
    return memory.Parse(encoding, parsed);
}

} // namespace

int WriteFooterDocument(const StatusInfo& info, const std::string& statusDocument,
                        const std::string& footerPath, const std::string& language,
                        const std::string& configPath) {
    if (footerPath.empty() || configPath.empty())
        return kMissingArgument;
    RewriteKoreanEncoding(statusDocument, language);
    const std::string encoding = EncodingFor(language);

    XmlDocHandle infoDocument;
    int result = WriteStatusInfo(info, encoding, infoDocument);
    if (result != kOk)
        return result;
    xmlNodePtr infoRoot = xmlDocGetRootElement(infoDocument.get());
    if (infoRoot == nullptr)
        return kNoRoot;

    FileDocument file;
    if ((result = file.Start(footerPath, encoding)) != kOk)
        return result;
    xmlTextWriterPtr writer = file.Writer();
    if ((result = DocumentWriter::StartElement(writer, "root")) != kOk ||
        (result = DocumentWriter::WriteElement(writer, "Code_Page", encoding)) != kOk ||
        (result = DocumentWriter::StartElement(writer, "Printer_Status_Info")) != kOk ||
        (result = CopyAndEnd(infoDocument.get(), infoRoot->children, writer)) != kOk)
        return result;
    infoDocument.reset();

    XmlDocHandle config;
    xmlNodePtr configRoot = nullptr;
    if ((result = ParseWithRoot(ReadXmlFile(configPath), config, configRoot)) != kOk ||
        (result = DocumentWriter::StartElement(writer, "Web")) != kOk)
        return result;
    // An empty section is closed at once, so that the status document lands beside it.
    xmlNodePtr web = FirstChildElement(configRoot, "Web");
    result = web != nullptr && web->children != nullptr
                 ? CopyAndEnd(config.get(), web->children, writer)
                 : DocumentWriter::EndElement(writer);
    if (result != kOk)
        return result;

    if (!statusDocument.empty()) {
        XmlDocHandle status;
        xmlNodePtr statusRoot = nullptr;
        if ((result = ParseWithRoot(ReadStatusDocument(statusDocument), status, statusRoot)) !=
                kOk ||
            (result = CopyAndEnd(status.get(), statusRoot, writer)) != kOk)
            return result;
    } else if ((result = DocumentWriter::EndElement(writer)) != kOk) {
        return result;
    }
    return file.Finish();
}

int WriteSolutionsDocument(const std::string& solutionsPath, const std::string& statusDocument,
                           const std::string& outputPath, const std::string& language,
                           const std::string& configPath) {
    if (outputPath.empty() || solutionsPath.empty() || configPath.empty())
        return kMissingArgument;
    RewriteKoreanEncoding(statusDocument, language);
    const std::string encoding = EncodingFor(language);

    FileDocument file;
    int result = file.Start(outputPath, encoding);
    if (result != kOk)
        return result;
    xmlTextWriterPtr writer = file.Writer();
    if ((result = DocumentWriter::StartElement(writer, "root")) != kOk ||
        (result = DocumentWriter::WriteElement(writer, "Code_Page", encoding)) != kOk ||
        (result = DocumentWriter::StartElement(writer, "trouble_solution")) != kOk)
        return result;

    {
        XmlDocHandle solutions;
        xmlNodePtr root = nullptr;
        if ((result = ParseWithRoot(ReadXmlFile(solutionsPath), solutions, root)) != kOk ||
            (result = CopyAndEnd(solutions.get(), root->children, writer)) != kOk)
            return result;
    }
    if (!statusDocument.empty()) {
        XmlDocHandle status;
        xmlNodePtr root = nullptr;
        if ((result = DocumentWriter::StartElement(writer, "printer_xml")) != kOk ||
            (result = ParseWithRoot(ReadStatusDocument(statusDocument), status, root)) != kOk ||
            (result = CopyAndEnd(status.get(), root, writer)) != kOk)
            return result;
    }
    {
        XmlDocHandle config;
        xmlNodePtr root = nullptr;
        if ((result = DocumentWriter::StartElement(writer, "toolbox_xml")) != kOk ||
            (result = ParseWithRoot(ReadXmlFile(configPath), config, root)) != kOk ||
            (result = CopyAndEnd(config.get(), root->children, writer)) != kOk)
            return result;
    }
    if ((result = DocumentWriter::EndElement(writer)) != kOk)
        return result;
    return file.Finish();
}

} // namespace kaldo
