#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kaldo {

// A file version as the Windows fixed file-version block holds it: four 16-bit parts.
struct FileVersion {
    uint16_t Major = 0;
    uint16_t Minor = 0;
    uint16_t Build = 0;
    uint16_t Revision = 0;

    // "1.2.3.4"
    std::string ToString() const;

    friend auto operator<=>(const FileVersion&, const FileVersion&) = default;
};

// The fixed file-version block (VS_FIXEDFILEINFO): thirteen little-endian 32-bit words that
// begin with this signature and the structure version 1.0.
constexpr uint32_t kFixedFileInfoSignature = 0xFEEF04BD;
constexpr uint32_t kFixedFileInfoStructVersion = 0x00010000;
constexpr size_t kFixedFileInfoSize = 13 * 4;

// The bytes of a block that gives `version` as file and product version, as our programs
// embed it.
std::array<unsigned char, kFixedFileInfoSize> EncodeFixedFileInfo(const FileVersion& version);

// The file version of the first fixed file-version block in `bytes`; nothing when there is
// none. A signature not followed by the structure version is not a block.
std::optional<FileVersion> FindFileVersion(std::string_view bytes);

// The same for a file, read in pieces; nothing when the file cannot be read or has no block.
std::optional<FileVersion> ReadFileVersion(const std::string& path);

} // namespace kaldo
