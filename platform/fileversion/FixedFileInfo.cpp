#include "platform/fileversion/FileVersion.h"

namespace kaldo {

// Kept apart from the reader so that programs which only read versions carry no block
// template of their own.
std::array<unsigned char, kFixedFileInfoSize> EncodeFixedFileInfo(const FileVersion& version) {
    std::array<unsigned char, kFixedFileInfoSize> bytes{};
    size_t at = 0;
    const auto put = [&](uint32_t word) {
        for (int i = 0; i < 4; ++i)
            bytes[at++] = static_cast<unsigned char>(word >> (8 * i));
    };
    const uint32_t high = uint32_t(version.Major) << 16 | version.Minor;
    const uint32_t low = uint32_t(version.Build) << 16 | version.Revision;
    put(kFixedFileInfoSignature);
    put(kFixedFileInfoStructVersion);
    put(high); // file version
    put(low);
    put(high); // product version
    put(low);
    put(0x3F);       // flags mask
    put(0);          // flags
    put(0x00040004); // 32-bit NT
    put(1);          // application
    put(0);          // subtype
    put(0);          // date
    put(0);
    return bytes;
}

} // namespace kaldo
