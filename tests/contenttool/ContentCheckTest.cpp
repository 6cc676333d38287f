#include "contenttool/ContentCheck.h"
#include "tests/contenttool/ContentToolTestSupport.h"

namespace kaldo::testsupport {
namespace {

// The problems of a check as the lines it prints.
std::vector<std::string> CheckLines(const std::string& folder) {
    std::vector<std::string> lines;
    for (const ContentProblem& problem : CheckContentFolder(folder))
        lines.push_back(FormatProblem(problem));
    return lines;
}

// Whether one line names `path` and says `says`.
::testing::AssertionResult Reports(const std::vector<std::string>& lines, const std::string& path,
                                   const std::string& says) {
    for (const std::string& line : lines) {
        if (line.starts_with(path + ": ") && line.find(says) != std::string::npos)
            return ::testing::AssertionSuccess();
    }
    ::testing::AssertionResult failure = ::testing::AssertionFailure();
    failure << "no line for " << path << " saying \"" << says << "\" among:";
    for (const std::string& line : lines)
        failure << "\n  " << line;
    return failure;
}

class SampleCheckTest : public ::testing::TestWithParam<std::string> {
protected:
    SampleContent m_content;
};

TEST_P(SampleCheckTest, SampleContentHasNoProblem) {
    const std::string folder = m_content.Copy(GetParam());
    EXPECT_EQ(CheckLines(folder), std::vector<std::string>{});
}

TEST_P(SampleCheckTest, CheckWritesNothingIntoTheFolder) {
    const std::string folder = m_content.Copy(GetParam());
    const auto before = Snapshot(folder);
    CheckContentFolder(folder);
    EXPECT_EQ(Snapshot(folder), before);
}

// The installer places the folder under its Product_Folder name, whatever the author calls it.
TEST_P(SampleCheckTest, WorkingFolderOfAnotherNameIsCheckedAsInstalled) {
    const std::string folder = m_content.Copy(GetParam(), "work in progress");
    EXPECT_EQ(CheckLines(folder), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Content, SampleCheckTest,
                         ::testing::Values("presslane_3000", "presslane_c5000"));

class BrokenCheckTest : public ::testing::Test {
protected:
    BrokenCheckTest()
        : m_folder(m_content.Copy("presslane_3000")) {}

    std::string Path(const std::string& relative) const { return m_folder + "/" + relative; }

    SampleContent m_content;
    std::string m_folder;
};

TEST_F(BrokenCheckTest, MissingStylesheetIsNamed) {
    fs::remove(Path("xml/index_sort.xsl"));
    const auto lines = CheckLines(m_folder);
    EXPECT_TRUE(Reports(lines, Path("xml/index_sort.xsl"), "missing (<File_IndexSort_XSL>)"));
    // The index pages it prevents are not reported again.
    EXPECT_EQ(lines.size(), 1u) << lines.back();
}

TEST_F(BrokenCheckTest, AbsentOtherIndexesAreNotesNotProblems) {
    // The program builds the index from the user guide's alone.
    fs::remove(Path("xml/index_docs.xml"));
    fs::remove(Path("xml/index_toolbox.xml"));
    const std::vector<ContentProblem> findings = CheckContentFolder(m_folder);
    ASSERT_EQ(findings.size(), 2u);
    for (const ContentProblem& finding : findings)
        EXPECT_TRUE(finding.Note) << FormatProblem(finding);
    const auto lines = CheckLines(m_folder);
    EXPECT_EQ(lines[0], Path("xml/index_docs.xml") +
                            ": note: missing (<File_IndexNonUG>): the index is built without it");
    EXPECT_EQ(lines[1], Path("xml/index_toolbox.xml") +
                            ": note: missing (<File_IndexAUG>): the index is built without it");
}

TEST_F(BrokenCheckTest, EmptyOtherIndexNameIsANote) {
    EditFile(Path("toolboxinfo.xml"), "<File_IndexAUG>index_toolbox.xml</File_IndexAUG>",
             "<File_IndexAUG></File_IndexAUG>");
    const std::vector<ContentProblem> findings = CheckContentFolder(m_folder);
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_TRUE(findings[0].Note);
    EXPECT_EQ(FormatProblem(findings[0]),
              Path("toolboxinfo.xml") +
                  ": note: <File_IndexAUG> is missing or empty: the index is built without it");
}

TEST_F(BrokenCheckTest, OtherIndexThatDoesNotParseIsAProblem) {
    // A present index that does not parse stops the index build.
    WriteBytes(Path("xml/index_docs.xml"), "<WebWorksHelpIX><i t=\"a\">");
    const std::vector<ContentProblem> findings = CheckContentFolder(m_folder);
    ASSERT_FALSE(findings.empty());
    EXPECT_FALSE(findings[0].Note);
    EXPECT_TRUE(Reports(CheckLines(m_folder), Path("xml/index_docs.xml"), "not well-formed XML"));
}

TEST_F(BrokenCheckTest, StylesheetThatDoesNotCompileIsNamedWithTheReason) {
    fs::copy_file(ToolData("not_compiling.xsl"), Path("xml/header.xsl"),
                  fs::copy_options::overwrite_existing);
    const auto lines = CheckLines(m_folder);
    EXPECT_TRUE(Reports(lines, Path("xml/header.xsl"), "stylesheet does not compile"));
    EXPECT_TRUE(Reports(lines, Path("xml/header.xsl"), "printerlist/printer["));
    EXPECT_EQ(lines.size(), 1u);
}

TEST_F(BrokenCheckTest, StylesheetThatStopsTheTransformationNamesThePageItLeavesOut) {
    fs::copy_file(ToolData("terminating.xsl"), Path("xml/index_content.xsl"),
                  fs::copy_options::overwrite_existing);
    const auto lines = CheckLines(m_folder);
    EXPECT_TRUE(Reports(lines, Path("ui/index_content.html"), "not written by the index pages"));
    EXPECT_TRUE(Reports(lines, Path("ui/index_content.html"), "The index is not ready"));
}

TEST_F(BrokenCheckTest, MissingTabInfoIsTheOnlyProblem) {
    fs::remove(Path("tabinfo.xml"));
    EXPECT_EQ(CheckLines(m_folder), std::vector<std::string>{Path("tabinfo.xml") + ": missing"});
}

TEST_F(BrokenCheckTest, ModelDataWithoutDriverNameIsNamedWithItsLine) {
    EditFile(Path("toolboxinfo.xml"), "<DriverName>Kaldo Presslane 3040</DriverName>", "");
    const auto lines = CheckLines(m_folder);
    EXPECT_TRUE(Reports(lines, Path("toolboxinfo.xml"),
                        "line 13: <ModelData> for model \"KP3040\" has no <DriverName>"));
    EXPECT_EQ(lines.size(), 1u);
}

TEST_F(BrokenCheckTest, DriverNameOfAnEarlierModelHidesTheLaterOne) {
    EditFile(Path("toolboxinfo.xml"), "Kaldo Presslane 3040", "Kaldo Presslane 3020");
    EXPECT_TRUE(Reports(CheckLines(m_folder), Path("toolboxinfo.xml"),
                        "get model \"KP3020\", never \"KP3040\""));
}

TEST_F(BrokenCheckTest, MissingTabPageIsNamedWithItsTab) {
    fs::remove(Path("ui/howto.html"));
    EXPECT_EQ(CheckLines(m_folder),
              std::vector<std::string>{Path("ui/howto.html") +
                                       ": missing (page \"How-to\" of tab \"Guides and videos\")"});
}

TEST_F(BrokenCheckTest, MalformedToolboxInfoIsNamedWithTheLine) {
    EditFile(Path("toolboxinfo.xml"), "</ErrorStrings>", "</ErrorString>");
    const auto lines = CheckLines(m_folder);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(Reports(lines, Path("toolboxinfo.xml"), "not well-formed XML: line 32: "));
}

// The program merges the pieces chunk by chunk and looks for "<Body>" in the first chunk only.
TEST_F(BrokenCheckTest, BodyBeyondTheFirstChunkBreaksTheMergedConfiguration) {
    EditFile(Path("toolboxinfo.xml"), "<Body>", "<!-- " + std::string(300, ' ') + " -->\n<Body>");
    const auto lines = CheckLines(m_folder);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(Reports(lines, Path("toolbox.xml"),
                        "the configuration merged from toolboxinfo.xml and tabinfo.xml is not "
                        "well-formed XML (line "));
    EXPECT_FALSE(fs::exists(Path("toolbox.xml")));
}

TEST_F(BrokenCheckTest, MissingSectionAndErrorTextAreNamed) {
    EditFile(Path("toolboxinfo.xml"), "<Web>", "<Webs>");
    EditFile(Path("toolboxinfo.xml"), "</Web>", "</Webs>");
    EditFile(Path("toolboxinfo.xml"), "<Error_NoFlash_L10N>", "<Error_NoFlashText>");
    EditFile(Path("toolboxinfo.xml"), "</Error_NoFlash_L10N>", "</Error_NoFlashText>");
    const auto lines = CheckLines(m_folder);
    EXPECT_TRUE(Reports(lines, Path("toolboxinfo.xml"), "has no <Web> section"));
    EXPECT_TRUE(
        Reports(lines, Path("toolboxinfo.xml"), "<ErrorStrings> has no <Error_NoFlash_L10N>"));
    EXPECT_EQ(lines.size(), 2u);
}

TEST_F(BrokenCheckTest, MalformedIndexFileIsNamedOnce) {
    EditFile(Path("xml/index_ug.xml"), "</", "<");
    const auto lines = CheckLines(m_folder);
    EXPECT_TRUE(Reports(lines, Path("xml/index_ug.xml"), "not well-formed XML: line "));
    EXPECT_EQ(lines.size(), 1u) << lines.back();
}

TEST_F(BrokenCheckTest, MissingModelPictureIsNamed) {
    fs::remove(Path("ui/images/kp3040.png"));
    EXPECT_TRUE(Reports(CheckLines(m_folder), Path("ui/images/kp3040.png"),
                        "missing (<ModelGIF> of model \"KP3040\")"));
}

TEST_F(BrokenCheckTest, FolderThatLeadsOutOfTheContentIsRefused) {
    EditFile(Path("toolboxinfo.xml"), "<Video_Folder>video</Video_Folder>",
             "<Video_Folder>../../escaped</Video_Folder>");
    EXPECT_TRUE(Reports(CheckLines(m_folder), Path("toolboxinfo.xml"),
                        "<Video_Folder> \"../../escaped\" leads out of the content folder"));
}

TEST(ContentCheckTest, FolderWithoutConfigurationNamesBothPieces) {
    kaldo::testsupport::TempFolder empty;
    const auto lines = CheckLines(empty.Path());
    EXPECT_TRUE(Reports(lines, empty / "toolboxinfo.xml", "missing"));
    EXPECT_TRUE(Reports(lines, empty / "tabinfo.xml", "missing"));
}

} // namespace
} // namespace kaldo::testsupport
