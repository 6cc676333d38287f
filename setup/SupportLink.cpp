#include "setup/SupportLink.h"

#include "platform/registry/Registry.h"

#include <array>
#include <charconv>
#include <utility>

namespace kaldo {

namespace {

constexpr std::string_view kBrowserSettingsKey = "Software\\Microsoft\\Internet Explorer\\Settings";

constexpr std::array<std::pair<std::string_view, std::string_view>, 12> kDocuments{{
    {"PTB", "portuguese"},
    {"FRA", "french"},
    {"ITA", "italian"},
    {"DEU", "german"},
    {"ESN", "spanish"},
    {"CHS", "simple-chinese"},
    {"CHT", "traditional-chinese"},
    {"KOR", "korean"},
    {"JPN", "katakana"},
    {"SVE", "swedish"},
    {"NLD", "dutch"},
    {"RUS", "russian"},
}};

} // namespace

std::string SupportDocumentName(std::string_view languageCode) {
    for (const auto& [code, name] : kDocuments) {
        if (code == languageCode)
            return std::string(name);
    }
    return "english";
}

Rgb ParseColour(const std::optional<std::string>& text, Rgb fallback) {
    if (!text || text->size() < 5)
        return fallback;
    std::array<int, 3> parts{};
    const char* at = text->data();
    const char* end = text->data() + text->size();
    for (size_t i = 0; i < parts.size(); ++i) {
        while (at < end && *at == ' ')
            ++at;
        const auto [next, error] = std::from_chars(at, end, parts[i]);
        if (error != std::errc() || parts[i] < 0 || parts[i] > 255)
            return fallback;
        at = next;
        while (at < end && *at == ' ')
            ++at;
        if (i + 1 < parts.size()) {
            if (at == end || *at != ',')
                return fallback;
            ++at;
        }
    }
    if (at != end)
        return fallback;
    return {parts[0], parts[1], parts[2]};
}

Rgb LinkColour(const Registry& registry) {
    return ParseColour(registry.QueryValue(Hive::CurrentUser, kBrowserSettingsKey, "Anchor Color"),
                       kDefaultLinkColour);
}

Rgb LinkHoverColour(const Registry& registry) {
    return ParseColour(
        registry.QueryValue(Hive::CurrentUser, kBrowserSettingsKey, "Anchor Color Hover"),
        kDefaultHoverColour);
}

} // namespace kaldo
