#include "main/pages/XmlElements.h"

#include "main/pages/XmlHandles.h"

#include <cctype>
#include <charconv>
#include <cstring>

namespace kaldo {

const xmlNode* FirstChildElement(const xmlNode* node) {
    const xmlNode* child = node ? node->children : nullptr;
    while (child && child->type != XML_ELEMENT_NODE)
        child = child->next;
    return child;
}

const xmlNode* NextElement(const xmlNode* node) {
    const xmlNode* next = node ? node->next : nullptr;
    while (next && next->type != XML_ELEMENT_NODE)
        next = next->next;
    return next;
}

bool NameIs(const xmlNode* node, const char* name) {
    return node && node->name && std::strcmp(CharText(node->name), name) == 0;
}

std::string ElementText(const xmlNode* node) {
    return TakeXmlString(xmlNodeGetContent(node));
}

int ElementNumber(const xmlNode* node) {
    const std::string text = ElementText(node);
    size_t pos = 0;
    while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos])))
        ++pos;
    if (pos + 1 < text.size() && text[pos] == '+' && text[pos + 1] != '-')
        ++pos;
    int value = 0;
    const char* begin = text.data() + pos;
    const auto result = std::from_chars(begin, text.data() + text.size(), value);
    return result.ec == std::errc() ? value : 0;
}

std::optional<std::string> AttributeText(const xmlNode* node, const char* name) {
    xmlChar* value = xmlGetProp(node, XmlText(name));
    if (!value)
        return std::nullopt;
    return TakeXmlString(value);
}

} // namespace kaldo
