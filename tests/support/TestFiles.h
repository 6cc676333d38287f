#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace kaldo::testsupport {

// The whole content of a file; none when it cannot be opened.
inline std::optional<std::string> ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// The whole content of a file; empty when it cannot be read.
inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Makes `bytes` the whole file, and its folder first when that is missing.
inline void WriteBytes(const std::string& path, std::string_view bytes) {
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Copies the content folder `source` to Data/<its name> below `programFolder`, where an
// installation puts it; the copy's path.
inline std::string InstallContentFolder(const std::string& source,
                                        const std::string& programFolder) {
    const std::filesystem::path copy =
        std::filesystem::path(programFolder) / "Data" / std::filesystem::path(source).filename();
    std::filesystem::create_directories(copy);
    std::filesystem::copy(source, copy, std::filesystem::copy_options::recursive);
    return copy.string();
}

// Copies every content folder of `source` to Data/ below `programFolder`.
inline void InstallContentFolders(const std::string& source, const std::string& programFolder) {
    for (const auto& entry : std::filesystem::directory_iterator(source)) {
        if (entry.is_directory())
            InstallContentFolder(entry.path().string(), programFolder);
    }
}

// Names of the entries of a folder, sorted.
inline std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The document without the line breaks and indentation between its elements.
inline std::string WithoutIndent(const std::string& text) {
    std::string compact;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\n') {
            compact += text[i];
            continue;
        }
        while (i + 1 < text.size() && text[i + 1] == ' ')
            ++i;
    }
    return compact;
}

} // namespace kaldo::testsupport
