#include "platform/fileversion/FileVersion.h"

#include <algorithm>
#include <fstream>
#include <vector>

namespace kaldo {

namespace {

uint32_t ReadWord(const unsigned char* bytes) {
    return uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 |
           uint32_t(bytes[3]) << 24;
}

// A signature with the structure version is not enough: a program that looks for blocks
// carries both numbers side by side in its code. The flag, OS and type words of a real block
// hold small, known values.
bool PlausibleBlock(const unsigned char* block) {
    const uint32_t flagsMask = ReadWord(block + 24);
    const uint32_t flags = ReadWord(block + 28);
    const uint32_t os = ReadWord(block + 32);
    const uint32_t type = ReadWord(block + 36);
    return flagsMask <= 0x3F && (flags & ~flagsMask) == 0 && (os >> 16) <= 5 &&
           (os & 0xFFFF) <= 5 && type <= 7;
}

// Offset of the first whole block in `bytes`, or npos.
size_t FindBlock(const unsigned char* bytes, size_t size) {
    for (size_t offset = 0; offset + kFixedFileInfoSize <= size; ++offset) {
        if (bytes[offset] != 0xBD)
            continue;
        if (ReadWord(bytes + offset) == kFixedFileInfoSignature &&
            ReadWord(bytes + offset + 4) == kFixedFileInfoStructVersion &&
            PlausibleBlock(bytes + offset))
            return offset;
    }
    return std::string_view::npos;
}

FileVersion VersionAt(const unsigned char* block) {
    const uint32_t high = ReadWord(block + 8);
    const uint32_t low = ReadWord(block + 12);
    return {uint16_t(high >> 16), uint16_t(high & 0xFFFF), uint16_t(low >> 16),
            uint16_t(low & 0xFFFF)};
}

} // namespace

std::string FileVersion::ToString() const {
    return std::to_string(Major) + "." + std::to_string(Minor) + "." + std::to_string(Build) + "." +
           std::to_string(Revision);
}

std::optional<FileVersion> FindFileVersion(std::string_view bytes) {
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t offset = FindBlock(data, bytes.size());
    if (offset == std::string_view::npos)
        return std::nullopt;
    return VersionAt(data + offset);
}

std::optional<FileVersion> ReadFileVersion(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    // Consecutive pieces overlap by one block less a byte, so a block across a boundary is
    // seen whole in the next piece.
    constexpr size_t kPiece = 1 << 16;
    constexpr size_t kKeep = kFixedFileInfoSize - 1;
    std::vector<unsigned char> buffer(kPiece + kKeep);
    size_t kept = 0;
    while (file) {
        file.read(reinterpret_cast<char*>(buffer.data() + kept), std::streamsize(kPiece));
        const size_t size = kept + size_t(file.gcount());
        const size_t offset = FindBlock(buffer.data(), size);
        if (offset != std::string_view::npos)
            return VersionAt(buffer.data() + offset);
        kept = std::min(size, kKeep);
        std::copy(buffer.begin() + std::ptrdiff_t(size - kept),
                  buffer.begin() + std::ptrdiff_t(size), buffer.begin());
        if (file.gcount() == 0)
            break;
    }
    return std::nullopt;
}

} // namespace kaldo
