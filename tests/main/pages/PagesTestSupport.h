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
#include <string_view>

namespace kaldo::testsupport {

inline std::string DataFile(std::string_view name) {
    return std::string(KALDO_TEST_DATA_DIR) + "/pages/" + std::string(name);
}

} // namespace kaldo::testsupport
