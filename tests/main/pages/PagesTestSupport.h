#pragma once

#include "TestPaths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

namespace kaldo::test {

inline std::string DataFile(std::string_view name) {
    return std::string(KALDO_TEST_DATA_DIR) + "/pages/" + std::string(name);
}

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Gives each test a fresh folder of its own and removes it afterwards.
class TempFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = ::testing::TempDir() + "kaldo-pages-XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_folder = pattern;
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }

    std::string Path(std::string_view name) const { return m_folder + "/" + std::string(name); }
    bool Exists(std::string_view name) const { return std::filesystem::exists(Path(name)); }

    std::string m_folder;
};

} // namespace kaldo::test
