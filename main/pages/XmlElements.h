#pragma once

#include <libxml/tree.h>

#include <optional>
#include <string>

// Walking the element tree of a content file.
namespace kaldo {

const xmlNode* FirstChildElement(const xmlNode* node);
const xmlNode* NextElement(const xmlNode* node);
bool NameIs(const xmlNode* node, const char* name);

// The element's whole text content, UTF-8.
std::string ElementText(const xmlNode* node);

// The leading decimal number of the element's text, read as "%d" reads it; 0 when the text
// does not start with a number or the number does not fit.
int ElementNumber(const xmlNode* node);

std::optional<std::string> AttributeText(const xmlNode* node, const char* name);

} // namespace kaldo
