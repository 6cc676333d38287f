#include "setupsupport/FileTree.h"

#include "tests/setupsupport/SetupTestMachine.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;
using kaldo::testsupport::TempFolder;
using kaldo::testsupport::WriteBytes;

class FileTreeTest : public testing::Test {
protected:
    TempFolder m_folder;
};

TEST(PatternTest, StarDotStarMatchesEveryName) {
    for (const char* name : {"ktendwell", "toolbox.xml", ".hidden", "a.b.c"})
        EXPECT_TRUE(kaldo::MatchesPattern(name, "*.*")) << name;
}

TEST(PatternTest, WildcardsMatchWithoutCase) {
    EXPECT_TRUE(kaldo::MatchesPattern("Guide.PDF", "*.pdf"));
    EXPECT_TRUE(kaldo::MatchesPattern("file1.txt", "file?.txt"));
    EXPECT_FALSE(kaldo::MatchesPattern("file12.txt", "file?.txt"));
    EXPECT_FALSE(kaldo::MatchesPattern("notes.txt", "*.pdf"));
    EXPECT_TRUE(kaldo::MatchesPattern("abcabd", "*ab*d"));
    EXPECT_FALSE(kaldo::MatchesPattern("", "?"));
}

TEST_F(FileTreeTest, CreatesEveryFolderUpToTheLastSlash) {
    const std::string path = m_folder / "a/b/c/file.desktop";
    EXPECT_TRUE(kaldo::CreateDirectories(path, false));
    EXPECT_TRUE(fs::is_directory(m_folder / "a/b/c"));
    EXPECT_FALSE(fs::exists(path));
}

TEST_F(FileTreeTest, CreatesTheLastElementWhenAsked) {
    EXPECT_TRUE(kaldo::CreateDirectories(m_folder / "x/y/z", true));
    EXPECT_TRUE(fs::is_directory(m_folder / "x/y/z"));
    EXPECT_TRUE(kaldo::CreateDirectories(m_folder / "x/y/z/", true)); // exists: no error
}

TEST_F(FileTreeTest, CreatingBelowAFileFails) {
    WriteBytes(m_folder / "plain", "x");
    EXPECT_FALSE(kaldo::CreateDirectories(m_folder / "plain/sub", true));
}

TEST_F(FileTreeTest, DeletesWholeTree) {
    WriteBytes(m_folder / "tree/a.txt", "a");
    WriteBytes(m_folder / "tree/sub/deeper/b.bin", "b");
    fs::create_directories(m_folder / "tree/empty");
    EXPECT_TRUE(kaldo::DeleteTree(m_folder / "tree", "*.*"));
    EXPECT_FALSE(fs::exists(m_folder / "tree"));
}

TEST_F(FileTreeTest, TrailingSlashIsDropped) {
    WriteBytes(m_folder / "tree/a.txt", "a");
    EXPECT_TRUE(kaldo::DeleteTree(m_folder / "tree/", "*.*"));
    EXPECT_FALSE(fs::exists(m_folder / "tree"));
}

TEST_F(FileTreeTest, ReadOnlyFilesAndFoldersAreDeleted) {
    WriteBytes(m_folder / "tree/locked/readonly.txt", "r");
    fs::permissions(m_folder / "tree/locked/readonly.txt", fs::perms::owner_read);
    fs::permissions(m_folder / "tree/locked", fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_TRUE(kaldo::DeleteTree(m_folder / "tree", "*.*"));
    EXPECT_FALSE(fs::exists(m_folder / "tree"));
}

TEST_F(FileTreeTest, PatternLimitsFilesButSearchesEverySubfolder) {
    WriteBytes(m_folder / "tree/keep.txt", "k");
    WriteBytes(m_folder / "tree/drop.pdf", "d");
    WriteBytes(m_folder / "tree/docs/guide.PDF", "g");
    WriteBytes(m_folder / "tree/docs/notes.txt", "n");
    WriteBytes(m_folder / "tree/only/one.pdf", "o");
    EXPECT_FALSE(kaldo::DeleteTree(m_folder / "tree", "*.pdf"));
    EXPECT_TRUE(fs::exists(m_folder / "tree/keep.txt"));
    EXPECT_FALSE(fs::exists(m_folder / "tree/drop.pdf"));
    EXPECT_FALSE(fs::exists(m_folder / "tree/docs/guide.PDF"));
    EXPECT_TRUE(fs::exists(m_folder / "tree/docs/notes.txt"));
    EXPECT_FALSE(fs::exists(m_folder / "tree/only")); // emptied, so removed
}

TEST_F(FileTreeTest, LinkToFolderOutsideIsRemovedButItsTargetIsUntouched) {
    WriteBytes(m_folder / "outside/precious.txt", "keep me");
    WriteBytes(m_folder / "tree/a.txt", "a");
    fs::create_directories(m_folder / "tree/sub");
    fs::create_directory_symlink(m_folder / "outside", m_folder / "tree/sub/link");
    fs::create_symlink(m_folder / "outside/precious.txt", m_folder / "tree/filelink");

    EXPECT_TRUE(kaldo::DeleteTree(m_folder / "tree", "*.*"));
    EXPECT_FALSE(fs::exists(fs::symlink_status(m_folder / "tree")));
    EXPECT_EQ(kaldo::testsupport::ReadBytes(m_folder / "outside/precious.txt"), "keep me");
}

TEST_F(FileTreeTest, TreeThatIsALinkLosesOnlyTheLink) {
    WriteBytes(m_folder / "outside/precious.txt", "keep me");
    fs::create_directory_symlink(m_folder / "outside", m_folder / "tree");
    EXPECT_TRUE(kaldo::DeleteTree(m_folder / "tree", "*.*"));
    EXPECT_FALSE(fs::exists(fs::symlink_status(m_folder / "tree")));
    EXPECT_TRUE(fs::exists(m_folder / "outside/precious.txt"));
}

TEST_F(FileTreeTest, KeptFileStaysWithTheFoldersAboveIt) {
    WriteBytes(m_folder / "tree/bin/self", "running");
    WriteBytes(m_folder / "tree/bin/other", "o");
    WriteBytes(m_folder / "tree/data/x", "x");
    EXPECT_FALSE(kaldo::DeleteTree(m_folder / "tree", "*.*", m_folder / "tree/bin/self"));
    EXPECT_TRUE(fs::exists(m_folder / "tree/bin/self"));
    EXPECT_FALSE(fs::exists(m_folder / "tree/bin/other"));
    EXPECT_FALSE(fs::exists(m_folder / "tree/data"));
}

TEST_F(FileTreeTest, DotFoldersAndMissingFoldersAreLeftAlone) {
    EXPECT_FALSE(kaldo::DeleteTree(".", "*.*"));
    EXPECT_FALSE(kaldo::DeleteTree("..", "*.*"));
    EXPECT_TRUE(kaldo::DeleteTree(m_folder / "absent", "*.*"));
}

TEST_F(FileTreeTest, PlainFileIsNoTree) {
    WriteBytes(m_folder / "file", "f");
    EXPECT_FALSE(kaldo::DeleteTree(m_folder / "file", "*.*"));
    EXPECT_TRUE(fs::exists(m_folder / "file"));
}

} // namespace
