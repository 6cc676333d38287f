#include "simulator/ContentItem.h"

#include "platform/AsciiText.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace kaldo::simulator {

namespace {

struct VideoType {
    std::string_view Extension;
    std::string_view ContentType;
};

constexpr std::array kVideoTypes{
    VideoType{".mp4", "video/mp4"},
    VideoType{".m4v", "video/mp4"},
    VideoType{".webm", "video/webm"},
    VideoType{".ogv", "video/ogg"},
    VideoType{".mov", "video/quicktime"},
    VideoType{".avi", "video/x-msvideo"},
    VideoType{".wmv", "video/x-ms-wmv"},
    VideoType{".flv", "video/x-flv"},
    VideoType{".swf", "application/x-shockwave-flash"},
};

std::string LowerExtension(std::string_view name) {
    const auto dot = name.rfind('.');
    if (dot == std::string_view::npos)
        return {};
    return AsciiLowered(name.substr(dot));
}

bool IsSafeName(std::string_view name) {
    if (name.empty() || name == "." || name.find("..") != std::string_view::npos)
        return false;
    return std::none_of(name.begin(), name.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return c == '/' || c == '\\' || c == ':' || byte < 0x20 || byte == 0x7f;
    });
}

ContentItem ClassifyFile(std::string_view name) {
    const std::string extension = LowerExtension(name);
    if (extension == ".html" || extension == ".htm")
        return {ContentItemKind::WebPage, std::string(name), "text/html; charset=utf-8"};
    for (const auto& video : kVideoTypes) {
        if (video.Extension == extension)
            return {ContentItemKind::Video, std::string(name), std::string(video.ContentType)};
    }
    std::string file(name);
    if (extension.empty())
        file += ".pdf";
    return {ContentItemKind::Document, file, "application/pdf"};
}

} // namespace

ContentItem ClassifyContentItem(std::string_view name) {
    constexpr std::string_view kRedirect = "redirect-";
    if (!IsSafeName(name))
        return {ContentItemKind::Refused, std::string(name), {}};
    if (name.starts_with("missing"))
        return {ContentItemKind::Missing, std::string(name), {}};
    if (name.starts_with("broken"))
        return {ContentItemKind::Broken, std::string(name), {}};
    if (name.starts_with("notfound"))
        return {ContentItemKind::SoftMissing, std::string(name), {}};
    if (name.starts_with(kRedirect) && name.size() > kRedirect.size()) {
        ContentItem target = ClassifyFile(name.substr(kRedirect.size()));
        return {ContentItemKind::Redirect, target.Name, {}};
    }
    return ClassifyFile(name);
}

bool IsPlainWebPage(std::string_view name) {
    return name.starts_with("plain");
}

} // namespace kaldo::simulator
