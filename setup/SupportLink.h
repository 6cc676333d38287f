#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kaldo {

class Registry;

// The support document for a language code ("FRA" gives "french"); "english" for any
// language without one of its own.
std::string SupportDocumentName(std::string_view languageCode);

struct Rgb {
    int Red = 0;
    int Green = 0;
    int Blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

constexpr Rgb kDefaultLinkColour{0, 0, 255};
constexpr Rgb kDefaultHoverColour{255, 0, 0};

// A colour written as "red,green,blue" in decimal; `fallback` when the text is missing,
// shorter than 5 characters or not three numbers from 0 to 255.
Rgb ParseColour(const std::optional<std::string>& text, Rgb fallback);

// The user's colours for links and for links under the pointer ("Anchor Color" and "Anchor
// Color Hover" of the browser settings).
Rgb LinkColour(const Registry& registry);
Rgb LinkHoverColour(const Registry& registry);

} // namespace kaldo
