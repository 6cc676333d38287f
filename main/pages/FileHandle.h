#pragma once

#include <cstdio>
#include <memory>
#include <string_view>

namespace kaldo {

struct FileCloser {
    void operator()(std::FILE* file) const noexcept { std::fclose(file); }
};

// A C stdio file that is closed on every path. Use CloseFile where a failed close matters.
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// Closes the file and reports whether everything written to it reached the file.
inline bool CloseFile(FileHandle& file) {
    std::FILE* raw = file.release();
    return raw != nullptr && std::fclose(raw) == 0;
}

// Writes all of `bytes`; false on a write error.
inline bool WriteAll(std::FILE* file, std::string_view bytes) {
    return bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
}

} // namespace kaldo
