#pragma once

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>

namespace kaldo::testsupport {

// A fixture whose every test gets a fresh folder of its own, removed afterwards.
class TempFolderTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(m_folder.empty()); }

    // A path below the test's folder.
    std::string Path(std::string_view name) const { return m_folder + "/" + std::string(name); }
    bool Exists(std::string_view name) const { return std::filesystem::exists(Path(name)); }

    TempFolder m_temp;
    std::string m_folder = m_temp.Path();
};

} // namespace kaldo::testsupport
