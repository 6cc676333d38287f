#include "main/search/SearchPage.h"

#include "main/pages/ResultCodes.h"
#include "main/pages/XmlElements.h"
#include "tests/main/pages/index/SampleContent.h"
#include "tests/main/search/SearchTestSupport.h"

namespace kaldo::testsupport {
namespace {

const std::string kPrompt = "Enter Keywords";

class SearchPageTest : public SearchTest {
protected:
    void SetUp() override {
        SearchTest::SetUp();
        WriteIndex("<Entry t=\"Paper Jam\"><Link l=\"p\"/></Entry><Entry t=\"Toner\"/>");
        m_files = {
            Path("index.xml"),           SearchData("synonyms.xml"),  Path("results.xml"),
            SearchData("sort_mark.xsl"), SearchData("summary.xsl"),   SearchData("summary.xsl"),
            Path("search.html"),         Path("search_content.html"), Path("tab_search.html")};
    }

    SearchPageResult Run(const std::string& keywords) {
        return BuildSearchPages(m_search, "EN", keywords, kPrompt, kLabels, m_files, m_transformer);
    }

    std::unique_ptr<KeywordSearch> m_search;
    SearchPageFiles m_files;
    PageTransformer m_transformer;
};

TEST_F(SearchPageTest, KeywordsAreSearchedSortedAndTransformedIntoBothPages) {
    const SearchPageResult result = Run("paper jam");
    EXPECT_FALSE(result.Prompt);
    EXPECT_EQ(result.Search, ResultCode::Ok);
    EXPECT_EQ(result.Sorted, ResultCode::Ok);
    EXPECT_EQ(result.Page, ResultCode::Ok);
    EXPECT_EQ(result.Content, ResultCode::Ok);
    EXPECT_EQ(result.Show, Path("tab_search.html"));
    for (const char* page : {"search.html", "search_content.html"}) {
        const std::string html = ReadBytes(Path(page));
        EXPECT_NE(html.find("<h1>paper jam</h1>"), std::string::npos) << page;
        EXPECT_NE(html.find("<p class=\"hits\">1</p>"), std::string::npos) << page;
        EXPECT_NE(html.find("<p class=\"sorted\">yes</p>"), std::string::npos)
            << page << " is made from the sorted results";
    }
}

TEST_F(SearchPageTest, EngineIsCreatedOnFirstSearchAndKept) {
    Run("toner");
    ASSERT_NE(m_search, nullptr);
    const KeywordSearch* first = m_search.get();
    Run("paper");
    EXPECT_EQ(m_search.get(), first);
    EXPECT_TRUE(m_search->HoldsSynonyms());
}

TEST_F(SearchPageTest, UntouchedPromptGivesTheEmptySearchPage) {
    const SearchPageResult result = Run(kPrompt);
    EXPECT_TRUE(result.Prompt);
    EXPECT_EQ(result.Search, ResultCode::Ok);
    EXPECT_EQ(result.Page, ResultCode::Ok);
    EXPECT_NE(ReadBytes(Path("search.html")).find("<h1></h1>"), std::string::npos);
    EXPECT_NE(ReadBytes(Path("search.html")).find("<p class=\"hits\">0</p>"), std::string::npos);
    ASSERT_NE(m_search, nullptr);
    EXPECT_FALSE(m_search->HoldsSynonyms()) << "the empty page reads no synonyms";
}

TEST_F(SearchPageTest, PromptIsComparedWithCase) {
    const SearchPageResult result = Run("enter keywords");
    EXPECT_FALSE(result.Prompt);
    EXPECT_NE(ReadBytes(Path("search.html")).find("<h1>enter keywords</h1>"), std::string::npos);
}

TEST_F(SearchPageTest, EmptyKeywordsRerenderThePreviousResults) {
    ASSERT_EQ(Run("toner").Search, ResultCode::Ok);
    const SearchPageResult result = Run("");
    EXPECT_EQ(result.Search, ResultCode::MissingArgument);
    EXPECT_EQ(result.Page, ResultCode::Ok);
    EXPECT_NE(ReadBytes(Path("search.html")).find("<h1>toner</h1>"), std::string::npos);
}

TEST_F(SearchPageTest, EveryTransformationRunsWhateverTheOthersReport) {
    m_files.SortStylesheet = SearchData("broken.xsl");
    m_files.PageStylesheet = SearchData("missing.xsl");
    const SearchPageResult result = Run("toner");
    EXPECT_EQ(result.Search, ResultCode::Ok);
    EXPECT_EQ(result.Sorted, ResultCode::TransformParseXsl);
    EXPECT_EQ(result.Page, ResultCode::TransformParseXsl);
    EXPECT_EQ(result.Content, ResultCode::Ok);
    EXPECT_NE(ReadBytes(Path("search_content.html")).find("<p class=\"sorted\"></p>"),
              std::string::npos);
    EXPECT_EQ(result.Show, Path("tab_search.html"));
    EXPECT_NE(ReadBytes(Path("results.xml")).find("<Entry t=\"Toner\" weight=\"10\"/>"),
              std::string::npos)
        << "without sorting, the results file holds the results as searched";
}

TEST_F(SearchPageTest, ResultsFileHoldsTheSortedResults) {
    ASSERT_EQ(Run("toner").Sorted, ResultCode::Ok);
    const XmlDocHandle results = ReadXmlFile(Path("results.xml"));
    ASSERT_NE(results, nullptr);
    EXPECT_TRUE(AttributeText(xmlDocGetRootElement(results.get()), "sorted").has_value())
        << "the sort stylesheet's output, not the search's";
}

TEST_F(SearchPageTest, FailedSearchWithoutResultsFileStillReportsEachTransformation) {
    m_files.Index = Path("missing_index.xml");
    const SearchPageResult result = Run("toner");
    EXPECT_EQ(result.Search, ResultCode::ParseInput);
    EXPECT_EQ(result.Sorted, ResultCode::TransformParseXml);
    EXPECT_EQ(result.Page, ResultCode::TransformParseXml);
    EXPECT_EQ(result.Content, ResultCode::TransformParseXml);
    EXPECT_FALSE(Exists("search.html"));
}

// The whole way over the sample content: the index pages as at start-up, then searches as
// the header's search box sends them, with the program's English texts.
class SampleSearchTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_content.Ready());
        ToolboxConfig& config = m_content.Config();
        ASSERT_EQ(BuildIndexPages(m_content.IndexFiles(), SampleContent::EnglishIndexLabels(),
                                  config.Language_L10N(), m_transformer),
                  ResultCode::Ok);
        const FileNames names = config.Files();
        m_files = {m_content.Xml(names.File_IndexCombined2),
                   m_content.Xml(names.File_Synonym),
                   m_content.Xml(names.File_Search),
                   m_content.Xml(names.File_SearchSort_XSL),
                   m_content.Xml(names.File_Search_XSL),
                   m_content.Xml(names.File_SearchContent_XSL),
                   m_content.Ui(names.File_Search_HTML),
                   m_content.Ui(names.File_SearchContent),
                   m_content.Ui(config.PageFile(config.SearchTab(), config.SearchPage()))};
        const StringTable strings = MainStringTable("en_US.UTF-8");
        m_prompt = strings.Text(118);
        m_labels = {strings.Text(121), strings.Text(122), strings.Text(123)};
    }

    SearchPageResult Run(const std::string& keywords) {
        const SearchPageResult result =
            BuildSearchPages(m_search, m_content.Config().Language_L10N(), keywords, m_prompt,
                             m_labels, m_files, m_transformer);
        m_page = ReadBytes(m_files.Page);
        m_hits = ReadBytes(m_files.ContentPage);
        return result;
    }

    SampleContent m_content;
    PageTransformer m_transformer;
    SearchPageFiles m_files;
    std::string m_prompt;
    SearchLabels m_labels;
    std::unique_ptr<KeywordSearch> m_search;
    std::string m_page;
    std::string m_hits;
};

