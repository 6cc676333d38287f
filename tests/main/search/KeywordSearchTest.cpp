#include "main/search/KeywordSearch.h"

#include "main/pages/ResultCodes.h"
#include "tests/main/search/SearchTestSupport.h"
#include "tests/support/ChildProcess.h"

namespace kaldo::testsupport {
namespace {

using Words = std::vector<std::string>;

const std::string kPaperJam =
    "<Entry t=\"Paper Jam\">"
    "<Link l=\"doc:&amp;FileName=guide\" icon=\"pdf\" tblink=\"tab#3page#1\" "
    "level=\"2\" extra=\"x\">text</Link>"
    "<Entry t=\"Tray 2\"><Link l=\"doc:a\" icon=\"pdf\"/></Entry>"
    "<Entry t=\"Empty\"/>"
    "</Entry>";

TEST_F(SearchTest, WholeTopLevelEntryIsWrittenWithItsWeightExactly) {
    WriteIndex(kPaperJam + "<Entry t=\"Toner\"><Link l=\"t\"/></Entry>");
    ASSERT_EQ(Search("paper jam"), ResultCode::Ok);
    EXPECT_EQ(Results(),
              Expected("paper jam", "<Entry t=\"Paper Jam\" weight=\"20\">"
                                    "<Link l=\"doc:&amp;FileName=guide\" icon=\"pdf\" "
                                    "tblink=\"tab#3page#1\" level=\"2\"/>"
                                    "<Entry t=\"Tray 2\"><Link l=\"doc:a\" icon=\"pdf\"/></Entry>"
                                    "<Entry t=\"Empty\"/>"
                                    "</Entry>"));
}

TEST_F(SearchTest, SubEntriesOfAnUnmatchedEntryGiveOneHitEach) {
    WriteIndex("<Entry t=\"Network\"><Link l=\"n\"/>"
               "<Entry t=\"print queue\"><Link l=\"a\"/></Entry>"
               "<Entry t=\"speed\"><Link l=\"s\"/></Entry>"
               "<Entry t=\"reprinting\"><Link l=\"b\" icon=\"web\"/></Entry></Entry>");
    ASSERT_EQ(Search("print"), ResultCode::Ok);
    EXPECT_EQ(Results(),
              Expected("print", "<Entry t=\"Network\" weight=\"7\">"
                                "<Entry t=\"print queue\"><Link l=\"a\"/></Entry></Entry>"
                                "<Entry t=\"Network\" weight=\"4\">"
                                "<Entry t=\"reprinting\"><Link l=\"b\" icon=\"web\"/>"
                                "</Entry></Entry>"));
}

TEST_F(SearchTest, MatchedTopLevelEntryGivesNoSeparateSubEntryHits) {
    WriteIndex("<Entry t=\"Print\"><Entry t=\"print queue\"><Link l=\"a\"/></Entry></Entry>");
    ASSERT_EQ(Search("print"), ResultCode::Ok);
    EXPECT_EQ(Results(), Expected("print", "<Entry t=\"Print\" weight=\"10\">"
                                           "<Entry t=\"print queue\"><Link l=\"a\"/></Entry>"
                                           "</Entry>"));
}

TEST_F(SearchTest, TopLevelEntryWithoutTitleCarriesNeitherTitleNorWeight) {
    WriteIndex("<Entry><Entry t=\"print queue\"><Link l=\"q\"/></Entry></Entry>");
    ASSERT_EQ(Search("print"), ResultCode::Ok);
    EXPECT_EQ(Results(),
              Expected("print", "<Entry><Entry t=\"print queue\"><Link l=\"q\"/></Entry></Entry>"));
}

TEST_F(SearchTest, HitsStayInIndexOrderWhateverTheirWeight) {
    WriteIndex("<Entry t=\"Printers\"/><Entry t=\"Print\"/><Entry t=\"Fax\"/>");
    ASSERT_EQ(Search("print"), ResultCode::Ok);
    EXPECT_EQ(Results(), Expected("print", "<Entry t=\"Printers\" weight=\"5\"/>"
                                           "<Entry t=\"Print\" weight=\"10\"/>"));
}

TEST_F(SearchTest, TitledSubEntryTakesItsFirstElementAsLeafWhateverComesBefore) {
    WriteIndex("<Entry t=\"Jam\"><Entry t=\"tray\"> <!-- note --> text"
               "<Leaf l=\"x\" level=\"1\" tblink=\"t\"/><Link l=\"second\"/></Entry>"
               "<Entry t=\"door\">only text</Entry></Entry>");
    ASSERT_EQ(Search("jam"), ResultCode::Ok);
    EXPECT_EQ(Results(), Expected("jam", "<Entry t=\"Jam\" weight=\"10\">"
                                         "<Entry t=\"tray\"><Leaf l=\"x\" tblink=\"t\" "
                                         "level=\"1\"/></Entry>"
                                         "<Entry t=\"door\"/></Entry>"));
}

TEST_F(SearchTest, NoHitsGiveLabelsAndLegendOnly) {
    WriteIndex(kPaperJam);
    ASSERT_EQ(Search("toner"), ResultCode::Ok);
    EXPECT_EQ(Results(), Expected("toner", ""));
}

TEST_F(SearchTest, LegendIsCopiedWithEveryElementAfterItButNothingBefore) {
    WriteIndex(kPaperJam, "<Legend><Item><Icon>pdf</Icon><Empty/></Item></Legend>"
                          "<TabInfo><Tab><ID>0</ID></Tab></TabInfo><Web><URL>u</URL></Web>");
    ASSERT_EQ(Search("toner"), ResultCode::Ok);
    EXPECT_EQ(Results(),
              Expected("toner", "",
                       "<Legend><Item><Icon>pdf</Icon></Item></Legend>"
                       "<TabInfo><Tab><ID>0</ID></Tab></TabInfo><Web><URL>u</URL></Web>"));
    EXPECT_EQ(Results().find("DriverName"), std::string::npos);
}

TEST_F(SearchTest, IndexWithoutLegendStillGivesACompleteDocument) {
    WriteIndex(kPaperJam, "<TabInfo><Default>0</Default></TabInfo>");
    ASSERT_EQ(Search("toner"), ResultCode::Ok);
    EXPECT_EQ(Results(), Expected("toner", "", ""));
}

TEST_F(SearchTest, EmptyKeywordsWriteNothing) {
    WriteIndex(kPaperJam);
    WriteBytes(Path("results.xml"), "previous results");
    EXPECT_EQ(Search(""), ResultCode::MissingArgument);
    EXPECT_EQ(Results(), "previous results");
}

TEST_F(SearchTest, SeparatorsOnlyAreSearchedAsNoWords) {
    WriteIndex(kPaperJam);
    ASSERT_EQ(Search(" + "), ResultCode::Ok);
    EXPECT_TRUE(m_engine.TypedWords().empty());
    EXPECT_EQ(Results(), Expected(" + ", ""));
}

TEST_F(SearchTest, IndexThatDoesNotParseWritesNothing) {
    WriteBytes(Path("results.xml"), "previous results");
    EXPECT_EQ(m_engine.Search(SearchData("broken.xml"), Path("none.xml"), "jam",
                              Path("results.xml"), kLabels),
              ResultCode::ParseInput);
    EXPECT_FALSE(m_engine.HoldsIndex());
    EXPECT_EQ(Results(), "previous results");
}

TEST_F(SearchTest, IndexWithoutEntryContainerFailsAndKeepsThePreviousResults) {
    WriteBytes(Path("index.xml"), "<root>only text<!-- and a comment --></root>");
    WriteBytes(Path("results.xml"), "previous results");
    EXPECT_EQ(Search("jam"), ResultCode::NoRoot);
    EXPECT_EQ(Results(), "previous results");
    EXPECT_EQ(testsupport::FolderNames(m_folder),
              (std::vector<std::string>{"index.xml", "results.xml"}));
}

TEST_F(SearchTest, ResultsInMissingFolderFail) {
    WriteIndex(kPaperJam);
    EXPECT_EQ(m_engine.Search(Path("index.xml"), Path("none.xml"), "jam", Path("no/results.xml"),
                              kLabels),
              ResultCode::WriterCreate);
}

TEST_F(SearchTest, KeywordsAndLabelsWithMarkupAreEscaped) {
    WriteIndex("<Entry t=\"A &amp; B\"/>");
    const SearchLabels labels{"<b>Results</b> for ", "Again & again", "\"None\""};
    ASSERT_EQ(m_engine.Search(Path("index.xml"), Path("none.xml"), "<b>&amp;", Path("results.xml"),
                              labels),
              ResultCode::Ok);
    const XmlDocHandle results = ReadXmlFile(Path("results.xml"));
    ASSERT_NE(results, nullptr);
    xmlNodePtr node = xmlDocGetRootElement(results.get())->children;
    EXPECT_EQ(TakeXmlString(xmlNodeGetContent(node)), "<b>&amp;");
    EXPECT_EQ(TakeXmlString(xmlNodeGetContent(node->next)), "<b>Results</b> for ");
    EXPECT_EQ(TakeXmlString(xmlNodeGetContent(node->next->next)), "Again & again");
    EXPECT_EQ(TakeXmlString(xmlNodeGetContent(node->next->next->next)), "\"None\"");
}

TEST_F(SearchTest, KeywordsThatAreNoUtf8FailAndKeepThePreviousResults) {
    WriteIndex(kPaperJam);
    WriteBytes(Path("results.xml"), "previous results");
    EXPECT_NE(Search("jam\xFF"), ResultCode::Ok);
    EXPECT_EQ(Results(), "previous results");
}

TEST_F(SearchTest, UnicodeKeywordsAreKeptByteForByte) {
    WriteIndex("<Entry t=\"Mon \xC3\xA9"
               "cran\"/>");
    ASSERT_EQ(Search("\xC3\xA9"
                     "cran"),
              ResultCode::Ok);
    EXPECT_EQ(Results(), Expected("\xC3\xA9"
                                  "cran",
                                  "<Entry t=\"Mon \xC3\xA9"
                                  "cran\" weight=\"10\"/>"));
}

TEST_F(SearchTest, TitlesOfAnyLengthAreMatchedAndWrittenWhole) {
    const std::string head(3000, 'x');
    const std::string title = head + " toner " + std::string(2000, 'y');
    const std::string atLimit = std::string(1019, 'z') + " jam";   // 1023 bytes
    const std::string overLimit = std::string(1020, 'z') + " jam"; // 1024 bytes
    WriteIndex("<Entry t=\"" + title + "\"/><Entry t=\"" + atLimit + "\"/><Entry t=\"" + overLimit +
               "\"/>");
    ASSERT_EQ(Search("toner jam"), ResultCode::Ok);
    EXPECT_EQ(Results(),
              Expected("toner jam", "<Entry t=\"" + title + "\" weight=\"10\"/>" + "<Entry t=\"" +
                                        atLimit + "\" weight=\"10\"/>" + "<Entry t=\"" + overLimit +
                                        "\" weight=\"10\"/>"));
}

TEST_F(SearchTest, SynonymListStartsWithTheWordAndAddsEachMatchingGroupOnce) {
    WriteIndex(kPaperJam);
    ASSERT_EQ(Search("jam", SearchData("synonyms.xml")), ResultCode::Ok);
    EXPECT_EQ(m_engine.TypedWords(), Words{"jam"});
    ASSERT_EQ(m_engine.SynonymLists().size(), 1u);
    EXPECT_EQ(m_engine.SynonymLists()[0], (Words{"jam", "jam", "Jam", "misfeed"}));
}

TEST_F(SearchTest, GroupOfManyEqualItemsGivesAListAsLongAsTheGroup) {
    WriteIndex(kPaperJam);
    std::string synonyms = "<Synonyms><Group>";
    for (int i = 0; i < 2000; ++i)
        synonyms += "<Item>jam</Item>";
    synonyms += "</Group></Synonyms>";
    WriteBytes(Path("many.xml"), synonyms);
    ASSERT_EQ(Search("jam jam", Path("many.xml")), ResultCode::Ok);
    ASSERT_EQ(m_engine.SynonymLists().size(), 2u);
    EXPECT_EQ(m_engine.SynonymLists()[0].size(), 2001u);
    EXPECT_EQ(m_engine.ScoreTitle("Paper Jam", 1), 20);
}

TEST_F(SearchTest, SynonymItemsMatchTheWordWithoutRegardToAsciiCase) {
    WriteIndex(kPaperJam);
    ASSERT_EQ(Search("JAM paper \xC3\xA9"
                     "cran",
                     SearchData("synonyms.xml")),
              ResultCode::Ok);
    const auto& lists = m_engine.SynonymLists();
    ASSERT_EQ(lists.size(), 3u);
    EXPECT_EQ(lists[0], (Words{"JAM", "jam", "Jam", "misfeed"}));
    EXPECT_EQ(lists[1], (Words{"paper", "PAPER", "media"})) << "only Item children of Groups";
    EXPECT_EQ(lists[2], (Words{"\xC3\xA9"
                               "cran"}))
        << "no folding beyond ASCII";
}

TEST_F(SearchTest, SynonymTextHasEntitiesReplacedAndEmptyItemsLeftOut) {
    WriteIndex(kPaperJam);
    ASSERT_EQ(Search("cartridge \xC3\x89"
                     "CRAN",
                     SearchData("synonyms.xml")),
              ResultCode::Ok);
    const auto& lists = m_engine.SynonymLists();
    ASSERT_EQ(lists.size(), 2u);
    EXPECT_EQ(lists[0], (Words{"cartridge", "toner", "cartridge"}));
    EXPECT_EQ(lists[1], (Words{"\xC3\x89"
                               "CRAN",
                               "\xC3\x89"
                               "CRAN",
                               "screen"}));
    ASSERT_EQ(Search("dinner", SearchData("synonyms.xml")), ResultCode::Ok);
    EXPECT_EQ(m_engine.SynonymLists()[0], (Words{"dinner", "fish & chips", "dinner"}));
}

TEST_F(SearchTest, WithoutSynonymFileEachWordIsItsOnlySynonym) {
    WriteIndex(kPaperJam);
    ASSERT_EQ(Search("jam jam"), ResultCode::Ok);
    EXPECT_FALSE(m_engine.HoldsSynonyms());
    EXPECT_EQ(m_engine.TypedWords(), (Words{"jam", "jam"}));
    EXPECT_EQ(m_engine.SynonymLists(), (std::vector<Words>{{"jam"}, {"jam"}}));
}

// Each content folder has its own synonyms; the same file is parsed once.
TEST_F(SearchTest, SynonymsStayHeldForTheSamePathAndAreReplacedForAnother) {
    WriteIndex(kPaperJam);
    std::filesystem::copy_file(SearchData("synonyms.xml"), Path("synonyms.xml"));
    ASSERT_EQ(Search("jam", Path("synonyms.xml")), ResultCode::Ok);
    std::filesystem::copy_file(SearchData("other_synonyms.xml"), Path("synonyms.xml"),
                               std::filesystem::copy_options::overwrite_existing);
    ASSERT_EQ(Search("jam", Path("synonyms.xml")), ResultCode::Ok);
    EXPECT_EQ(m_engine.SynonymLists()[0], (Words{"jam", "jam", "Jam", "misfeed"}))
        << "the held synonyms are used again";

    ASSERT_EQ(Search("jam", SearchData("other_synonyms.xml")), ResultCode::Ok);
    EXPECT_EQ(m_engine.SynonymLists()[0], (Words{"jam", "jam", "blockage"}));
}

TEST_F(SearchTest, SynonymFileThatDoesNotParseIsTriedAgainLater) {
    WriteIndex(kPaperJam);
    ASSERT_EQ(Search("jam", SearchData("broken.xml")), ResultCode::Ok);
    EXPECT_FALSE(m_engine.HoldsSynonyms());
    ASSERT_EQ(Search("jam", SearchData("other_synonyms.xml")), ResultCode::Ok);
    EXPECT_EQ(m_engine.SynonymLists()[0], (Words{"jam", "jam", "blockage"}));
}

TEST_F(SearchTest, IndexStaysHeldForTheSamePathAndIsReplacedForAnother) {
    WriteIndex("<Entry t=\"Toner\"/>");
    ASSERT_EQ(Search("toner"), ResultCode::Ok);
    WriteIndex("<Entry t=\"Fax\"/>");
    ASSERT_EQ(Search("toner"), ResultCode::Ok);
    EXPECT_EQ(Results(), Expected("toner", "<Entry t=\"Toner\" weight=\"10\"/>"))
        << "the held index is searched again";

    std::filesystem::copy_file(Path("index.xml"), Path("other.xml"));
    ASSERT_EQ(
        m_engine.Search(Path("other.xml"), Path("none.xml"), "fax", Path("results.xml"), kLabels),
        ResultCode::Ok);
    EXPECT_EQ(Results(), Expected("fax", "<Entry t=\"Fax\" weight=\"10\"/>"));
}

TEST_F(SearchTest, TwoTypedWordsInOneTitleAddUp) {
    WriteIndex(kPaperJam);
    ASSERT_EQ(Search("paper jam"), ResultCode::Ok);
    EXPECT_EQ(m_engine.ScoreTitle("Paper Jam", 1), 20);
    EXPECT_EQ(m_engine.ScoreTitle("Paper Jam", 2), 14);
    EXPECT_EQ(m_engine.ScoreTitle("papers jammed", 1), 10);
    EXPECT_EQ(m_engine.ScoreTitle("toner", 1), 0);
}

TEST_F(SearchTest, TypedWordScoresByLevelAndMatch) {
    WriteIndex(kPaperJam);
    ASSERT_EQ(Search("print"), ResultCode::Ok);
    EXPECT_EQ(m_engine.ScoreTitle("Print", 1), 10);
    EXPECT_EQ(m_engine.ScoreTitle("printer", 1), 5);
    EXPECT_EQ(m_engine.ScoreTitle("Print", 2), 7);
    EXPECT_EQ(m_engine.ScoreTitle("printer", 2), 4);
    EXPECT_EQ(m_engine.ScoreTitle("Reprint and print", 1), 5);
    ASSERT_EQ(Search("abc"), ResultCode::Ok);
    EXPECT_EQ(m_engine.ScoreTitle("abc1", 1), 10);
}

TEST_F(SearchTest, SynonymOnlyMatchesScoreLess) {
    WriteIndex(kPaperJam);
    ASSERT_EQ(Search("jam", SearchData("synonyms.xml")), ResultCode::Ok);
    EXPECT_EQ(m_engine.ScoreTitle("Misfeed at tray", 1), 9);
    EXPECT_EQ(m_engine.ScoreTitle("misfeeds", 1), 3);
    EXPECT_EQ(m_engine.ScoreTitle("Misfeed at tray", 2), 6);
    EXPECT_EQ(m_engine.ScoreTitle("misfeeds", 2), 2);
}

TEST_F(SearchTest, FirstMatchingSynonymCountsNotTheBestOne) {
    WriteIndex(kPaperJam);
    ASSERT_EQ(Search("jam", SearchData("synonyms.xml")), ResultCode::Ok);
    EXPECT_EQ(m_engine.ScoreTitle("jammed misfeed", 1), 5)
        << "the typed word matches inside a word before the synonym is tried";
}

TEST_F(SearchTest, SynonymThatIsAlsoATypedWordCountsAsTyped) {
    WriteIndex(kPaperJam);
    ASSERT_EQ(Search("jam misfeed", SearchData("synonyms.xml")), ResultCode::Ok);
    EXPECT_EQ(m_engine.ScoreTitle("misfeed", 1), 20);
}

TEST_F(SearchTest, WordTypedTwiceCountsTwice) {
    WriteIndex(kPaperJam);
    ASSERT_EQ(Search("jam+jam"), ResultCode::Ok);
    EXPECT_EQ(m_engine.ScoreTitle("Paper Jam", 1), 20);
}

TEST_F(SearchTest, SynonymHitsAreWrittenWithTheirWeights) {
    WriteIndex("<Entry t=\"Misfeeds\"><Entry t=\"paper misfeed\"><Link l=\"m\"/></Entry></Entry>"
               "<Entry t=\"Tray\"><Entry t=\"media misfeed\"><Link l=\"t\"/></Entry></Entry>");
    ASSERT_EQ(Search("jam paper", SearchData("synonyms.xml")), ResultCode::Ok);
    EXPECT_EQ(Results(),
              Expected("jam paper", "<Entry t=\"Misfeeds\" weight=\"3\">"
                                    "<Entry t=\"paper misfeed\"><Link l=\"m\"/></Entry></Entry>"
                                    "<Entry t=\"Tray\" weight=\"12\">"
                                    "<Entry t=\"media misfeed\"><Link l=\"t\"/></Entry></Entry>"));
}

class EmptySearchPageTest : public SearchTest {};

TEST_F(EmptySearchPageTest, WritesLabelsAndLegendWithoutDeclarationExactly) {
    WriteIndex(kPaperJam);
    ASSERT_EQ(m_engine.WriteEmpty(Path("index.xml"), Path("results.xml"), kLabels), ResultCode::Ok);
    EXPECT_EQ(Results(), "<SearchResults codepage=\"UTF-8\"><SearchString></SearchString>" +
                             kLabelElements + kTail + "</SearchResults>\n");
}

TEST_F(EmptySearchPageTest, IndexWithRootOnlyGivesLabelsOnly) {
    WriteBytes(Path("index.xml"), "<root/>");
    ASSERT_EQ(m_engine.WriteEmpty(Path("index.xml"), Path("results.xml"), kLabels), ResultCode::Ok);
    EXPECT_EQ(Results(), "<SearchResults codepage=\"UTF-8\"><SearchString></SearchString>" +
                             kLabelElements + "</SearchResults>\n");
}

TEST_F(EmptySearchPageTest, IndexThatDoesNotParseWritesNothing) {
    WriteBytes(Path("results.xml"), "previous results");
    EXPECT_EQ(m_engine.WriteEmpty(SearchData("broken.xml"), Path("results.xml"), kLabels),
              ResultCode::ParseInput);
    EXPECT_EQ(m_engine.WriteEmpty("", Path("results.xml"), kLabels), ResultCode::MissingArgument);
    EXPECT_EQ(Results(), "previous results");
}

TEST_F(EmptySearchPageTest, LeavesTheWordsOfTheLastSearchInPlace) {
    WriteIndex(kPaperJam);
    ASSERT_EQ(Search("paper jam"), ResultCode::Ok);
    ASSERT_EQ(m_engine.WriteEmpty(Path("index.xml"), Path("results.xml"), kLabels), ResultCode::Ok);
    EXPECT_EQ(m_engine.TypedWords(), (Words{"paper", "jam"}));
}

TEST(KeywordSearchEncodingTest, EveryLanguageWritesUtf8) {
    EXPECT_EQ(KeywordSearch("EN").Encoding(), "UTF-8");
    EXPECT_EQ(KeywordSearch("ko").Encoding(), "UTF-8");
    EXPECT_EQ(KeywordSearch("xx-long").Encoding(), "UTF-8");
    EXPECT_EQ(KeywordSearch("").Encoding(), "UTF-8");
}

} // namespace
} // namespace kaldo::testsupport
