#include "main/pages/index/IndexDocument.h"

#include "main/pages/DocumentUtils.h"
#include "main/pages/DocumentWriter.h"
#include "main/pages/FileHandle.h"
#include "main/pages/ResultCodes.h"
#include "main/pages/XmlElements.h"

#include <sys/stat.h>

#include <array>
#include <cstdio>
#include <optional>

namespace kaldo {

namespace {

using W = DocumentWriter;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool WriteEntryAttributes(xmlNodePtr entry, xmlTextWriterPtr writer) {
    if (std::optional<std::string> title = AttributeText(entry, "t")) {
        if (!title->empty() && (*title)[0] >= 'a' && (*title)[0] <= 'z')
            (*title)[0] = static_cast<char>((*title)[0] - 'a' + 'A');
        if (W::WriteAttribute(writer, "t", *title) != ResultCode::Ok)
            return false;
        if (!title->empty() && IsDigit((*title)[0]))
            return W::WriteAttribute(writer, "isnumber", "1") == ResultCode::Ok;
        return true;
    }
    if (!AttributeText(entry, "l"))
        return true;
    for (const char* name : {"l", "icon", "tblink", "level"}) {
        const std::optional<std::string> value = AttributeText(entry, name);
        if (value && W::WriteAttribute(writer, name, *value) != ResultCode::Ok)
            return false;
    }
    return true;
}

// Whether `path` names a regular file that can be opened for reading. A content folder that
// names no such file gives its folder's path, which must count as missing, not as a bad file.
bool IsReadableFile(const std::string& path) {
    FileHandle file(std::fopen(path.c_str(), "rb"));
    struct stat status {};
    return file && fstat(fileno(file.get()), &status) == 0 && S_ISREG(status.st_mode);
}

xmlNodePtr RootOf(const XmlDocHandle& document) {
    return document ? xmlDocGetRootElement(document.get()) : nullptr;
}

// The labels and the encoding pass through a small document of their own, as every generated
// document does; a value that does not survive it is left out of the merged root.
bool ReadLabelValues(const IndexLabels& labels, const std::string& encoding,
                     std::array<std::string, 3>& values) {
    MemoryDocument document;
    if (document.Start() != ResultCode::Ok)
        return false;
    xmlTextWriterPtr writer = document.Writer();
    if (W::StartElement(writer, "Printer_Status_Info") != ResultCode::Ok ||
        W::WriteElement(writer, "heading", labels.Heading) != ResultCode::Ok ||
        W::WriteElement(writer, "numerics", labels.Numerics) != ResultCode::Ok ||
        W::WriteElement(writer, "codepage", encoding) != ResultCode::Ok ||
        W::EndElement(writer) != ResultCode::Ok)
        return false;
    XmlDocHandle parsed;
    if (document.Parse(encoding, parsed) != ResultCode::Ok)
        return false;
    xmlNodePtr child = RootOf(parsed) ? RootOf(parsed)->children : nullptr;
    for (std::string& value : values) {
        for (; child != nullptr && child->type != XML_ELEMENT_NODE; child = child->next) {
        }
        if (child == nullptr)
            break;
        value = TakeXmlString(xmlNodeGetContent(child));
        child = child->next;
    }
    return true;
}

} // namespace

bool CopyIndexEntries(xmlNodePtr first, xmlTextWriterPtr writer) {
    for (xmlNodePtr node = first; node != nullptr; node = node->next) {
        if (node->type != XML_ELEMENT_NODE)
            continue;
        if (xmlTextWriterStartElement(writer, node->name) < 0 ||
            !WriteEntryAttributes(node, writer) || !CopyIndexEntries(node->children, writer) ||
            W::EndElement(writer) != ResultCode::Ok)
            return false;
    }
    return true;
}

bool WriteIndexDocument(const std::string& firstInput, const std::string& secondInput,
                        const std::string& configPath, const std::string& outputPath,
                        const std::string& language, const IndexLabels& labels) {
    if (firstInput.empty() || secondInput.empty() || outputPath.empty())
        return false;
    std::string code = language;
    std::string encoding;
    EncodingForLanguage(code, encoding);
    std::array<std::string, 3> values; // heading, numerics, codepage
    if (!ReadLabelValues(labels, encoding, values))
        return false;

    const XmlDocHandle firstDocument = ReadXmlFile(firstInput);
    xmlNodePtr firstRoot = RootOf(firstDocument);
    if (firstRoot == nullptr)
        return false;
    XmlDocHandle secondDocument;
    if (IsReadableFile(secondInput)) {
        secondDocument = ReadXmlFile(secondInput);
        if (RootOf(secondDocument) == nullptr)
            return false;
    }
    XmlDocHandle configDocument;
    if (!configPath.empty()) {
        configDocument = ReadXmlFile(configPath);
        if (RootOf(configDocument) == nullptr)
            return false;
    }

    FileDocument file;
    if (file.Start(outputPath, encoding) != ResultCode::Ok)
        return false;
    xmlTextWriterPtr writer = file.Writer();
    if (configDocument && W::StartElement(writer, "root") != ResultCode::Ok)
        return false;
    if (xmlTextWriterStartElement(writer, firstRoot->name) < 0)
        return false;
    if (const std::optional<std::string> version = AttributeText(firstRoot, "version")) {
        if (W::WriteAttribute(writer, "version", *version) != ResultCode::Ok)
            return false;
    }
    static constexpr std::array<const char*, 3> kLabelAttributes = {"heading", "numerics",
                                                                    "codepage"};
    for (size_t i = 0; i < values.size(); ++i) {
        if (!values[i].empty() &&
            W::WriteAttribute(writer, kLabelAttributes[i], values[i]) != ResultCode::Ok)
            return false;
    }
    // The entries are the roots' element children, whatever whitespace stands between them.
    if (!CopyIndexEntries(firstRoot->children, writer))
        return false;
    if (secondDocument && !CopyIndexEntries(RootOf(secondDocument)->children, writer))
        return false;
    if (W::EndElement(writer) != ResultCode::Ok)
        return false;
    if (configDocument &&
        CopyElementTree(configDocument.get(), RootOf(configDocument)->children, writer) < 0)
        return false;
    return file.Finish() == ResultCode::Ok;
}

} // namespace kaldo
