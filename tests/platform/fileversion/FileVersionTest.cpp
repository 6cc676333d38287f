#include "platform/fileversion/FileVersion.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

using kaldo::FileVersion;

std::string Block(const FileVersion& version) {
    const auto bytes = kaldo::EncodeFixedFileInfo(version);
    return std::string(bytes.begin(), bytes.end());
}

class FileVersionTest : public testing::Test {
protected:
    std::string Write(const std::string& name, const std::string& bytes) {
        const std::string path = m_folder / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    kaldo::testsupport::TempFolder m_folder;
};

TEST_F(FileVersionTest, VersionPrintsAsFourParts) {
    EXPECT_EQ((FileVersion{1, 2, 3, 4}).ToString(), "1.2.3.4");
    EXPECT_EQ((FileVersion{65535, 0, 10, 0}).ToString(), "65535.0.10.0");
}

TEST_F(FileVersionTest, VersionsCompareByPartsInOrder) {
    EXPECT_LT((FileVersion{1, 2, 3, 4}), (FileVersion{1, 2, 3, 10}));
    EXPECT_LT((FileVersion{1, 9, 9, 9}), (FileVersion{2, 0, 0, 0}));
    EXPECT_EQ((FileVersion{1, 2, 3, 4}), (FileVersion{1, 2, 3, 4}));
}

TEST_F(FileVersionTest, EncodedBlockStartsWithSignatureAndStructureVersion) {
    const std::string bytes = Block({1, 2, 3, 4});
    ASSERT_EQ(bytes.size(), kaldo::kFixedFileInfoSize);
    EXPECT_EQ(bytes.substr(0, 8), std::string("\xBD\x04\xEF\xFE\x00\x00\x01\x00", 8));
    // Most significant word: major in the high half, minor in the low half.
    EXPECT_EQ(bytes.substr(8, 8), std::string("\x02\x00\x01\x00\x04\x00\x03\x00", 8));
}

TEST_F(FileVersionTest, FindsBlockAnywhereInBytes) {
    const std::string bytes = std::string(1001, 'x') + Block({1, 2, 3, 10}) + "tail";
    const auto version = kaldo::FindFileVersion(bytes);
    ASSERT_TRUE(version);
    EXPECT_EQ(*version, (FileVersion{1, 2, 3, 10}));
}

TEST_F(FileVersionTest, FirstBlockWins) {
    const auto version = kaldo::FindFileVersion(Block({2, 0, 0, 0}) + Block({3, 0, 0, 0}));
    ASSERT_TRUE(version);
    EXPECT_EQ(version->Major, 2);
}

TEST_F(FileVersionTest, SignatureWithoutStructureVersionIsNoBlock) {
    std::string bytes = Block({1, 0, 0, 0});
    bytes[6] = 0x02;
    EXPECT_FALSE(kaldo::FindFileVersion(bytes));
}

TEST_F(FileVersionTest, SignatureAndStructureVersionFollowedByCodeIsNoBlock) {
    // What a scanner's own machine code looks like: both numbers, then instructions.
    std::string bytes = Block({1, 0, 0, 0}).substr(0, 8) + std::string(44, '\xC3');
    EXPECT_FALSE(kaldo::FindFileVersion(bytes));
}

TEST_F(FileVersionTest, BlockCutOffAtTheEndIsNoBlock) {
    EXPECT_FALSE(kaldo::FindFileVersion(Block({1, 0, 0, 0}).substr(0, 40)));
    EXPECT_FALSE(kaldo::FindFileVersion(""));
}

TEST_F(FileVersionTest, ReadsVersionFromFile) {
    const auto version = kaldo::ReadFileVersion(Write("program", "ELF..." + Block({4, 3, 2, 1})));
    ASSERT_TRUE(version);
    EXPECT_EQ(*version, (FileVersion{4, 3, 2, 1}));
}

TEST_F(FileVersionTest, FindsBlockAcrossReadPieces) {
    // The reader takes 64 KiB at a time; put the block across every boundary position.
    for (size_t before : {65536 - 52, 65536 - 30, 65536 - 1, 65536, 131072 - 7}) {
        const std::string path =
            Write("large", std::string(before, '\0') + Block({7, 0, 0, 1}) + std::string(99, 'z'));
        const auto version = kaldo::ReadFileVersion(path);
        ASSERT_TRUE(version) << before;
        EXPECT_EQ(*version, (FileVersion{7, 0, 0, 1})) << before;
    }
}

TEST_F(FileVersionTest, FileWithoutBlockHasNoVersion) {
    EXPECT_FALSE(kaldo::ReadFileVersion(Write("notes.txt", std::string(200000, 'a'))));
    EXPECT_FALSE(kaldo::ReadFileVersion(Write("empty", "")));
}

TEST_F(FileVersionTest, MissingFileOrFolderHasNoVersion) {
    EXPECT_FALSE(kaldo::ReadFileVersion(m_folder / "absent"));
    EXPECT_FALSE(kaldo::ReadFileVersion(m_folder.Path()));
}

TEST_F(FileVersionTest, ProgramThatOnlyReadsVersionsHasNone) {
    // This test program carries the reader's code but embeds no block. An instrumented build
    // lays out the block writer's constants side by side, which reads as a block.
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer build's code holds a whole block";
#endif
    EXPECT_FALSE(kaldo::ReadFileVersion("/proc/self/exe"));
}

} // namespace
