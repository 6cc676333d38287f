#pragma once

#include <string>
#include <string_view>

namespace kaldo::simulator {

enum class ContentItemKind {
    Document, // a PDF
    Video,
    WebPage,     // .html/.htm, refreshed by the program
    Redirect,    // "redirect-X": an HTML answer whose title is the address of X
    Missing,     // "missing...": not on the site
    Broken,      // "broken...": the site fails with 500 and an error page
    SoftMissing, // "notfound...": a 200 answer that is an HTML "not found" page
    Refused,     // a name that tries to leave the download folder
};

struct ContentItem {
    ContentItemKind Kind = ContentItemKind::Refused;
    std::string Name;        // the file served; for Redirect the file redirected to
    std::string ContentType; // empty for Redirect, Missing, Refused
};

// What the site answers for "FileName=<name>" and "/files/<name>". Every other name is a
// document: a name without extension gets ".pdf", since the program asks for "guide" when it
// wants "guide.pdf".
ContentItem ClassifyContentItem(std::string_view name);

// Pages whose name begins with "plain" never carry the refresh marker.
bool IsPlainWebPage(std::string_view name);

} // namespace kaldo::simulator
