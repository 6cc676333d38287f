#include "platform/AtomicFile.h"

#include "tests/support/ChildProcess.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/stat.h>

namespace kaldo {
namespace {

namespace fs = std::filesystem;
using kaldo::testsupport::ReadBytes;
using kaldo::testsupport::WriteBytes;
using testsupport::FolderNames;
using testsupport::RunWithFileSizeLimit;

class AtomicFileTest : public ::testing::Test {
protected:
    testsupport::TempFolder m_folder;
    std::string m_target = m_folder / "page.html";
};

TEST_F(AtomicFileTest, TargetChangesOnlyOnCommit) {
    WriteBytes(m_target, "old");
    AtomicFile file(m_target);
    ASSERT_TRUE(file.Open());
    ASSERT_TRUE(file.Write("new page"));
    std::fputs(" and more", file.Stream());
    EXPECT_EQ(ReadBytes(m_target), "old");
    EXPECT_EQ(fs::path(file.TemporaryPath()).parent_path(), fs::path(m_folder.Path()));

    ASSERT_TRUE(file.Commit());
    EXPECT_EQ(ReadBytes(m_target), "new page and more");
    EXPECT_EQ(FolderNames(m_folder.Path()), std::vector<std::string>{"page.html"});
}

TEST_F(AtomicFileTest, AbandonedFileLeavesTargetAndNoTemporaryFile) {
    WriteBytes(m_target, "old");
    {
        AtomicFile file(m_target);
        ASSERT_TRUE(file.Open());
        ASSERT_TRUE(file.Write("half a pa"));
    }
    EXPECT_EQ(ReadBytes(m_target), "old");
    EXPECT_EQ(FolderNames(m_folder.Path()), std::vector<std::string>{"page.html"});
}

TEST_F(AtomicFileTest, NewFileGetsTheUsualPermissions) {
    const mode_t old = umask(022);
    ASSERT_TRUE(WriteFileAtomically(m_target, "text"));
    umask(old);
    struct stat status {};
    ASSERT_EQ(stat(m_target.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0644u);
}

TEST_F(AtomicFileTest, FolderThatCannotTakeAFileFails) {
    AtomicFile file(m_folder / "no-such-folder/page.html");
    EXPECT_FALSE(file.Open());
    EXPECT_FALSE(file.Commit());
    EXPECT_FALSE(WriteFileAtomically(m_folder / "no-such-folder/page.html", "text"));
    EXPECT_FALSE(WriteFileAtomically("", "text"));
}

TEST_F(AtomicFileTest, FullDiskKeepsTheOldFileAndLeavesNoTemporaryFile) {
    WriteBytes(m_target, "the old page, intact");
    const std::optional<int> written = RunWithFileSizeLimit(
        4096, [&] { return WriteFileAtomically(m_target, std::string(100000, 'x')) ? 1 : 0; });
    ASSERT_TRUE(written.has_value());
    EXPECT_EQ(*written, 0);
    EXPECT_EQ(ReadBytes(m_target), "the old page, intact");
    EXPECT_EQ(FolderNames(m_folder.Path()), std::vector<std::string>{"page.html"});

    // Within the limit the same write succeeds.
    EXPECT_EQ(RunWithFileSizeLimit(4096, [&] { return WriteFileAtomically(m_target, "new"); }), 1);
    EXPECT_EQ(ReadBytes(m_target), "new");
}

TEST_F(AtomicFileTest, RenameReplacesALinkAndNotTheFileItPointsTo) {
    const std::string installed = m_folder / "installed.html";
    WriteBytes(installed, "installed page");
    fs::create_directory(m_folder / "user");
    for (const ReplaceMode mode : {ReplaceMode::Durable, ReplaceMode::Regenerable}) {
        const std::string link = m_folder / "user/page.html";
        fs::remove(link);
        fs::create_symlink(installed, link);

        ASSERT_TRUE(WriteFileAtomically(link, "generated page", mode));
        EXPECT_FALSE(fs::is_symlink(link));
        EXPECT_EQ(ReadBytes(link), "generated page");
        EXPECT_EQ(ReadBytes(installed), "installed page");
        EXPECT_EQ(FolderNames(m_folder / "user"), std::vector<std::string>{"page.html"});
    }
}

// A regenerable file takes the target's place by an exchange of names: the old file goes with
// the temporary name, a new target is made as any other, and a folder in the target's place
// stays and fails the write.
TEST_F(AtomicFileTest, RegenerableFileReplacesTheTargetAndLeavesOnlyIt) {
    ASSERT_TRUE(WriteFileAtomically(m_target, "first", ReplaceMode::Regenerable));
    EXPECT_EQ(ReadBytes(m_target), "first");
    ASSERT_TRUE(WriteFileAtomically(m_target, "second", ReplaceMode::Regenerable));
    EXPECT_EQ(ReadBytes(m_target), "second");
    EXPECT_EQ(FolderNames(m_folder.Path()), std::vector<std::string>{"page.html"});

    const std::string folder = m_folder / "folder.html";
    fs::create_directory(folder);
    EXPECT_FALSE(WriteFileAtomically(folder, "page", ReplaceMode::Regenerable));
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_EQ(FolderNames(m_folder.Path()), (std::vector<std::string>{"folder.html", "page.html"}));
}

TEST_F(AtomicFileTest, LinkReplacesAFileAndLeavesNoTemporaryName) {
    const std::string installed = m_folder / "installed.html";
    WriteBytes(installed, "installed page");
    WriteBytes(m_target, "generated page");
    ASSERT_TRUE(ReplaceWithLink(installed, m_target));
    EXPECT_TRUE(fs::is_symlink(m_target));
    EXPECT_EQ(ReadBytes(m_target), "installed page");
    EXPECT_EQ(FolderNames(m_folder.Path()),
              (std::vector<std::string>{"installed.html", "page.html"}));
    EXPECT_FALSE(ReplaceWithLink(installed, m_folder / "missing/page.html"));
}

TEST_F(AtomicFileTest, TwoWritersOfOneTargetDoNotMeet) {
    AtomicFile first(m_target);
    AtomicFile second(m_target);
    ASSERT_TRUE(first.Open());
    ASSERT_TRUE(second.Open());
    EXPECT_NE(first.TemporaryPath(), second.TemporaryPath());
    EXPECT_TRUE(first.Write("first"));
    EXPECT_TRUE(second.Write("second"));
    EXPECT_TRUE(first.Commit());
    EXPECT_TRUE(second.Commit());
    EXPECT_EQ(ReadBytes(m_target), "second");
}

TEST_F(AtomicFileTest, NothingIsWrittenWithoutOpenOrForAFolderName) {
    AtomicFile unopened(m_target);
    EXPECT_FALSE(unopened.Write("text"));
    EXPECT_FALSE(unopened.Commit());
    EXPECT_FALSE(fs::exists(m_target));
    AtomicFile folder(m_folder.Path() + "/");
    EXPECT_FALSE(folder.Open());
}

} // namespace
} // namespace kaldo
