#include "main/printers/PercentEscapes.h"

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

} // namespace

std::string DecodePercentEscapes(std::string_view text) {
    std::string decoded;
    decoded.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%' || i + 1 >= text.size() || HexValue(text[i + 1]) < 0) {
            decoded.push_back(text[i]);
            continue;
        }
        int value = HexValue(text[i + 1]);
        size_t digits = 1;
        if (i + 2 < text.size() && HexValue(text[i + 2]) >= 0) {
            value = value * 16 + HexValue(text[i + 2]);
            digits = 2;
        }
        if (value == 0) {
            decoded.push_back(text[i]);
            continue;
        }
        decoded.push_back(char(value));
        i += digits;
    }
    return decoded;
}

} // namespace kaldo
