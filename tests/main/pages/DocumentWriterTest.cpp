#include "main/pages/DocumentWriter.h"

#include "PagesTestSupport.h"
#include "main/pages/ResultCodes.h"
#include "tests/support/ChildProcess.h"

#include <gtest/gtest.h>

#include <string>

namespace kaldo {
namespace {

using testsupport::DataFile;
using testsupport::ReadBytes;
using testsupport::WriteBytes;

constexpr std::string_view kDeclaration = "<?xml version=\"1.0\" encoding =\"UTF-8\"?>";

class DocumentWriterTest : public testsupport::TempFolderTest {};

// Writes <printerlist><Code_Page>UTF-8</Code_Page><printer>...</printer></printerlist>.
void WriteSmallDocument(xmlTextWriterPtr writer) {
    ASSERT_EQ(DocumentWriter::StartElement(writer, "printerlist"), ResultCode::Ok);
    ASSERT_EQ(DocumentWriter::WriteElement(writer, "Code_Page", std::string("UTF-8")),
              ResultCode::Ok);
    ASSERT_EQ(DocumentWriter::StartElement(writer, "printer"), ResultCode::Ok);
    ASSERT_EQ(DocumentWriter::WriteElement(writer, "printername", std::string("Büro <2> & Co")),
              ResultCode::Ok);
    ASSERT_EQ(DocumentWriter::WriteElement(writer, "CaptionText_Width", 0), ResultCode::Ok);
    ASSERT_EQ(DocumentWriter::EndElement(writer), ResultCode::Ok);
}

TEST_F(DocumentWriterTest, MemoryDocumentStartsWithExactDeclarationAndNoLineBreak) {
    MemoryDocument document;
    ASSERT_EQ(document.Start(), ResultCode::Ok);
    WriteSmallDocument(document.Writer());

    ASSERT_EQ(document.WriteToFile("UTF-8", Path("printers.xml")), ResultCode::Ok);

    const std::string expected = std::string(kDeclaration) +
                                 "<printerlist><Code_Page>UTF-8</Code_Page><printer>"
                                 "<printername>Büro &lt;2&gt; &amp; Co</printername>"
                                 "<CaptionText_Width>0</CaptionText_Width>"
                                 "</printer></printerlist>\n";
    EXPECT_EQ(ReadBytes(Path("printers.xml")), expected);
}

TEST_F(DocumentWriterTest, MemoryDocumentToUnopenableFileGivesParseInput) {
    MemoryDocument document;
    ASSERT_EQ(document.Start(), ResultCode::Ok);
    WriteSmallDocument(document.Writer());
    EXPECT_EQ(document.WriteToFile("UTF-8", Path("missing/printers.xml")), ResultCode::ParseInput);
}

TEST_F(DocumentWriterTest, MemoryDocumentThatWasNotStartedCannotBeFinished) {
    MemoryDocument document;
    EXPECT_EQ(document.WriteToFile("UTF-8", Path("printers.xml")), ResultCode::WriterEndDocument);
    EXPECT_FALSE(Exists("printers.xml"));
}

TEST_F(DocumentWriterTest, MemoryDocumentIsParsedBackForSecondStage) {
    MemoryDocument stage;
    ASSERT_EQ(stage.Start(), ResultCode::Ok);
    WriteSmallDocument(stage.Writer());

    XmlDocHandle parsed;
    ASSERT_EQ(stage.Parse("UTF-8", parsed), ResultCode::Ok);
    ASSERT_TRUE(parsed);
    xmlNodePtr root = xmlDocGetRootElement(parsed.get());
    ASSERT_NE(root, nullptr);
    EXPECT_STREQ(CharText(root->name), "printerlist");
    EXPECT_EQ(TakeXmlString(xmlNodeGetContent(root)), "UTF-8Büro <2> & Co0");
    EXPECT_STREQ(CharText(parsed->encoding), "UTF-8");
}

TEST_F(DocumentWriterTest, UnbalancedMemoryDocumentFailsToParseBack) {
    MemoryDocument stage;
    ASSERT_EQ(stage.Start(), ResultCode::Ok);
    // Text outside any element cannot be a document.
    ASSERT_GE(xmlTextWriterWriteString(stage.Writer(), XmlText("loose text")), 0);
    XmlDocHandle parsed;
    EXPECT_EQ(stage.Parse("UTF-8", parsed), ResultCode::ParseInput);
    EXPECT_FALSE(parsed);
}

TEST_F(DocumentWriterTest, FileDocumentDeclaresEncodingThroughWriter) {
    FileDocument document;
    ASSERT_EQ(document.Start(Path("solutions.xml"), "UTF-8"), ResultCode::Ok);
    WriteSmallDocument(document.Writer());
    ASSERT_EQ(document.Finish(), ResultCode::Ok);

    const std::string written = ReadBytes(Path("solutions.xml"));
    EXPECT_EQ(written.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<printerlist>", 0), 0u)
        << written;
    EXPECT_NE(written.find("<printername>Büro &lt;2&gt; &amp; Co</printername>"),
              std::string::npos);
}

TEST_F(DocumentWriterTest, FileDocumentEncodesInDeclaredEncoding) {
    FileDocument document;
    ASSERT_EQ(document.Start(Path("latin.xml"), "ISO-8859-1"), ResultCode::Ok);
    ASSERT_EQ(DocumentWriter::WriteElement(document.Writer(), "name", std::string("Größe")),
              ResultCode::Ok);
    ASSERT_EQ(document.Finish(), ResultCode::Ok);

    EXPECT_NE(ReadBytes(Path("latin.xml"))
                  .find("<name>Gr\xF6\xDF"
                        "e</name>"),
              std::string::npos);
}

TEST_F(DocumentWriterTest, FileDocumentInMissingFolderGivesWriterCreate) {
    FileDocument document;
    EXPECT_EQ(document.Start(Path("missing/solutions.xml"), "UTF-8"), ResultCode::WriterCreate);
    EXPECT_EQ(document.Writer(), nullptr);
}

TEST_F(DocumentWriterTest, FileDocumentWithUnknownEncodingGivesWriterCreate) {
    FileDocument document;
    EXPECT_EQ(document.Start(Path("odd.xml"), "NO-SUCH-ENCODING"), ResultCode::WriterCreate);
}

TEST_F(DocumentWriterTest, MisplacedWritesGiveTheirCodes) {
    MemoryDocument document;
    ASSERT_EQ(document.Start(), ResultCode::Ok);
    xmlTextWriterPtr writer = document.Writer();
    EXPECT_EQ(DocumentWriter::EndElement(writer), ResultCode::WriterEndElement);
    EXPECT_EQ(DocumentWriter::WriteAttribute(writer, "version", "1"),
              ResultCode::WriterWriteElement);
    ASSERT_EQ(DocumentWriter::StartElement(writer, "root"), ResultCode::Ok);
    EXPECT_EQ(DocumentWriter::WriteAttribute(writer, "version", "1"), ResultCode::Ok);
    EXPECT_EQ(DocumentWriter::EndElement(writer), ResultCode::Ok);
}

TEST_F(DocumentWriterTest, MemoryDocumentOnFullDiskGivesParseInputAndKeepsTheOldFile) {
    WriteBytes(Path("printers.xml"), "old document");
    const std::optional<ResultCode> result = testsupport::RunWithFileSizeLimit(64, [&] {
        MemoryDocument document;
        if (document.Start() != ResultCode::Ok)
            return static_cast<ResultCode>(-1);
        WriteSmallDocument(document.Writer());
        return document.WriteToFile("UTF-8", Path("printers.xml"));
    });
    EXPECT_EQ(result, ResultCode::ParseInput);
    EXPECT_EQ(ReadBytes(Path("printers.xml")), "old document");
    EXPECT_EQ(testsupport::FolderNames(m_folder), std::vector<std::string>{"printers.xml"});
}

TEST_F(DocumentWriterTest, WritesOnFullDiskGiveTheirCodesAndKeepTheOldFile) {
    WriteBytes(Path("solutions.xml"), "old document");
    // The codes of each step, compared in the child: 0 when every step gave the expected one.
    const std::optional<int> mismatches = testsupport::RunWithFileSizeLimit(4096, [&] {
        FileDocument document;
        if (document.Start(Path("solutions.xml"), "UTF-8") != ResultCode::Ok)
            return -1;
        xmlTextWriterPtr writer = document.Writer();
        const std::vector<ResultCode> codes = {
            DocumentWriter::StartElement(writer, "root"),
            // Larger than every buffer on the way, so the failing write is seen at once.
            DocumentWriter::WriteElement(writer, "text", std::string(256 * 1024, 'x')),
            DocumentWriter::StartElement(writer, "more"),
            DocumentWriter::WriteElement(writer, "number", 3),
            DocumentWriter::EndElement(writer),
            document.Finish(),
        };
        const std::vector<ResultCode> expected = {ResultCode::Ok,
                                                  ResultCode::WriterWriteElement,
                                                  ResultCode::WriterStartElement,
                                                  ResultCode::WriterWriteElement,
                                                  ResultCode::WriterEndElement,
                                                  ResultCode::WriterEndDocument};
        int wrong = 0;
        for (size_t i = 0; i < codes.size(); ++i)
            wrong += codes[i] != expected[i];
        return wrong;
    });
    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(ReadBytes(Path("solutions.xml")), "old document");
    EXPECT_EQ(testsupport::FolderNames(m_folder), std::vector<std::string>{"solutions.xml"});
}

TEST_F(DocumentWriterTest, FileDocumentReplacesTheOldFileOnlyWhenFinished) {
    WriteBytes(Path("solutions.xml"), "old document");
    {
        FileDocument abandoned;
        ASSERT_EQ(abandoned.Start(Path("solutions.xml"), "UTF-8"), ResultCode::Ok);
        WriteSmallDocument(abandoned.Writer());
    }
    EXPECT_EQ(ReadBytes(Path("solutions.xml")), "old document");
    EXPECT_EQ(testsupport::FolderNames(m_folder), std::vector<std::string>{"solutions.xml"});

    FileDocument document;
    ASSERT_EQ(document.Start(Path("solutions.xml"), "UTF-8"), ResultCode::Ok);
    WriteSmallDocument(document.Writer());
    EXPECT_EQ(ReadBytes(Path("solutions.xml")), "old document");
    ASSERT_EQ(document.Finish(), ResultCode::Ok);
    EXPECT_NE(ReadBytes(Path("solutions.xml")).find("<printerlist>"), std::string::npos);
    EXPECT_EQ(testsupport::FolderNames(m_folder), std::vector<std::string>{"solutions.xml"});
}

struct XPathCase {
    const char* Behaviour;
    std::string File;
    const char* Expression;
    ResultCode Code;
    const char* Value; // what the caller's "old" value becomes
};

void PrintTo(const XPathCase& xpath, std::ostream* out) {
    *out << xpath.Behaviour;
}

class EvaluateXPathTest : public ::testing::TestWithParam<XPathCase> {};

TEST_P(EvaluateXPathTest, GivesCodeAndValue) {
    const XPathCase& xpath = GetParam();
    std::string value = "old";
    EXPECT_EQ(DocumentWriter::EvaluateXPath(xpath.File, xpath.Expression, value), xpath.Code);
    EXPECT_EQ(value, xpath.Value);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EvaluateXPathTest,
    ::testing::Values(
        XPathCase{"FirstMatch", DataFile("status.xml"), "/devicexml/deviceStatus/printer/icon",
                  ResultCode::Ok, "/images/status/ready.png"},
        XPathCase{"NoMatchIsEmpty", DataFile("status.xml"), "//channel/pubDate", ResultCode::Ok,
                  ""},
        XPathCase{"NumberIsNoNodeSet", DataFile("status.xml"), "count(//printer)",
                  ResultCode::XPathNoNodeSet, "old"},
        XPathCase{"InvalidExpression", DataFile("status.xml"), "/devicexml[", ResultCode::XPathEval,
                  "old"},
        XPathCase{"UnparsableFile", DataFile("malformed.xml"), "/page", ResultCode::ParseInput,
                  "old"},
        XPathCase{"MissingFile", DataFile("absent.xml"), "/page", ResultCode::ParseInput, "old"},
        XPathCase{"NoFileName", "", "/page", ResultCode::MissingArgument, "old"},
        XPathCase{"NoExpression", DataFile("status.xml"), "", ResultCode::MissingArgument, "old"}),
    [](const ::testing::TestParamInfo<XPathCase>& info) { return info.param.Behaviour; });

TEST_F(DocumentWriterTest, XPathValueIsNotCut) {
    const std::string longName(600, 'x');
    WriteBytes(Path("feed.xml"),
               "<rss><channel><pubDate>" + longName + "</pubDate></channel></rss>");
    std::string value;
    EXPECT_EQ(DocumentWriter::EvaluateXPath(Path("feed.xml"), "//channel/pubDate", value),
              ResultCode::Ok);
    EXPECT_EQ(value, longName);
}

} // namespace
} // namespace kaldo
