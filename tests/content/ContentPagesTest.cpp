#include "tests/content/ContentTestSupport.h"

#include "main/pages/HeaderPage.h"
#include "main/pages/index/IndexDocument.h"
#include "main/status/StatusDocuments.h"

#include <set>

namespace kaldo::testsupport {
namespace {

// Where `needle` first occurs in `text`, so tests can state an order.
size_t At(const std::string& text, const std::string& needle) {
    const size_t at = text.find(needle);
    EXPECT_NE(at, std::string::npos) << "missing: " << needle;
    return at;
}

bool Has(const std::string& text, const std::string& needle) {
    return text.find(needle) != std::string::npos;
}

// Text from a printer never turns into markup, script or style.
void ExpectNoInjectedMarkup(const std::string& html) {
    EXPECT_FALSE(Has(html, "<script"));
    EXPECT_FALSE(Has(html, "<b>Kaldo"));
    EXPECT_FALSE(Has(html, "<i>Black"));
    EXPECT_FALSE(Has(html, "<img src=x"));
    EXPECT_FALSE(Has(html, "onerror=\"alert"));
    EXPECT_FALSE(Has(html, "alert('3"));
    EXPECT_FALSE(Has(html, "background:url"));
}

class ContentPagesTest : public ::testing::TestWithParam<std::string> {
protected:
    ContentPagesTest()
        : m_content(GetParam()) {}

    std::string Footer(const std::string& document) {
        return m_content.Transform(ContentData(document), "status.xsl", "status.html");
    }

    // The trouble-solutions document built from this folder's solutions, the merged
    // configuration and, when given, a status document of the test data.
    std::string Solutions(const std::string& status) {
        const std::string output = m_content.Xml("solutions_combined.xml");
        EXPECT_EQ(
            kaldo::WriteSolutionsDocument(m_content.Xml("solutions.xml"),
                                          status.empty() ? std::string() : ContentData(status),
                                          output, "EN", m_content.Path("toolbox.xml")),
            ResultCode::Ok);
        return output;
    }

    // The index pages as the program builds them at start-up: two merges, the sort in place,
    // then the page and its frame.
    void BuildIndex() {
        ASSERT_EQ(m_content.MergeResult(), ResultCode::Ok);
        const IndexLabels labels{"Index", "0 - 9"};
        ASSERT_TRUE(kaldo::WriteIndexDocument(m_content.Xml("index_ug.xml"),
                                              m_content.Xml("index_docs.xml"), "",
                                              m_content.Xml("index_combined1.xml"), "EN", labels));
        ASSERT_TRUE(kaldo::WriteIndexDocument(
            m_content.Xml("index_combined1.xml"), m_content.Xml("index_toolbox.xml"),
            m_content.Path("toolbox.xml"), m_content.Xml("index_combined.xml"), "EN", labels));
        ASSERT_EQ(PageTransformer().Transform(m_content.Xml("index_combined.xml"),
                                              m_content.Xml("index_sort.xsl"),
                                              m_content.Xml("index_combined.xml")),
                  ResultCode::Ok);
    }

    // The three search pages from a results document of the test data.
    void Search(const std::string& document) { SearchResults(ReadBytes(ContentData(document))); }

    // The three search pages from the results document `text`.
    void SearchResults(const std::string& text) {
        const std::string results = m_content.Xml("search_results.xml");
        WriteBytes(results, text);
        ASSERT_EQ(PageTransformer().Transform(results, m_content.Xml("search_sort.xsl"), results),
                  ResultCode::Ok);
        m_search = m_content.Transform(results, "search.xsl", "search.html");
        m_hits = m_content.Transform(results, "search_content.xsl", "search_content.html");
    }

