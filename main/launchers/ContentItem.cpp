#include "main/launchers/ContentItem.h"

#include "platform/AsciiText.h"

#include <algorithm>
#include <cctype>
#include <fstream>

namespace kaldo {

namespace {

constexpr std::string_view kFileNameKey = "FileName=";

// Web servers answer a missing file with a page of their own, in whatever letter case and
// after whatever byte-order mark, blanks or doctype; documents and videos never look so.
bool IsHtmlPage(std::string_view head) {
    return FindIgnoringCase(head, "<html") != std::string_view::npos ||
           FindIgnoringCase(head, "<!doctype html") != std::string_view::npos;
}

std::string_view Trimmed(std::string_view text) {
    const auto space = [](char c) {
        return std::isspace(static_cast<unsigned char>(c)) != 0;
    };
    while (!text.empty() && space(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && space(text.back()))
        text.remove_suffix(1);
    return text;
}

} // namespace

std::optional<std::string> ItemFileName(std::string_view item) {
    const size_t found = item.find(kFileNameKey);
    if (found == std::string_view::npos)
        return std::nullopt;
    return std::string(item.substr(found + kFileNameKey.size()));
}

bool IsPlainFileName(std::string_view name) {
    if (name.empty() || name == "." || name == "..")
        return false;
    return std::none_of(name.begin(), name.end(), [](char c) {
        return c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20 || c == 0x7f;
    });
}

bool IsWebContent(std::string_view name) {
    return name.find(".htm") != std::string_view::npos || IsFlashContent(name);
}

bool IsFlashContent(std::string_view name) {
    return name.find(".swf") != std::string_view::npos;
}

bool IsWebAddress(std::string_view address) {
    return StartsWithIgnoringCase(address, "http://") ||
           StartsWithIgnoringCase(address, "https://");
}

DownloadedContent InspectDownload(std::string_view head) {
    constexpr std::string_view kTitle = "<title>";
    head = head.substr(0, kDownloadHeadBytes);
    if (!IsHtmlPage(head))
        return {};
    DownloadedContent page{DownloadKind::Page, {}};
    const size_t open = FindIgnoringCase(head, kTitle);
    if (open == std::string_view::npos)
        return page;
    const size_t start = open + kTitle.size();
    const size_t close = FindIgnoringCase(head, "</title>", start);
    if (close == std::string_view::npos)
        return page;
    const std::string_view address = Trimmed(head.substr(start, close - start));
    if (!IsWebAddress(address))
        return page;
    return {DownloadKind::Redirect, std::string(address)};
}

std::string ReadHead(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string head(kDownloadHeadBytes, '\0');
    in.read(head.data(), std::streamsize(head.size()));
    head.resize(size_t(std::max<std::streamsize>(in.gcount(), 0)));
    return head;
}

} // namespace kaldo
