#include "main/content/ContentFolders.h"

#include "ContentTestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace kaldo {
namespace {

namespace fs = std::filesystem;
using testsupport::ReadBytes;
using testsupport::ShellData;

class ContentFoldersTest : public testsupport::TempFolderTest {
protected:
    std::string ProgramFolder() const { return m_folder + "/"; }
    std::string Folder(const std::string& name) const { return Path("data/" + name); }
};

TEST_F(ContentFoldersTest, MergesEveryFolderAndNamesTheLastOne) {
    fs::create_directories(Folder("Zeta"));
    testsupport::CopyInto(ShellData("merge/toolboxinfo.xml"), Folder("Presslane/toolboxinfo.xml"));
    testsupport::CopyInto(ShellData("merge/tabinfo.xml"), Folder("Presslane/TabInfo.XML"));
    testsupport::CopyInto(ShellData("merge/toolboxinfo.xml"), Folder("Unfinished/toolboxinfo.xml"));
    testsupport::WriteBytes(Folder("readme.txt"), "not a content folder");

    const PreparedContent prepared = PrepareContentFolders(ProgramFolder(), "en");
    EXPECT_TRUE(prepared.Ok);
    EXPECT_EQ(prepared.ContentFolder, Folder("Zeta"));

    const std::string expected = ReadBytes(ShellData("merge/expected-toolbox.xml"));
    EXPECT_EQ(ReadBytes(Folder("Presslane/toolbox.xml")), expected);
    // A folder without its tab structure gets no half configuration.
    EXPECT_FALSE(fs::exists(Folder("Unfinished/toolbox.xml")));
    EXPECT_FALSE(fs::exists(Folder("Zeta/toolbox.xml")));
}

TEST_F(ContentFoldersTest, ExistingToolboxIsWrittenUnderItsOwnName) {
    testsupport::CopyInto(ShellData("merge/toolboxinfo.xml"), Folder("Presslane/ToolboxInfo.xml"));
    testsupport::CopyInto(ShellData("merge/tabinfo.xml"), Folder("Presslane/tabinfo.xml"));
    testsupport::WriteBytes(Folder("Presslane/ToolBox.xml"), "old");

    EXPECT_TRUE(PrepareContentFolders(ProgramFolder(), "EN").Ok);
    EXPECT_EQ(ReadBytes(Folder("Presslane/ToolBox.xml")),
              ReadBytes(ShellData("merge/expected-toolbox.xml")));
    EXPECT_FALSE(fs::exists(Folder("Presslane/toolbox.xml")));
}

TEST_F(ContentFoldersTest, EmptyDataFolderHasNoContentFolder) {
    fs::create_directories(Path("Data"));
    const PreparedContent prepared = PrepareContentFolders(ProgramFolder(), "EN");
    EXPECT_TRUE(prepared.Ok);
    EXPECT_EQ(prepared.ContentFolder, "");
}

TEST_F(ContentFoldersTest, MissingDataFolderFails) {
    const PreparedContent prepared = PrepareContentFolders(ProgramFolder(), "EN");
    EXPECT_FALSE(prepared.Ok);
    EXPECT_EQ(prepared.ContentFolder, "");
}

TEST_F(ContentFoldersTest, DataFileInsteadOfFolderFails) {
    testsupport::WriteBytes(Path("data"), "a file");
    EXPECT_FALSE(PrepareContentFolders(ProgramFolder(), "EN").Ok);
}

TEST_F(ContentFoldersTest, ListsOnlyFoldersInNameOrderWithoutRegardToCase) {
    for (const char* name : {"c", "Zeta", "A", "b", "alpha_2"})
        fs::create_directories(Folder(name));
    testsupport::WriteBytes(Folder("d.txt"), "");
    std::vector<std::string> folders;
    ASSERT_TRUE(ListContentFolders(ProgramFolder(), folders));
    EXPECT_EQ(folders, (std::vector<std::string>{Folder("A"), Folder("alpha_2"), Folder("b"),
                                                 Folder("c"), Folder("Zeta")}));
}

TEST_F(ContentFoldersTest, NamesDifferingOnlyInCaseKeepAFixedOrder) {
    for (const char* name : {"presslane", "Presslane", "PRESSLANE"})
        fs::create_directories(Folder(name));
    std::vector<std::string> folders;
    ASSERT_TRUE(ListContentFolders(ProgramFolder(), folders));
    EXPECT_EQ(folders, (std::vector<std::string>{Folder("PRESSLANE"), Folder("Presslane"),
                                                 Folder("presslane")}));
}

} // namespace
} // namespace kaldo