    InstalledContent m_content;
    std::string m_search;
    std::string m_hits;
};

TEST_P(ContentPagesTest, HeaderListsTheSelectedPrinterFirstAsSelectLinks) {
    const std::string html =
        m_content.Transform(ContentData("header.xml"), "header.xsl", "header.html");
    const size_t selected = At(html, "value=\"sp:Reception%203040\" selected");
    const size_t second = At(html, "value=\"sp:Office%20Printer\"");
    const size_t third = At(html, "value=\"sp:R%26D%20%232%20&lt;50%25&gt;\"");
    EXPECT_LT(selected, second);
    EXPECT_LT(second, third);
    EXPECT_EQ(Count(html, "value=\"sp:"), 3u);
    EXPECT_EQ(Count(html, " selected"), 1u);
    EXPECT_TRUE(Has(html, ">R&amp;D #2 &lt;50%&gt;</option>"));
    EXPECT_TRUE(Has(html, "name=\"keywords\" value=\"Enter Keywords\""));
    EXPECT_TRUE(Has(html, "<form method=\"get\">"));
    EXPECT_TRUE(Has(html, ">Kaldo Tendwell<"));
    EXPECT_TRUE(Has(html, ">Select Printer<"));
    EXPECT_TRUE(Has(html, "Kaldo Presslane 3040 PS"));
    EXPECT_TRUE(Has(html, "style=\"width:240px;height:40px\""));
    EXPECT_TRUE(Has(html, "src=\"images/caption.png\""));
}

// The hand-built printer list is the document the program writes for these printers.
TEST_P(ContentPagesTest, HeaderDocumentOfTheProgramMatchesTheHandBuiltOne) {
    const std::vector<PrinterListEntry> printers = {{"Office Printer", "Kaldo Presslane 3020 PS"},
                                                    {"Reception 3040", "Kaldo Presslane 3040 PS"},
                                                    {"R&D #2 <50%>", "Kaldo Presslane C5100 PS"}};
    const HeaderLabels labels{
        "Enter Keywords", "Kaldo Tendwell", "Select Printer", "Search", 240, 40};
    const HeaderPageFiles files{m_content.Xml("header.xml"), m_content.Xml("header.xsl"),
                                m_content.Ui("header.html")};
    ASSERT_EQ(BuildHeaderPage(printers, "Reception 3040", labels, "EN", files, PageTransformer()),
              ResultCode::Ok);
    EXPECT_EQ(ReadBytes(files.Xml), ReadBytes(ContentData("header.xml")));
    const std::string html = ReadBytes(files.Html);
    EXPECT_LT(At(html, "value=\"sp:Reception%203040\" selected"),
              At(html, "value=\"sp:Office%20Printer\""));
}

TEST_P(ContentPagesTest, FooterWithLiveStatusShowsPrinterLevelsAndLinks) {
    const std::string html = Footer("footer_status0_mono.xml");
    EXPECT_TRUE(Has(html, "href=\"util-rs:\""));
    EXPECT_TRUE(Has(html, "href=\"suppliesurl:\""));
    EXPECT_TRUE(Has(html, "href=\"pweb:config.html\""));
    EXPECT_TRUE(Has(html, ">Ready<"));
    EXPECT_TRUE(Has(html, "Kaldo Presslane 3020"));
    EXPECT_TRUE(Has(html, "192.168.1.40"));
    EXPECT_TRUE(Has(html, "style=\"width:80%\""));
    EXPECT_TRUE(Has(html, ">80%<"));
    EXPECT_TRUE(Has(html, ">Tray 1<"));
    EXPECT_TRUE(Has(html, ">20%<")) << "tray 1 holds 50 of 250 sheets";
    EXPECT_TRUE(Has(html, "src=\"images/images/status/ready.png\""))
        << "the icon the program fetched";
    EXPECT_TRUE(Has(html, "images/status/ready.png"));
    EXPECT_FALSE(Has(html, "What's New?")) << "no update available";
    EXPECT_FALSE(Has(html, "printermodelurl:"));
    EXPECT_FALSE(Has(html, "Collecting Status"));
}

TEST_P(ContentPagesTest, FooterOffersWhatsNewOnlyWhenUpdatesAreAvailable) {
    const std::string html = Footer("footer_status0_color_update.xml");
    EXPECT_TRUE(Has(html, "href=\"printermodelurl:\""));
    EXPECT_TRUE(Has(html, ">What's New?<"));
    for (const char* level : {">64%<", ">8%<", ">47%<", ">91%<"})
        EXPECT_TRUE(Has(html, level)) << level;
    for (const char* colour :
         {"class=\"cyan\"", "class=\"magenta\"", "class=\"yellow\"", "class=\"black\""})
        EXPECT_TRUE(Has(html, colour)) << colour;
    EXPECT_TRUE(Has(html, "Paper jam in tray 1 (+1)"));
    EXPECT_TRUE(Has(html, "status-text error"));
    EXPECT_TRUE(Has(html, ">Design Studio<"));
    EXPECT_TRUE(Has(html, ">2nd floor, room 214<"));
    EXPECT_TRUE(Has(html, ">100%<")) << "tray 2 is full";
}

TEST_P(ContentPagesTest, FooterLeavesOutTheAlertTheStatusTextAlreadySays) {
    std::string document = ReadBytes(ContentData("footer_status0_color_update.xml"));
    const std::string from = "<statusText>Paper jam</statusText>";
    ASSERT_NE(document.find(from), std::string::npos);
    document.replace(document.find(from), from.size(),
                     "<statusText>Paper jam in tray 1</statusText>");
    const std::string path = m_content.Xml("footer.xml");
    std::ofstream(path, std::ios::binary) << document;
    const std::string html = m_content.Transform(path, "status.xsl", "status.html");
    EXPECT_EQ(Count(html, ">Paper jam in tray 1<"), 1u);
    EXPECT_TRUE(Has(html, ">Cyan toner low<"));
    EXPECT_FALSE(Has(html, "(+"));
}

TEST_P(ContentPagesTest, FooterWhileCollectingShowsTheStatusTextAndNoLevels) {
    const std::string html = Footer("footer_status1.xml");
    EXPECT_TRUE(Has(html, ">Collecting Status<"));
    EXPECT_TRUE(Has(html, "class=\"spinner\""));
    EXPECT_TRUE(Has(html, "href=\"util-rs:\""));
    EXPECT_TRUE(Has(html, "href=\"suppliesurl:\""));
    EXPECT_FALSE(Has(html, "class=\"bar\""));
    EXPECT_FALSE(Has(html, "What's New?"));
}

TEST_P(ContentPagesTest, FooterExplainsAnUnavailableStatus) {
    const std::string network = Footer("footer_status2_network.xml");
    EXPECT_TRUE(Has(network, ">Status Unavailable<"));
    EXPECT_TRUE(Has(network, "192.168.1.40"));
    EXPECT_TRUE(Has(network, "icon-status-unavailable"));
    EXPECT_FALSE(Has(network, "class=\"bar\""));
    const std::string usb = Footer("footer_status2_usb.xml");
    EXPECT_TRUE(Has(usb, ">Status is not available using a USB connection.<"));
    EXPECT_TRUE(Has(usb, "printers connected to the network"));
    EXPECT_TRUE(Has(usb, "href=\"util-rs:\""));
}

TEST_P(ContentPagesTest, FooterWithoutTonerDisplayShowsOptionsInsteadOfLevels) {
    const std::string html = Footer("footer_status0_notoner.xml");
    EXPECT_FALSE(Has(html, ">80%<"));
    EXPECT_FALSE(Has(html, "class=\"bar\""));
    EXPECT_TRUE(Has(html, ">Hard Drive<"));
    EXPECT_TRUE(Has(html, ">Not Installed<"));
    EXPECT_TRUE(Has(html, ">Ready<"));
}

TEST_P(ContentPagesTest, FooterShowsPrinterTextOnlyAsText) {
    const std::string html = Footer("footer_status0_hostile.xml");
    ExpectNoInjectedMarkup(html);
    EXPECT_TRUE(Has(html, "&lt;script&gt;alert(4)&lt;/script&gt;"));
    EXPECT_TRUE(Has(html, "style=\"width:0%\"")) << "a level that is no number shows as empty";
    EXPECT_TRUE(Has(html, "this.src = 'images/status/unavailable.png'"))
        << "fallback icon from a fixed set";
}

TEST_P(ContentPagesTest, FooterShowsTheNoticeWithItsCharacters) {
    const std::string html = Footer("footer_status0_mono.xml");
    EXPECT_TRUE(Has(html, "\xc2\xa9 2024 Kaldo Corporation. All rights reserved."));
    EXPECT_FALSE(Has(html, "#169;"));
    EXPECT_TRUE(Has(html, "title=\"Kaldo Logo\""));
}

TEST_P(ContentPagesTest, CurrentProblemShowsTheSolutionsForWhatThePrinterReports) {
    const std::string html = m_content.Transform(Solutions("devicestatus_color_jam.xml"),
                                                 "current_problem.xsl", "current_problem.html");
    const size_t jam = At(html, ">Paper jam<");
    EXPECT_LT(jam, At(html, "Open the front cover and let the fuser area cool for a minute."));
    EXPECT_TRUE(Has(html, "href=\"video:&amp;FileName=clear_paper_jam.webm\""));
    EXPECT_TRUE(Has(html, "<strong>Paper jam in tray 1</strong>"));
    EXPECT_TRUE(Has(html, "<strong>Cyan toner low</strong>"));
    EXPECT_LT(jam, At(html, "<strong>Cyan toner low</strong>"))
        << "the error comes before the warning";
    EXPECT_FALSE(Has(html, ">Cover open<"));
    EXPECT_FALSE(Has(html, ">Printer offline<"));
    EXPECT_TRUE(Has(html, "<a href=\"tab#3\" class=\"active\">"));
    EXPECT_TRUE(Has(html, "href=\"page#1\" class=\"side-link active\""));
}

TEST_P(ContentPagesTest, CurrentProblemWithoutStatusOffersARefresh) {
    const std::string html =
        m_content.Transform(Solutions(""), "current_problem.xsl", "current_problem.html");
    EXPECT_TRUE(Has(html, "status is not available"));
    EXPECT_TRUE(Has(html, "href=\"util-rs:\""));
    EXPECT_TRUE(Has(html, "href=\"page#2\""));
    EXPECT_FALSE(Has(html, "Open the front cover"));
}

TEST_P(ContentPagesTest, CurrentProblemOfAReadyPrinterReportsNoProblems) {
    const std::string html = m_content.Transform(Solutions("devicestatus_mono_ready.xml"),
                                                 "current_problem.xsl", "current_problem.html");
    EXPECT_TRUE(Has(html, "No problems reported"));
    EXPECT_TRUE(Has(html, "<strong>Ready</strong>"));
    EXPECT_FALSE(Has(html, "class=\"problem error\""));
}

TEST_P(ContentPagesTest, CurrentProblemShowsPrinterTextOnlyAsText) {
    const std::string html = m_content.Transform(Solutions("devicestatus_hostile.xml"),
                                                 "current_problem.xsl", "current_problem.html");
    ExpectNoInjectedMarkup(html);
    EXPECT_TRUE(Has(html, "&lt;img src=x onerror=alert(5)&gt;"));
}

TEST_P(ContentPagesTest, SolutionsPageListsEverySolutionAndOpensTheReportedOnes) {
    const std::string html = m_content.Transform(Solutions("devicestatus_color_jam.xml"),
                                                 "solutions.xsl", "solutions.html");
    EXPECT_EQ(Count(html, "<details class=\"solution\""), 8u);
    EXPECT_EQ(Count(html, "<details class=\"solution\" open=\"open\">"), 2u);
    EXPECT_EQ(Count(html, "Reported now"), 2u);
    EXPECT_LT(At(html, ">Paper jam"), At(html, ">Cover open"));
    EXPECT_TRUE(Has(html, "href=\"page#2\" class=\"side-link active\""));
    const std::string quiet = m_content.Transform(Solutions(""), "solutions.xsl", "solutions.html");
    EXPECT_EQ(Count(quiet, "<details class=\"solution\""), 8u);
    EXPECT_FALSE(Has(quiet, "Reported now"));
}

TEST_P(ContentPagesTest, SortedIndexKeepsEntriesFirstAndTheConfigurationAfter) {
    BuildIndex();
    const XmlDocHandle sorted = ReadXmlFile(m_content.Xml("index_combined.xml"));
    ASSERT_TRUE(sorted);
    xmlNodePtr root = xmlDocGetRootElement(sorted.get());
    ASSERT_EQ(Name(root), "root");
    ASSERT_TRUE(root->children && root->children->type == XML_ELEMENT_NODE);
    EXPECT_EQ(Name(root->children), "WebWorksHelpIX");
    EXPECT_EQ(Attribute(root->children, "numerics"), "0 - 9");
    EXPECT_EQ(Elements(root, "Legend").size(), 1u);
    EXPECT_EQ(Elements(root, "TabInfo").size(), 1u);
    const auto titles = XPathValues(sorted.get(), "/root/WebWorksHelpIX/*/@t");
    EXPECT_GE(titles.size(), 150u);
    const std::set<std::string> distinct(titles.begin(), titles.end());
    EXPECT_EQ(distinct.size(), titles.size()) << "entries of one title are merged";
    for (size_t i = 1; i < titles.size(); ++i) {
        std::string a = titles[i - 1], b = titles[i];
        std::transform(a.begin(), a.end(), a.begin(), ::toupper);
        std::transform(b.begin(), b.end(), b.begin(), ::toupper);
        EXPECT_LE(a, b) << titles[i - 1] << " before " << titles[i];
    }
    // The merged "Paper jam" keeps the user guide's link and gains the other documents' video.
    EXPECT_EQ(
        XPathValues(sorted.get(), "/root/WebWorksHelpIX/*[@t='Paper jam']/*[@t='Video']").size(),
        1u);
}

TEST_P(ContentPagesTest, IndexPagesGroupEntriesByLetterWithDigitsFirst) {
    BuildIndex();
    const std::string page =
        m_content.Transform(m_content.Xml("index_combined.xml"), "index.xsl", "index.html");
    EXPECT_TRUE(Has(page, "src=\"index_content.html\""));
    EXPECT_TRUE(Has(page, "href=\"index_content.html#num\" target=\"entries\">0 - 9<"));
    EXPECT_TRUE(Has(page, "href=\"index_content.html#P\" target=\"entries\">P<"));
    EXPECT_TRUE(Has(page, "<span>X</span>")) << "no entry starts with X";
    EXPECT_TRUE(Has(page, "<a href=\"tab#4\" class=\"active\">Index</a>"));
    EXPECT_TRUE(Has(page, "User guide or document (PDF)")) << "the legend";
    const std::string entries = m_content.Transform(m_content.Xml("index_combined.xml"),
                                                    "index_content.xsl", "index_content.html");
    const size_t digits = At(entries, "id=\"num\"><h2>0 - 9</h2>");
    const size_t a = At(entries, "id=\"A\"><h2>A</h2>");
    const size_t p = At(entries, "id=\"P\"><h2>P</h2>");
    EXPECT_LT(digits, At(entries, ">2-sided printing</a>"));
    EXPECT_LT(At(entries, ">2-sided printing</a>"), a);
    EXPECT_LT(a, At(entries, ">Accessibility</a>"));
    EXPECT_LT(At(entries, ">Accessibility</a>"), At(entries, ">Address, IP</a>"));
    EXPECT_LT(p, At(entries, ">Paper jam</a>"));
    EXPECT_EQ(Count(entries, ">Paper jam</a>"), 1u);
    EXPECT_TRUE(Has(entries, "href=\"doc:&amp;FileName="));
    EXPECT_TRUE(Has(entries, "href=\"video:&amp;FileName=clear_paper_jam.webm\""));
    EXPECT_TRUE(Has(entries, "href=\"tab#3page#1\" target=\"_top\""));
    EXPECT_TRUE(Has(entries, "src=\"images/legend/pdf.png\""));
    EXPECT_TRUE(Has(entries, "class=\"badge\">Advanced<"));
}

TEST_P(ContentPagesTest, IndexPagesHandleUnusualEntries) {
    const std::string entries = m_content.Transform(ContentData("index_small.xml"),
                                                    "index_content.xsl", "index_content.html");
    EXPECT_LT(At(entries, ">2-sided printing</a>"), At(entries, ">802.11 wireless</a>"));
    EXPECT_LT(At(entries, "id=\"num\""), At(entries, "id=\"A\""));
    EXPECT_LT(At(entries, "id=\"P\""), At(entries, "id=\"T\""));
    EXPECT_TRUE(Has(entries, "id=\"\xc3\x89\"")) << "a letter outside A-Z keeps a group of its own";
    EXPECT_TRUE(Has(entries, ">Show page</a>"));
    EXPECT_FALSE(Has(entries, "printermodelurl:")) << "an entry without a title is not listed";
    const std::string page =
        m_content.Transform(ContentData("index_small.xml"), "index.xsl", "index.html");
    EXPECT_TRUE(Has(page, "href=\"index_content.html#T\""));
    EXPECT_TRUE(Has(page, "<span>B</span>"));
}

TEST_P(ContentPagesTest, SearchPagesShowTheHitsBestFirst) {
    Search("search_results_hits.xml");
    const XmlDocHandle sorted = ReadXmlFile(m_content.Xml("search_results.xml"));
    ASSERT_TRUE(sorted);
    const auto weights = XPathValues(sorted.get(), "/SearchResults/*/@weight");
    ASSERT_GE(weights.size(), 5u);
    for (size_t i = 1; i < weights.size(); ++i)
        EXPECT_GE(std::stoi(weights[i - 1]), std::stoi(weights[i]));
    EXPECT_EQ(Name(xmlDocGetRootElement(sorted.get())->children), "SearchString");
    EXPECT_EQ(XPathValues(sorted.get(), "/SearchResults/Legend").size(), 1u);

    EXPECT_TRUE(Has(m_search, "Search Results for: \xe2\x80\x9cpaper jam\xe2\x80\x9d"));
    EXPECT_TRUE(Has(m_search, "name=\"keywords\" value=\"paper jam\""));
    EXPECT_TRUE(Has(m_search, ">Search Again<"));
    EXPECT_TRUE(Has(m_search, "src=\"search_content.html\""));
    EXPECT_TRUE(Has(m_search, "Video tutorial")) << "the legend";
    EXPECT_TRUE(Has(m_search, "<a href=\"tab#5\" class=\"active\">"));
    EXPECT_TRUE(Has(m_search, "href=\"page#2\" class=\"side-link active\""));
    EXPECT_TRUE(Has(m_search, std::to_string(weights.size()) + " topics found"));

    const size_t first = At(m_hits, ">Paper jam</a>");
    EXPECT_LT(first, At(m_hits, ">Custom paper sizes</a>"));
    EXPECT_TRUE(Has(m_hits, "style=\"width:100%\"")) << "the best hit fills its bar";
    EXPECT_FALSE(Has(m_hits, "No Results Found"));
}

TEST_P(ContentPagesTest, LongSearchShowsTheBestHitsAndHowManyThereAre) {
    // Hits in index order, the best last.
    std::string results = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<SearchResults "
                          "codepage=\"utf-8\"><SearchString>toner</SearchString>"
                          "<SearchResultsString>Search Results for: </SearchResultsString>"
                          "<SearchAgainString>Search Again</SearchAgainString>"
                          "<NoResultsString>No Results Found</NoResultsString>";
    for (int weight = 1; weight <= 60; ++weight)
        results += "<Entry t=\"Topic " + std::to_string(weight) + "\" weight=\"" +
                   std::to_string(weight) + "\"><Link l=\"tab#2page#1\" icon=\"page\"/></Entry>";
    SearchResults(results + "</SearchResults>\n");

    EXPECT_TRUE(Has(m_search, "60 topics found"));
    EXPECT_EQ(Count(m_hits, "class=\"hit\""), 50u);
    EXPECT_LT(At(m_hits, ">Topic 60</a>"), At(m_hits, ">Topic 11</a>"));
    EXPECT_FALSE(Has(m_hits, ">Topic 10</a>"));
    EXPECT_TRUE(Has(m_hits, "60 hits; the 50 that match"));
    EXPECT_TRUE(Has(m_hits, "style=\"width:100%\""));

    // Up to a page's worth nothing is said.
    Search("search_results_hits.xml");
    EXPECT_FALSE(Has(m_hits, " that match"));
}

TEST_P(ContentPagesTest, SearchWithoutHitsShowsTheNoResultsText) {
    Search("search_results_none.xml");
    EXPECT_TRUE(Has(m_hits, ">No Results Found<"));
    EXPECT_TRUE(Has(m_hits, "href=\"tab#4\" target=\"_top\""));
    EXPECT_FALSE(Has(m_hits, "class=\"hit\""));
    EXPECT_TRUE(Has(m_search, "\xe2\x80\x9cxylophone\xe2\x80\x9d"));
    EXPECT_TRUE(Has(m_search, "No Results Found"));
}

TEST_P(ContentPagesTest, EmptySearchPageAsksForWords) {
    Search("search_results_empty.xml");
    EXPECT_TRUE(Has(m_hits, "Type a word in the search box"));
    EXPECT_TRUE(Has(m_hits, "href=\"util-search:paper%20jam\""));
    EXPECT_FALSE(Has(m_hits, "No Results Found"));
    EXPECT_TRUE(Has(m_search, "name=\"keywords\" value=\"\""));
    EXPECT_TRUE(Has(m_search, "User guide or document (PDF)"));
}

INSTANTIATE_TEST_SUITE_P(EveryFolder, ContentPagesTest, ::testing::ValuesIn(ContentFolderNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             return info.param;
                         });

} // namespace
} // namespace kaldo::testsupport
