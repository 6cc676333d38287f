#include "contenttool/XmlDiagnostics.h"
#include "tests/contenttool/ContentToolTestSupport.h"

namespace kaldo::testsupport {
namespace {

TEST(XmlDiagnosticsTest, WellFormedFileHasNoParseProblem) {
    EXPECT_EQ(XmlParseProblem(ToolData("status_ready.xml")), "");
}

TEST(XmlDiagnosticsTest, ParseProblemGivesTheLineAndTheParsersWords) {
    kaldo::testsupport::TempFolder folder;
    WriteBytes(folder / "broken.xml", "<?xml version=\"1.0\"?>\n<a>\n  <b>\n</a>\n");
    EXPECT_EQ(XmlParseProblem(folder / "broken.xml"),
              "line 4: Opening and ending tag mismatch: b line 3 and a");
}

TEST(XmlDiagnosticsTest, StylesheetProblemQuotesTheExpressionThatDoesNotCompile) {
    const std::string problem = StylesheetProblem(ToolData("not_compiling.xsl"));
    EXPECT_NE(problem.find("could not compile select expression 'printerlist/printer['"),
              std::string::npos)
        << problem;
}

TEST(XmlDiagnosticsTest, StylesheetThatStopsOnlyWhenRunCompiles) {
    EXPECT_EQ(StylesheetProblem(ToolData("terminating.xsl")), "");
}

TEST(XmlDiagnosticsTest, CaptureKeepsMessagesWithoutSourceExcerpts) {
    XmlErrorCapture capture;
    xmlGenericError(xmlGenericErrorContext, "file.xml:4: parser error : tag mismatch\n");
    xmlGenericError(xmlGenericErrorContext, "</a>\n");
    xmlGenericError(xmlGenericErrorContext, "   ^\n");
    xsltGenericError(xsltGenericErrorContext, "compilation error: line %d\n", 7);
    EXPECT_EQ(capture.Lines(), (std::vector<std::string>{"file.xml:4: parser error : tag mismatch",
                                                         "compilation error: line 7"}));
    capture.Clear();
    EXPECT_TRUE(capture.Lines().empty());
}

TEST(XmlDiagnosticsTest, JoinKeepsTheFirstLines) {
    EXPECT_EQ(JoinLines({"a", "b", "c", "d"}), "a; b; c");
    EXPECT_EQ(JoinLines({}), "");
}

} // namespace
} // namespace kaldo::testsupport
