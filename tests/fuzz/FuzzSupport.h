#pragma once

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

inline void WriteFile(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
}

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A folder of this process below TMPDIR; gone when the process ends normally.
class ScratchFolder final {
public:
    ScratchFolder() {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/kaldo-fuzz-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr)
            std::abort();
        m_path = pattern;
    }
    ~ScratchFolder() {
        std::error_code error;
        std::filesystem::remove_all(m_path, error);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& Path() const { return m_path; }
    std::string operator/(std::string_view name) const { return m_path + "/" + std::string(name); }

private:
    std::string m_path;
};

// The process's scratch folder, made on first use.
inline const ScratchFolder& Scratch() {
    static const ScratchFolder folder;
    return folder;
}

} // namespace kaldo::fuzz
