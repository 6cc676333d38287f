#include "simulator/StatusIcon.h"

#include <cstdint>
#include <vector>
#include <zlib.h>

namespace kaldo::simulator {

namespace {

constexpr int kSize = 32;

struct Rgb {
    std::uint8_t R, G, B;
};

void AppendUint32(std::string& out, std::uint32_t value) {
    out += static_cast<char>(value >> 24);
    out += static_cast<char>((value >> 16) & 0xff);
    out += static_cast<char>((value >> 8) & 0xff);
    out += static_cast<char>(value & 0xff);
}

void AppendChunk(std::string& png, std::string_view type, std::string_view data) {
    AppendUint32(png, static_cast<std::uint32_t>(data.size()));
    const std::string body = std::string(type) + std::string(data);
    png += body;
    const auto crc =
        crc32(0L, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size()));
    AppendUint32(png, static_cast<std::uint32_t>(crc));
}

// A filled disc in `colour` on a transparent square, one filter byte before each row.
std::string Pixels(Rgb colour) {
    std::string raw;
    const double centre = (kSize - 1) / 2.0;
    const double radius = kSize / 2.0 - 1.5;
    for (int y = 0; y < kSize; ++y) {
        raw += '\0';
        for (int x = 0; x < kSize; ++x) {
            const double dx = x - centre;
            const double dy = y - centre;
            const bool inside = dx * dx + dy * dy <= radius * radius;
            raw += static_cast<char>(colour.R);
            raw += static_cast<char>(colour.G);
            raw += static_cast<char>(colour.B);
            raw += static_cast<char>(inside ? 0xff : 0x00);
        }
    }
    return raw;
}

std::string EncodePng(Rgb colour) {
    const std::string raw = Pixels(colour);
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::vector<Bytef> packed(packedSize);
    if (compress2(packed.data(), &packedSize, reinterpret_cast<const Bytef*>(raw.data()),
                  static_cast<uLong>(raw.size()), Z_BEST_COMPRESSION) != Z_OK)
        return {};

    std::string header;
    AppendUint32(header, kSize);
    AppendUint32(header, kSize);
    header += '\x08'; // bit depth
    header += '\x06'; // RGBA
    header += std::string(3, '\0');

    std::string png = "\x89PNG\r\n\x1a\n";
    AppendChunk(png, "IHDR", header);
    AppendChunk(png, "IDAT",
                std::string_view(reinterpret_cast<const char*>(packed.data()), packedSize));
    AppendChunk(png, "IEND", {});
    return png;
}

} // namespace

std::string BuildStatusIcon(std::string_view fileName) {
    if (fileName == "ready.png")
        return EncodePng({0x2e, 0x9e, 0x4f});
    if (fileName == "warning.png")
        return EncodePng({0xf0, 0xa2, 0x02});
    if (fileName == "error.png")
        return EncodePng({0xd6, 0x33, 0x2b});
    return {};
}

} // namespace kaldo::simulator
