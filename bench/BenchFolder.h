#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace kaldo::bench {

// A fresh folder under the system's temporary folder, removed with its contents.
class BenchFolder {
public:
    BenchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "kaldo-bench-XXXXXX");
        if (mkdtemp(pattern.data()) != nullptr)
            m_path = pattern;
    }
    ~BenchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    BenchFolder(const BenchFolder&) = delete;
    BenchFolder& operator=(const BenchFolder&) = delete;

    bool Ready() const { return !m_path.empty(); }
    std::string Path(std::string_view name) const { return m_path + "/" + std::string(name); }

private:
    std::string m_path;
};

inline bool WriteText(const std::string& path, std::string_view text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    return static_cast<bool>(out);
}

} // namespace kaldo::bench
