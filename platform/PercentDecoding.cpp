#include "platform/PercentDecoding.h"

namespace kaldo {

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::string Decode(std::string_view text, size_t leastDigits) {
    std::string decoded;
    decoded.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        size_t digits = 0;
        int value = 0;
        while (text[i] == '%' && digits < 2 && i + 1 + digits < text.size() &&
               HexValue(text[i + 1 + digits]) >= 0)
            value = value * 16 + HexValue(text[i + 1 + digits++]);
        if (digits < leastDigits || digits == 0 || value == 0) {
            decoded.push_back(text[i]);
            continue;
        }
        decoded.push_back(char(value));
        i += digits;
    }
    return decoded;
}

} // namespace

std::string DecodePercentEscapes(std::string_view text) {
    return Decode(text, 1);
}

std::string DecodeUriEscapes(std::string_view text) {
    return Decode(text, 2);
}

} // namespace kaldo
