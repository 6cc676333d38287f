#pragma once

#include "TestPaths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace kaldo::test {

namespace fs = std::filesystem;

inline std::string ShellData(const std::string& name) {
    return std::string(KALDO_TEST_DATA_DIR) + "/shell/" + name;
}

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

inline void CopyInto(const std::string& from, const std::string& to) {
    fs::create_directories(fs::path(to).parent_path());
    fs::copy_file(from, to, fs::copy_options::overwrite_existing);
}

// A fresh folder per test, removed afterwards.
class TempFolderTest : public testing::Test {
protected:
    void SetUp() override {
        std::string pattern = testing::TempDir() + "kaldo-shell-XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_folder = pattern;
    }

    void TearDown() override {
        std::error_code error;
        fs::remove_all(m_folder, error);
    }

    // A path below the test's folder.
    std::string Path(const std::string& relative) const { return m_folder + "/" + relative; }

    std::string m_folder;
};

} // namespace kaldo::test
