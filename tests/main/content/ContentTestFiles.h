#pragma once

#include "TestPaths.h"
#include "tests/support/TempFolderTest.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace kaldo::testsupport {

namespace fs = std::filesystem;

inline std::string ShellData(const std::string& name) {
    return std::string(KALDO_TEST_DATA_DIR) + "/shell/" + name;
}

inline void CopyInto(const std::string& from, const std::string& to) {
    fs::create_directories(fs::path(to).parent_path());
    fs::copy_file(from, to, fs::copy_options::overwrite_existing);
}

} // namespace kaldo::testsupport
