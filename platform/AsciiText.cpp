#include "platform/AsciiText.h"

#include <algorithm>

namespace kaldo {

namespace {

bool SameLetter(char a, char b) {
    return AsciiLower(a) == AsciiLower(b);
}

} // namespace

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

char AsciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string AsciiLowered(std::string_view text) {
    std::string lowered(text);
    std::transform(lowered.begin(), lowered.end(), lowered.begin(), AsciiLower);
    return lowered;
}

std::string AsciiUppered(std::string_view text) {
    std::string uppered(text);
    std::transform(uppered.begin(), uppered.end(), uppered.begin(), AsciiUpper);
    return uppered;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), SameLetter);
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           EqualsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

size_t FindIgnoringCase(std::string_view text, std::string_view what, size_t from) {
    if (from > text.size())
        return std::string_view::npos;
    if (what.empty())
        return from;
    const auto found = std::search(text.begin() + std::ptrdiff_t(from), text.end(), what.begin(),
                                   what.end(), SameLetter);
    return found == text.end() ? std::string_view::npos : size_t(found - text.begin());
}

bool ContainsIgnoringCase(std::string_view text, std::string_view what) {
    return FindIgnoringCase(text, what) != std::string_view::npos;
}

} // namespace kaldo
