#include "setup/ModelName.h"

#include "tests/setupsupport/SetupTestMachine.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;
using kaldo::testsupport::TempFolder;
using kaldo::testsupport::WriteBytes;

class ModelNameTest : public testing::Test {
protected:
    TempFolder m_folder;
};

TEST_F(ModelNameTest, NamesTheFirstContentFolderInData) {
    fs::create_directories(m_folder / "Data/presslane_c5000");
    fs::create_directories(m_folder / "Data/presslane_3000");
    WriteBytes(m_folder / "ktendwell", "x");
    EXPECT_EQ(kaldo::ModelName(m_folder.Path()), "presslane_3000");
}

TEST_F(ModelNameTest, OrderIgnoresCase) {
    fs::create_directories(m_folder / "Data/beta");
    fs::create_directories(m_folder / "Data/Alpha");
    EXPECT_EQ(kaldo::ModelName(m_folder.Path()), "Alpha");
}

TEST_F(ModelNameTest, FirstFolderOfTheInstallerFolderIsTakenWhateverItsName) {
    fs::create_directories(m_folder / "Data/presslane_3000");
    fs::create_directories(m_folder / "Assets/icons");
    EXPECT_EQ(kaldo::ModelName(m_folder.Path()), "icons");
}

TEST_F(ModelNameTest, FilesAreNoFolders) {
    WriteBytes(m_folder / "Data/readme.txt", "x");
    EXPECT_EQ(kaldo::ModelName(m_folder.Path()), "Tarnel XXXX");
}

TEST_F(ModelNameTest, InstallerFolderWithoutSubfoldersGivesTheFallback) {
    WriteBytes(m_folder / "tendwellinstall", "x");
    EXPECT_EQ(kaldo::ModelName(m_folder.Path()), "Tarnel XXXX");
    EXPECT_EQ(kaldo::ModelName(m_folder / "absent"), "Tarnel XXXX");
}

TEST(FormatTextTest, ReplacesThePlaceholderOnce) {
    EXPECT_EQ(kaldo::FormatText("content for the %s will", "Presslane 3000"),
              "content for the Presslane 3000 will");
    EXPECT_EQ(kaldo::FormatText("%s and %s", "a"), "a and ");
}

TEST(FormatTextTest, ValueIsNeverReadAsFormat) {
    EXPECT_EQ(kaldo::FormatText("message:%s.", "100%s done"), "message:100%s done.");
}

TEST(FormatTextTest, DoubledPercentIsOnePercent) {
    EXPECT_EQ(kaldo::FormatText("100%% of %s", "x"), "100% of x");
    EXPECT_EQ(kaldo::FormatText("ends in %", "x"), "ends in %");
}

} // namespace
