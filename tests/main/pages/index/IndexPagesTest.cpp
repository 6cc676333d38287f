#include "main/pages/index/IndexPages.h"

#include "main/pages/ResultCodes.h"
#include "tests/main/pages/PagesTestSupport.h"
#include "tests/main/pages/index/SampleContent.h"

namespace kaldo::testsupport {
namespace {

std::string IndexData(const std::string& name) {
    return std::string(KALDO_TEST_DATA_DIR) + "/index/" + name;
}

class IndexPagesTest : public TempFolderTest {
protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        m_files = {IndexData("ug.xml"),        IndexData("docs.xml"),   IndexData("third.xml"),
                   Path("combined1.xml"),      Path("combined.xml"),    IndexData("reverse.xsl"),
                   IndexData("titles.xsl"),    IndexData("titles.xsl"), Path("index.html"),
                   Path("index_content.html"), IndexData("config.xml")};
    }

    ResultCode Build() { return BuildIndexPages(m_files, {"Index", "0 - 9"}, "EN", m_transformer); }

    IndexPageFiles m_files;
    PageTransformer m_transformer;
};

TEST_F(IndexPagesTest, BuildsBothMergesThenSortsAndMakesThePagesFromTheSortedIndex) {
    ASSERT_EQ(Build(), ResultCode::Ok);
    EXPECT_EQ(ReadBytes(Path("combined1.xml")).find("<root>"), std::string::npos);
    const std::string combined = ReadBytes(Path("combined.xml"));
    EXPECT_NE(combined.find("<root><WebWorksHelpIX version=\"2.5\""), std::string::npos);
    EXPECT_NE(combined.find("<Legend>"), std::string::npos);

    // The stand-in sort reverses the entries; both pages show them reversed.
    for (const char* page : {"index.html", "index_content.html"}) {
        const std::string html = ReadBytes(Path(page));
        const size_t home = html.find("<p>Home</p>");
        const size_t zebra = html.find("<p>Zebra</p>");
        const size_t paper = html.find("<p>Paper jam</p>");
        ASSERT_NE(home, std::string::npos) << page;
        ASSERT_NE(paper, std::string::npos) << page;
        EXPECT_LT(home, zebra) << page;
        EXPECT_LT(zebra, paper) << page;
    }
}

TEST_F(IndexPagesTest, MissingUserGuideIndexGives701AndTouchesNoPage) {
    m_files.UserGuideIndex = Path("missing.xml");
    WriteBytes(Path("index.html"), "old page");
    EXPECT_EQ(Build(), ResultCode::IndexMerge);
    EXPECT_FALSE(Exists("combined1.xml"));
    EXPECT_FALSE(Exists("combined.xml"));
    EXPECT_EQ(ReadBytes(Path("index.html")), "old page");
    EXPECT_FALSE(Exists("index_content.html"));
}

TEST_F(IndexPagesTest, SecondMergeFailureGives701AndKeepsThePreviousCombinedIndex) {
    m_files.ThirdIndex = IndexData("broken.xml");
    WriteBytes(Path("combined.xml"), "previous index");
    EXPECT_EQ(Build(), ResultCode::IndexMerge);
    EXPECT_EQ(ReadBytes(Path("combined.xml")), "previous index");
    EXPECT_FALSE(Exists("index.html"));
}

TEST_F(IndexPagesTest, WithoutTheOtherIndexesTheIndexHoldsTheUserGuideAndTheConfiguration) {
    m_files.DocumentsIndex = Path("missing_docs.xml");
    m_files.ThirdIndex = Path("missing_third.xml");
    ASSERT_EQ(Build(), ResultCode::Ok);
    const std::string html = ReadBytes(Path("index.html"));
    EXPECT_NE(html.find("<p>Paper jam</p>"), std::string::npos);
    EXPECT_EQ(html.find("<p>Zebra</p>"), std::string::npos);
    EXPECT_EQ(html.find("<p>Home</p>"), std::string::npos);
    EXPECT_NE(ReadBytes(Path("combined.xml")).find("<TabInfo>"), std::string::npos);
}

TEST_F(IndexPagesTest, BrokenSortStylesheetGives502AndBuildsNoPage) {
    m_files.SortStylesheet = IndexData("broken.xsl");
    EXPECT_EQ(Build(), ResultCode::TransformParseXsl);
    EXPECT_TRUE(Exists("combined.xml"));
    EXPECT_FALSE(Exists("index.html"));
    EXPECT_FALSE(Exists("index_content.html"));
}

TEST_F(IndexPagesTest, SortWithoutResultGives503) {
    m_files.SortStylesheet = IndexData("no_result.xsl");
    EXPECT_EQ(Build(), ResultCode::TransformApply);
    EXPECT_FALSE(Exists("index.html"));
}

TEST_F(IndexPagesTest, FailingIndexPageStopsBeforeTheContentPage) {
    m_files.PageStylesheet = IndexData("broken.xsl");
    EXPECT_EQ(Build(), ResultCode::TransformParseXsl);
    EXPECT_FALSE(Exists("index_content.html"));
}

TEST_F(IndexPagesTest, ContentPageThatCannotBeSavedGives504) {
    m_files.ContentPage = Path("no/such/folder/index_content.html");
    EXPECT_EQ(Build(), ResultCode::TransformSave);
    EXPECT_TRUE(Exists("index.html"));
}

TEST_F(IndexPagesTest, MissingStylesheetNameGives500) {
    m_files.ContentStylesheet.clear();
    EXPECT_EQ(Build(), ResultCode::MissingArgument);
}

TEST(IndexPagesSampleTest, SampleContentGivesIndexPageWithLettersAndEntriesWithLinks) {
    SampleContent content;
    ASSERT_TRUE(content.Ready());
    const IndexPageFiles files = content.IndexFiles();
    const IndexLabels labels = SampleContent::EnglishIndexLabels();
    ASSERT_EQ(labels.Heading, "Index");
    ASSERT_EQ(BuildIndexPages(files, labels, content.Config().Language_L10N(), PageTransformer()),
              ResultCode::Ok);

    const std::string page = ReadBytes(files.Page);
    EXPECT_TRUE(Contains(page, "<title>Index</title>"));
    EXPECT_TRUE(Contains(page, "href=\"index_content.html#num\""));
    EXPECT_TRUE(Contains(page, ">0 - 9</a>"));
    EXPECT_TRUE(Contains(page, "href=\"index_content.html#P\""));
    EXPECT_TRUE(Contains(page, "href=\"index_content.html#W\""));
    EXPECT_TRUE(Contains(page, "src=\"index_content.html\""));
    EXPECT_TRUE(Contains(page, ">Troubleshooting<")) << "tabs come from the configuration";

    const std::string entries = ReadBytes(files.ContentPage);
    EXPECT_TRUE(Contains(entries, "id=\"num\""));
    EXPECT_TRUE(Contains(entries, "2-sided printing"));
    EXPECT_TRUE(Contains(entries, "Paper jam")) << "titles begin with a capital";
    EXPECT_TRUE(Contains(entries, "href=\"video:&amp;FileName=clear_paper_jam.webm\""));
    EXPECT_TRUE(Contains(entries, "href=\"tab#3page#1\""));
    EXPECT_TRUE(Contains(entries, "Administrator Guide"));
}

} // namespace
} // namespace kaldo::testsupport
