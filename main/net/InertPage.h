#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kaldo {

// A page from the network made into data: parsed as HTML and written out again without
// script, event handlers, frames, embedded objects, forms, a base address or a meta refresh,
// and with only ordinary link targets (relative ones, web and mail addresses). Text, images,
// styles and those links stay. None when the text does not parse into an HTML document.
std::optional<std::string> MakeInertPage(std::string_view html);

// Whether `target` may stay in a page from the network as a link or a resource address: a
// relative reference that does not start at the root, or an "http", "https" or "mailto"
// address. Blanks and control characters are read as a browser reads them.
bool IsOrdinaryLinkTarget(std::string_view target);

} // namespace kaldo
