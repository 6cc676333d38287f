#pragma once

#include "tests/support/TempFolder.h"
#include "tests/support/TestFiles.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

// What every fuzz target shares: the input split into files, and a scratch folder of the
// process that is removed when it ends.
namespace kaldo::fuzz {

// Separates the pieces of one input; a corpus file stays readable as the documents it holds.
inline constexpr std::string_view kPartSeparator = "\n--8<--\n";

// The input cut at each separator; at least `count` pieces (missing ones empty).
inline std::vector<std::string> SplitInput(const uint8_t* data, size_t size, size_t count) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> parts;
    size_t start = 0;
    while (true) {
        const size_t end = input.find(kPartSeparator, start);
        if (end == std::string_view::npos) {
            parts.emplace_back(input.substr(start));
            break;
        }
        parts.emplace_back(input.substr(start, end - start));
        start = end + kPartSeparator.size();
    }
    if (parts.size() < count)
        parts.resize(count);
    return parts;
}

using testsupport::WriteBytes;

// The process's scratch folder below TMPDIR, made on first use and gone when the process ends
// normally.
inline const testsupport::TempFolder& Scratch() {
    static const testsupport::TempFolder folder;
    if (folder.Path().empty())
        std::abort();
    return folder;
}

} // namespace kaldo::fuzz