TEST_F(SampleSearchTest, PaperJamFindsTheVideoAndGuideTopicsBestFirst) {
    const SearchPageResult result = Run("paper+jam");
    EXPECT_EQ(result.Search, ResultCode::Ok);
    EXPECT_EQ(result.Sorted, ResultCode::Ok);
    EXPECT_EQ(result.Page, ResultCode::Ok);
    EXPECT_EQ(result.Content, ResultCode::Ok);
    EXPECT_EQ(result.Show, m_files.Page) << "the search tab's page is the search page";

    EXPECT_TRUE(Contains(m_page, "Search Results for: \xE2\x80\x9Cpaper+jam\xE2\x80\x9D"));
    EXPECT_TRUE(Contains(m_page, "topics found, the best matches first."));
    EXPECT_TRUE(Contains(m_page, "value=\"paper+jam\""));
    EXPECT_TRUE(Contains(m_page, ">Search and support<")) << "the tabs come with the legend";

    EXPECT_TRUE(Contains(m_hits, "class=\"hit\""));
    EXPECT_TRUE(Contains(m_hits, "href=\"video:&amp;FileName=clear_paper_jam.webm\""));
    EXPECT_TRUE(Contains(m_hits, "Paper jam"));
    EXPECT_TRUE(Contains(m_hits, "style=\"width:100%\""));

    const XmlDocHandle sorted = ReadXmlFile(m_files.Results);
    ASSERT_NE(sorted, nullptr);
    std::vector<int> weights;
    for (xmlNodePtr hit = xmlDocGetRootElement(sorted.get())->children; hit; hit = hit->next) {
        if (xmlHasProp(hit, XmlText("weight")))
            weights.push_back(std::stoi(TakeXmlString(xmlGetProp(hit, XmlText("weight")))));
    }
    ASSERT_GE(weights.size(), 2u);
    EXPECT_EQ(weights.front(), 20) << "the entry titled Paper jam comes first";
    EXPECT_TRUE(std::is_sorted(weights.rbegin(), weights.rend()));
}

TEST_F(SampleSearchTest, SynonymFindsTopicsWithoutTheTypedWord) {
    Run("misfeed");
    EXPECT_TRUE(Contains(m_hits, "Paper jam")) << "misfeed is a synonym of jam";
}

TEST_F(SampleSearchTest, PromptShowsTheEmptySearchPage) {
    const SearchPageResult result = Run(m_prompt);
    EXPECT_TRUE(result.Prompt);
    EXPECT_EQ(result.Content, ResultCode::Ok);
    EXPECT_TRUE(Contains(m_hits, "Type a word in the search box"));
    EXPECT_TRUE(Contains(m_hits, "href=\"util-search:paper%20jam\""));
    EXPECT_TRUE(Contains(m_page, "<h1>Search</h1>"));
    EXPECT_FALSE(Contains(m_hits, "class=\"hit\""));
}

TEST_F(SampleSearchTest, UnknownWordShowsNoResultsFound) {
    Run("xylophone");
    EXPECT_TRUE(Contains(m_hits, "No Results Found"));
    EXPECT_TRUE(Contains(m_page, "No Results Found"));
    EXPECT_FALSE(Contains(m_hits, "class=\"hit\""));
}

} // namespace
} // namespace kaldo::testsupport
