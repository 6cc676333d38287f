#include "main/launchers/ContentItem.h"

#include <algorithm>
#include <cctype>
#include <fstream>

namespace kaldo {

namespace {

constexpr std::string_view kFileNameKey = "FileName=";

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) ==
                      std::tolower(static_cast<unsigned char>(b));
           });
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
    head = head.substr(0, kDownloadHeadBytes);
    if (head.find("<HTML>") == std::string_view::npos)
        return {};
    DownloadedContent page{DownloadKind::Page, {}};
    const size_t open = head.find("<TITLE>");
    if (open == std::string_view::npos)
        return page;
    const size_t start = open + std::string_view("<TITLE>").size();
    const size_t close = head.find("</TITLE>", start);
    if (close == std::string_view::npos)
        return page;
    return {DownloadKind::Redirect, std::string(Trimmed(head.substr(start, close - start)))};
}

std::string ReadHead(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string head(kDownloadHeadBytes, '\0');
    in.read(head.data(), std::streamsize(head.size()));
    head.resize(size_t(std::max<std::streamsize>(in.gcount(), 0)));
    return head;
}

} // namespace kaldo
