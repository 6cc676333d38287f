#include "main/launchers/ContentItem.h"

#include "platform/AsciiText.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <fstream>

#include <sys/stat.h>

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

constexpr std::array<std::string_view, 10> kDocumentExtensions = {
    "pdf", "html", "htm", "txt", "rtf", "xps", "odt", "doc", "docx", "epub",
};
constexpr std::array<std::string_view, 13> kVideoExtensions = {
    "webm", "mp4", "m4v", "mov", "ogv", "ogg", "mkv", "avi", "wmv", "asf", "mpg", "mpeg", "3gp",
};

bool HasExtension(std::string_view name, const auto& extensions) {
    const size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || dot == 0)
        return false;
    const std::string_view extension = name.substr(dot + 1);
    return std::any_of(extensions.begin(), extensions.end(), [&](std::string_view known) {
        return EqualsIgnoringCase(extension, known);
    });
}

bool StartsWith(std::string_view text, std::string_view prefix, size_t at = 0) {
    return text.size() >= at + prefix.size() && text.substr(at, prefix.size()) == prefix;
}

} // namespace

bool HasDocumentExtension(std::string_view name) {
    return HasExtension(name, kDocumentExtensions);
}

bool HasVideoExtension(std::string_view name) {
    return HasExtension(name, kVideoExtensions);
}

bool LooksLikePdf(std::string_view head) {
    return head.substr(0, kDownloadHeadBytes).find("%PDF-") != std::string_view::npos;
}

bool LooksLikeVideo(std::string_view head) {
    using namespace std::string_view_literals;
    return StartsWith(head, "\x1a\x45\xdf\xa3"sv) ||                     // WebM, Matroska
           StartsWith(head, "ftyp", 4) || StartsWith(head, "moov", 4) || // MP4, QuickTime
           StartsWith(head, "OggS") ||                                   // Ogg
           (StartsWith(head, "RIFF") && StartsWith(head, "AVI ", 8)) ||  // AVI
           StartsWith(head, "\x30\x26\xb2\x75\x8e\x66\xcf\x11"sv) ||     // ASF, WMV
           StartsWith(head, "\x00\x00\x01\xba"sv) || StartsWith(head, "\x00\x00\x01\xb3"sv) ||
           StartsWith(head, "FLV\x01"sv);
}

bool IsOpenableContentFile(const std::string& path, const std::string& contentFolder) {
    namespace fs = std::filesystem;
    if (contentFolder.empty() || path.empty() || path.front() != '/')
        return false;
    const fs::path file = fs::path(path).lexically_normal();
    const fs::path folder = fs::path(contentFolder).lexically_normal();
    const fs::path below = file.lexically_relative(folder);
    if (below.empty() || below.is_absolute() || *below.begin() == "..")
        return false;
    const std::string name = file.filename().string();
    if (!HasDocumentExtension(name) && !HasVideoExtension(name))
        return false;
    struct stat info {};
    return ::stat(file.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           (info.st_mode & (S_IXUSR | S_IXGRP | S_IXOTH)) == 0;
}

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
