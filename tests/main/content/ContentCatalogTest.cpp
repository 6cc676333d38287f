#include "main/content/ContentCatalog.h"

#include "ContentTestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace kaldo {
namespace {

namespace fs = std::filesystem;
using testsupport::ReadBytes;
using testsupport::ShellData;

// A program folder whose "Data" folder holds the catalogue's sample content folders.
class ContentCatalogTest : public testsupport::TempFolderTest {
protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        for (const char* name : {"beta", "alpha", "korean", "broken"})
            testsupport::CopyInto(ShellData(std::string("catalog/") + name + "/toolbox.xml"),
                                  Folder(name) + "/toolbox.xml");
        fs::create_directories(Folder("empty"));
        testsupport::WriteBytes(Folder("notes.txt"), "not a content folder");
    }

    std::string ProgramFolder() const { return m_folder + "/"; }
    std::string Folder(const std::string& name) const { return Path("Data/" + name); }
};

TEST_F(ContentCatalogTest, ListsEntriesInFolderAndModelDataOrder) {
    const ContentCatalog catalog(ProgramFolder());
    std::vector<std::string> rows;
    for (const ContentEntry& entry : catalog.Entries())
        rows.push_back(entry.DriverName + "|" + entry.Folder + "|" + entry.Model);
    const std::vector<std::string> expected{
        "Kaldo Presslane 4200|" + Folder("alpha") + "|Presslane 4200",
        "Kaldo Presslane 5200 Series|" + Folder("alpha") + "|Presslane 5200",
        "|" + Folder("alpha") + "|Blank",
        "Kaldo Presslane 4200|" + Folder("beta") + "|Presslane 4200 Beta",
        "Kaldo Presslane 4200 PS|" + Folder("beta") + "|Presslane 4200 PS",
        "Kaldo Presslane 4200 KR|" + Folder("korean") + "|Presslane 4200 한국어",
    };
    EXPECT_EQ(rows, expected);
}

TEST_F(ContentCatalogTest, SameDriverNameInTwoFoldersGivesTheFirstFolder) {
    const ContentCatalog catalog(ProgramFolder());
    std::string folder, model;
    ASSERT_TRUE(catalog.Lookup("Kaldo Presslane 4200", folder, model));
    EXPECT_EQ(folder, Folder("alpha"));
    EXPECT_EQ(model, "Presslane 4200");
}

TEST_F(ContentCatalogTest, FolderOrderDisregardsCase) {
    // "Zeta" sorts before "alpha" by bytes, after it without regard to case.
    testsupport::CopyInto(ShellData("catalog/beta/toolbox.xml"), Folder("Zeta") + "/toolbox.xml");
    const ContentCatalog catalog(ProgramFolder());
    std::string folder, model;
    ASSERT_TRUE(catalog.Lookup("Kaldo Presslane 4200", folder, model));
    EXPECT_EQ(folder, Folder("alpha"));
}

TEST_F(ContentCatalogTest, ExactMatchBeatsAnEarlierSubstringMatch) {
    const ContentCatalog catalog(ProgramFolder());
    std::string folder, model;
    ASSERT_TRUE(catalog.Lookup("Kaldo Presslane 4200 PS", folder, model));
    EXPECT_EQ(folder, Folder("beta"));
    EXPECT_EQ(model, "Presslane 4200 PS");
}

TEST_F(ContentCatalogTest, DriverNameWithSuffixMatchesBySubstring) {
    const ContentCatalog catalog(ProgramFolder());
    std::string folder, model;
    ASSERT_TRUE(catalog.Lookup("Kaldo Presslane 5200 Series Deutsch", folder, model));
    EXPECT_EQ(folder, Folder("alpha"));
    EXPECT_EQ(model, "Presslane 5200");
}

TEST_F(ContentCatalogTest, LastDriverNameOfAModelDataCounts) {
    const ContentCatalog catalog(ProgramFolder());
    std::string folder = "unchanged", model = "unchanged";
    EXPECT_FALSE(catalog.Lookup("Kaldo Presslane 5200", folder, model));
    EXPECT_EQ(folder, "unchanged");
    EXPECT_EQ(model, "unchanged");
}

TEST_F(ContentCatalogTest, LookupIsCaseSensitive) {
    const ContentCatalog catalog(ProgramFolder());
    std::string folder, model;
    EXPECT_FALSE(catalog.Lookup("kaldo presslane 4200", folder, model));
}

TEST_F(ContentCatalogTest, EmptyDriverNameMatchesOnlyExactly) {
    const ContentCatalog catalog(ProgramFolder());
    std::string folder, model;
    EXPECT_FALSE(catalog.Lookup("Kaldo Unknown", folder, model));
    ASSERT_TRUE(catalog.Lookup("", folder, model));
    EXPECT_EQ(model, "Blank");
}

TEST_F(ContentCatalogTest, KoreanEncodingNameIsRewrittenOnDiskBeforeParsing) {
    const ContentCatalog catalog(ProgramFolder());
    std::string folder, model;
    ASSERT_TRUE(catalog.Lookup("Kaldo Presslane 4200 KR", folder, model));
    EXPECT_EQ(model, "Presslane 4200 한국어");
    const std::string onDisk = ReadBytes(Folder("korean") + "/toolbox.xml");
    EXPECT_EQ(onDisk.find("ks_c_5601"), std::string::npos);
    EXPECT_EQ(
        onDisk.rfind("<?xml version=\"1.0\" encoding=\"EUC-KR\"?>\n<!-- saved as EUC-KR -->", 0),
        0u);
}

TEST_F(ContentCatalogTest, FoldersWithoutReadableToolboxContributeNothing) {
    const ContentCatalog catalog(ProgramFolder());
    for (const ContentEntry& entry : catalog.Entries()) {
        EXPECT_NE(entry.Folder, Folder("broken"));
        EXPECT_NE(entry.Folder, Folder("empty"));
    }
}

TEST_F(ContentCatalogTest, LowerCaseDataFolderIsFoundToo) {
    fs::rename(Path("Data"), Path("data"));
    const ContentCatalog catalog(ProgramFolder());
    ASSERT_FALSE(catalog.Entries().empty());
    EXPECT_EQ(catalog.Entries().front().Folder, Path("data/alpha"));
}

TEST_F(ContentCatalogTest, MissingDataFolderGivesAnEmptyCatalogue) {
    const ContentCatalog catalog(Path("elsewhere/"));
    EXPECT_TRUE(catalog.Entries().empty());
    std::string folder, model;
    EXPECT_FALSE(catalog.Lookup("Kaldo Presslane 4200", folder, model));
}

TEST_F(ContentCatalogTest, CopyAnswersLikeTheOriginal) {
    ContentCatalog copy;
    {
        const ContentCatalog original(ProgramFolder());
        copy = original;
    }
    std::string folder, model;
    ASSERT_TRUE(copy.Lookup("Kaldo Presslane 4200 PS", folder, model));
    EXPECT_EQ(folder, Folder("beta"));
}

} // namespace
} // namespace kaldo
