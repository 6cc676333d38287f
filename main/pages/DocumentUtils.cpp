#include "main/pages/DocumentUtils.h"

#include "main/pages/FileHandle.h"
#include "main/pages/ResultCodes.h"
#include "platform/AtomicFile.h"

#include <sys/stat.h>

#include <cstdio>

namespace kaldo {

namespace {

constexpr std::size_t kChunkSize = 1024;

bool IsText(const xmlNode* node) {
    return node->type == XML_TEXT_NODE || node->type == XML_CDATA_SECTION_NODE;
}

// Copies the siblings from `node` on; false when a write failed.
bool CopySiblings(xmlDocPtr document, xmlNodePtr node, xmlTextWriterPtr writer) {
    bool ok = true;
    for (; node != nullptr; node = node->next) {
        if (node->type != XML_ELEMENT_NODE || node->children == nullptr) {
            continue;
        }
        xmlNodePtr child = node->children;
        if (child->type == XML_ELEMENT_NODE || child->next != nullptr) {
            ok = xmlTextWriterStartElement(writer, node->name) >= 0 && ok;
            ok = CopyElementTree(document, child, writer) >= 0 && ok;
        } else if (IsText(child)) {
            // In-line text: the writer escapes it once; an encoded copy would be escaped twice.
            const std::string text = TakeXmlString(xmlNodeListGetString(document, child, 1));
            ok = xmlTextWriterWriteFormatElement(writer, node->name, "%s", text.c_str()) >= 0 && ok;
        }
        // An element whose only child is a comment or similar is left out and, having no
        // start tag, must not be ended either.
    }
    return ok;
}

} // namespace

XmlDocHandle ReadXmlFile(const std::string& path) {
    if (path.empty()) {
        return nullptr;
    }
    return XmlDocHandle(xmlReadFile(path.c_str(), nullptr, kSafeParseOptions));
}

ResultCode EncodingForLanguage(std::string& language, std::string& encoding) {
    // An empty code is a language like any other: a string table without a code (or content
    // without Language_L10N) must not stop the program's documents. ASCII only: the user's locale
    // must not change a language code.
    for (char& c : language) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    // Every language the content ships in, and any other, is written as UTF-8.
    encoding = "UTF-8";
    return ResultCode::Ok;
}

int CopyElementTree(xmlDocPtr document, xmlNodePtr first, xmlTextWriterPtr writer) {
    const bool copied = CopySiblings(document, first, writer);
    const int ended = xmlTextWriterEndElement(writer);
    return copied ? ended : -1;
}

void ReplaceInFile(const std::string& path, std::string_view find, std::string_view replace) {
    if (path.empty() || find.empty()) {
        return;
    }
    FileHandle input(std::fopen(path.c_str(), "rb"));
    if (!input) {
        return;
    }
    AtomicFile output(path);
    if (!output.Open()) {
        return;
    }
    struct stat status {};
    if (fstat(fileno(input.get()), &status) == 0) {
        fchmod(fileno(output.Stream()), status.st_mode & 07777);
    }

    bool ok = true;
    bool replaced = false;
    char chunk[kChunkSize];
    std::size_t count = 0;
    while (ok && (count = std::fread(chunk, 1, sizeof chunk, input.get())) > 0) {
        const std::string_view text(chunk, count);
        const std::size_t at = replaced ? std::string_view::npos : text.find(find);
        if (at == std::string_view::npos) {
            ok = output.Write(text);
            continue;
        }
        ok = output.Write(text.substr(0, at)) && output.Write(replace) &&
             output.Write(text.substr(at + find.size()));
        replaced = true;
    }
    ok = ok && std::ferror(input.get()) == 0;
    input.reset();
    if (ok && replaced) {
        output.Commit();
    }
}

bool FileContains(const std::string& path, std::string_view text) {
    if (path.empty() || text.empty()) {
        return false;
    }
    FileHandle file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        return false;
    }
    char chunk[kChunkSize];
    std::size_t count = 0;
    while ((count = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) {
        if (std::string_view(chunk, count).find(text) != std::string_view::npos) {
            return true;
        }
    }
    return false;
}

} // namespace kaldo
