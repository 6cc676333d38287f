#include "main/net/PartFile.h"

#include "tests/main/net/TestFiles.h"
#include "tests/platform/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>

namespace kaldo {
namespace {

using kaldo::testing::ReadFile;
using kaldo::testing::TempFolder;
namespace fs = std::filesystem;

class PartFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(m_folder.Path().empty()); }
    std::string Target() const { return m_folder / "status.xml"; }
    TempFolder m_folder;
};

TEST_F(PartFileTest, CommitPutsTheWrittenTextInPlace) {
    PartFile part(Target());
    ASSERT_TRUE(part.open());
    EXPECT_TRUE(part.write("<devicexml>"));
    EXPECT_TRUE(part.write("</devicexml>"));
    EXPECT_FALSE(fs::exists(Target()));
    EXPECT_TRUE(part.commit());
    EXPECT_EQ(ReadFile(Target()), "<devicexml></devicexml>");
    EXPECT_EQ(std::distance(fs::directory_iterator(m_folder.Path()), fs::directory_iterator()), 1);
}

TEST_F(PartFileTest, WritesBesideTheTargetUnderAHiddenName) {
    PartFile part(Target());
    ASSERT_TRUE(part.open());
    const fs::path temporary = part.temporaryPath();
    EXPECT_EQ(temporary.parent_path(), fs::path(m_folder.Path()));
    EXPECT_TRUE(temporary.filename().string().starts_with(".status.xml.part-"));
    EXPECT_TRUE(fs::exists(temporary));
}

TEST_F(PartFileTest, UncommittedFileLeavesTheTargetAsItWas) {
    kaldo::testing::WriteFile(Target(), "previous status");
    {
        PartFile part(Target());
        ASSERT_TRUE(part.open());
        part.write("half a docu");
    }
    EXPECT_EQ(ReadFile(Target()), "previous status");
    EXPECT_EQ(std::distance(fs::directory_iterator(m_folder.Path()), fs::directory_iterator()), 1);
}

TEST_F(PartFileTest, TwoPartFilesForOneTargetDoNotMeet) {
    PartFile first(Target());
    PartFile second(Target());
    ASSERT_TRUE(first.open());
    ASSERT_TRUE(second.open());
    EXPECT_NE(first.temporaryPath(), second.temporaryPath());
    first.write("first");
    second.write("second");
    EXPECT_TRUE(first.commit());
    EXPECT_TRUE(second.commit());
    EXPECT_EQ(ReadFile(Target()), "second");
}

TEST_F(PartFileTest, NoFileInAMissingFolder) {
    PartFile part(m_folder / "missing/status.xml");
    EXPECT_FALSE(part.open());
    EXPECT_FALSE(part.write("text"));
    EXPECT_FALSE(part.commit());
}

TEST_F(PartFileTest, NoFileForAFolderName) {
    PartFile part(m_folder.Path() + "/");
    EXPECT_FALSE(part.open());
}

TEST_F(PartFileTest, CommitWithoutOpenFails) {
    PartFile part(Target());
    EXPECT_FALSE(part.commit());
    EXPECT_FALSE(fs::exists(Target()));
}

TEST_F(PartFileTest, CommittedFileHasTheUsualModeOfANewFile) {
    const mode_t mask = ::umask(022);
    ::umask(mask);
    PartFile part(Target());
    ASSERT_TRUE(part.open());
    ASSERT_TRUE(part.commit());
    struct stat info {};
    ASSERT_EQ(::stat(Target().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0666 & ~mask);
}

} // namespace
} // namespace kaldo
