#include "main/net/InertPage.h"

#include "main/pages/XmlHandles.h"
#include "platform/AsciiText.h"

#include <libxml/HTMLparser.h>
#include <libxml/HTMLtree.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <climits>
#include <vector>

namespace kaldo {

namespace {

// Elements that run code, load other documents, send data or move the reader elsewhere, with
// everything in them.
constexpr std::array<std::string_view, 16> kDroppedElements = {
    "script", "iframe",   "frame", "frameset", "applet",   "base",    "input", "button",
    "select", "textarea", "svg",   "math",     "template", "noembed", "param", "isindex",
};
// Elements that go while what they hold stays: the parser lets an unclosed embed hold the rest
// of the page, and an object's or a form's content is ordinary text.
constexpr std::array<std::string_view, 4> kUnwrappedElements = {"object", "embed", "form",
                                                                "portal"};

// Attributes that hold an address the browser follows or loads.
constexpr std::array<std::string_view, 18> kAddressAttributes = {
    "href",       "src",        "action",   "formaction", "data",     "poster",
    "background", "cite",       "longdesc", "lowsrc",     "dynsrc",   "usemap",
    "codebase",   "xlink:href", "ping",     "srcset",     "manifest", "archive",
};

bool Named(const xmlChar* name, std::string_view what) {
    return name != nullptr && EqualsIgnoringCase(CharText(name), what);
}

bool InList(const xmlChar* name, const auto& list) {
    return std::any_of(list.begin(), list.end(),
                       [&](std::string_view item) { return Named(name, item); });
}

std::string AttributeValue(xmlNode* element, const xmlAttr* attribute) {
    return TakeXmlString(xmlNodeListGetString(element->doc, attribute->children, 1));
}

bool KeepsAttribute(xmlNode* element, const xmlAttr* attribute) {
    const std::string name = CharText(attribute->name);
    if (StartsWithIgnoringCase(name, "on") || EqualsIgnoringCase(name, "srcdoc"))
        return false;
    if (InList(attribute->name, kAddressAttributes))
        return IsOrdinaryLinkTarget(AttributeValue(element, attribute));
    return true;
}

bool DropsElement(xmlNode* element) {
    if (InList(element->name, kDroppedElements))
        return true;
    // A meta refresh moves the pane elsewhere; other http-equiv values change the page's rules.
    return Named(element->name, "meta") && xmlHasProp(element, XmlText("http-equiv")) != nullptr;
}

void MakeInert(xmlNode* parent);

// Puts what `element` holds, made inert, in its place.
void Unwrap(xmlNode* element) {
    MakeInert(element);
    while (xmlNode* child = element->children) {
        xmlUnlinkNode(child);
        xmlAddPrevSibling(element, child);
    }
    xmlUnlinkNode(element);
    xmlFreeNode(element);
}

void MakeInert(xmlNode* parent) {
    std::vector<xmlNode*> dropped;
    std::vector<xmlNode*> unwrapped;
    for (xmlNode* node = parent->children; node != nullptr; node = node->next) {
        if (node->type == XML_PI_NODE) {
            dropped.push_back(node);
            continue;
        }
        if (node->type != XML_ELEMENT_NODE)
            continue;
        if (DropsElement(node)) {
            dropped.push_back(node);
            continue;
        }
        if (InList(node->name, kUnwrappedElements)) {
            unwrapped.push_back(node);
            continue;
        }
        std::vector<xmlAttr*> attributes;
        for (xmlAttr* attribute = node->properties; attribute != nullptr;
             attribute = attribute->next) {
            if (!KeepsAttribute(node, attribute))
                attributes.push_back(attribute);
        }
        for (xmlAttr* attribute : attributes)
            xmlRemoveProp(attribute);
        MakeInert(node);
    }
    for (xmlNode* node : dropped) {
        xmlUnlinkNode(node);
        xmlFreeNode(node);
    }
    for (xmlNode* node : unwrapped)
        Unwrap(node);
}

// A browser drops tabs and line breaks anywhere in an address and blanks and control
// characters around it.
std::string AsBrowserReads(std::string_view target) {
    std::string text;
    for (char c : target) {
        if (c != '\t' && c != '\n' && c != '\r')
            text += c;
    }
    const auto blank = [](char c) {
        return static_cast<unsigned char>(c) <= 0x20;
    };
    const auto first = std::find_if_not(text.begin(), text.end(), blank);
    const auto last = std::find_if_not(text.rbegin(), text.rend(), blank).base();
    return first < last ? std::string(first, last) : std::string();
}

} // namespace

bool IsOrdinaryLinkTarget(std::string_view target) {
    const std::string text = AsBrowserReads(target);
    if (text.empty())
        return true;
    if (text.front() == '/' || text.front() == '\\')
        return false;
    const size_t colon = text.find(':');
    const size_t end = text.find_first_of("/?#\\");
    if (colon == std::string::npos || (end != std::string::npos && end < colon))
        return true; // relative: a neighbouring page, image or style sheet
    const std::string_view scheme(text.data(), colon);
    for (std::string_view ordinary : {"http", "https", "mailto"}) {
        if (EqualsIgnoringCase(scheme, ordinary))
            return true;
    }
    return false;
}

std::optional<std::string> MakeInertPage(std::string_view html) {
    if (html.size() > size_t(INT_MAX))
        return std::nullopt;
    XmlDocHandle document(htmlReadMemory(html.data(), int(html.size()), nullptr, "UTF-8",
                                         HTML_PARSE_NONET | HTML_PARSE_NODEFDTD |
                                             HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING));
    if (!document)
        return std::nullopt;
    const xmlNode* root = xmlDocGetRootElement(document.get());
    if (root == nullptr || !Named(root->name, "html"))
        return std::nullopt;
    MakeInert(reinterpret_cast<xmlNode*>(document.get()));
    xmlChar* text = nullptr;
    int size = 0;
    htmlDocDumpMemoryFormat(document.get(), &text, &size, 0);
    XmlStringHandle owner(text);
    if (owner == nullptr || size <= 0)
        return std::nullopt;
    return std::string(CharText(owner.get()), size_t(size));
}

} // namespace kaldo
