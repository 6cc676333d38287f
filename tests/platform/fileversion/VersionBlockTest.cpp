#include "platform/fileversion/FileVersion.h"

#include <gtest/gtest.h>

namespace {

TEST(VersionBlockTest, ProgramCarriesTheProjectVersion) {
    const auto version = kaldo::ReadFileVersion("/proc/self/exe");
    ASSERT_TRUE(version);
    EXPECT_EQ(version->ToString(), KALDO_EXPECTED_VERSION ".0");
}

} // namespace
