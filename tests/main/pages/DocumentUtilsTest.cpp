#include "main/pages/DocumentUtils.h"

#include "PagesTestSupport.h"
#include "main/pages/DocumentWriter.h"
#include "main/pages/ResultCodes.h"
#include "tests/support/ChildProcess.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>

namespace kaldo {
namespace {

using testsupport::DataFile;
using testsupport::ReadBytes;
using testsupport::WriteBytes;

// Parses `xml`, copies the children of its root inside a wrapper <w> and returns the
// written document without its trailing line break.
std::string CopyInsideWrapper(const std::string& xml, bool fromRoot = true) {
    const XmlDocHandle document(xmlReadMemory(xml.data(), static_cast<int>(xml.size()), nullptr,
                                              nullptr, kSafeParseOptions));
    EXPECT_TRUE(document);
    if (!document) {
        return {};
    }
    xmlNodePtr root = xmlDocGetRootElement(document.get());
    const XmlBufferHandle buffer(xmlBufferCreate());
    XmlTextWriterHandle writer(xmlNewTextWriterMemory(buffer.get(), 0));
    EXPECT_GE(xmlTextWriterStartElement(writer.get(), XmlText("w")), 0);
    EXPECT_GE(CopyElementTree(document.get(), fromRoot ? root : root->children, writer.get()), 0);
    EXPECT_GE(xmlTextWriterEndDocument(writer.get()), 0);
    writer.reset();
    std::string written = CharText(xmlBufferContent(buffer.get()));
    if (!written.empty() && written.back() == '\n') {
        written.pop_back();
    }
    return written;
}

TEST(CopyElementTreeTest, DropsEmptyElementsAndClosesCallersWrapper) {
    EXPECT_EQ(CopyInsideWrapper("<a><b>1</b><c/><d><e>2</e></d></a>"),
              "<w><a><b>1</b><d><e>2</e></d></a></w>");
}

TEST(CopyElementTreeTest, CopiesChildrenOfRootWhenStartedThere) {
    EXPECT_EQ(CopyInsideWrapper("<a><b>1</b><c/><d><e>2</e></d></a>", false),
              "<w><b>1</b><d><e>2</e></d></w>");
}

TEST(CopyElementTreeTest, LeavesOutAttributesCommentsAndMixedText) {
    EXPECT_EQ(CopyInsideWrapper("<a kind=\"x\">\n  <!-- note -->\n  <b id=\"1\">one</b>\n"
                                "  <m>before<i>inner</i>after</m>\n  <?pi data?>\n</a>"),
              "<w><a><b>one</b><m><i>inner</i></m></a></w>");
}

TEST(CopyElementTreeTest, ElementWithOnlyACommentWritesNothingAndKeepsNesting) {
    EXPECT_EQ(CopyInsideWrapper("<a><x><!--only--></x><y>2</y></a>"), "<w><a><y>2</y></a></w>");
}

TEST(CopyElementTreeTest, TextIsEscapedExactlyOnce) {
    const std::string written =
        CopyInsideWrapper("<a><t>Toner &amp; drum &lt;low&gt; &#169;</t><u>x</u></a>");
    EXPECT_EQ(written, "<w><a><t>Toner &amp; drum &lt;low&gt; \xC2\xA9</t><u>x</u></a></w>");
}

TEST(CopyElementTreeTest, CDataContentIsCopiedAsText) {
    EXPECT_EQ(CopyInsideWrapper("<a><t><![CDATA[1 < 2]]></t></a>"),
              "<w><a><t>1 &lt; 2</t></a></w>");
}

TEST(CopyElementTreeTest, ReportsWriteFailure) {
    const std::string xml = "<a><b>1</b></a>";
    const XmlDocHandle document(xmlReadMemory(xml.data(), static_cast<int>(xml.size()), nullptr,
                                              nullptr, kSafeParseOptions));
    const XmlBufferHandle buffer(xmlBufferCreate());
    const XmlTextWriterHandle writer(xmlNewTextWriterMemory(buffer.get(), 0));
    // Nothing was started, so the final end call has nothing to close.
    EXPECT_LT(CopyElementTree(document.get(), xmlDocGetRootElement(document.get())->children,
                              writer.get()),
              0);
}

TEST(EncodingForLanguageTest, UpperCasesLanguageInPlace) {
    std::string language = "ko";
    std::string encoding;
    EXPECT_EQ(EncodingForLanguage(language, encoding), ResultCode::Ok);
    EXPECT_EQ(language, "KO");
    EXPECT_EQ(encoding, "UTF-8");
}

TEST(EncodingForLanguageTest, UnknownLanguageStillGivesUtf8) {
    std::string language = "XX";
    std::string encoding;
    EXPECT_EQ(EncodingForLanguage(language, encoding), ResultCode::Ok);
    EXPECT_EQ(encoding, "UTF-8");
}

TEST(EncodingForLanguageTest, EmptyLanguageGivesUtf8) {
    // A string table or content folder without a language code is no missing argument.
    std::string language;
    std::string encoding;
    EXPECT_EQ(EncodingForLanguage(language, encoding), ResultCode::Ok);
    EXPECT_EQ(encoding, "UTF-8");
    EXPECT_EQ(language, "");
}

class ReplaceInFileTest : public testsupport::TempFolderTest {};
using FileContainsTest = ReplaceInFileTest;

TEST_F(ReplaceInFileTest, ChangesOnlyFirstOccurrence) {
    const std::string path = Path("status.xml");
    const std::string before =
        "<?xml version=\"1.0\" encoding=\"ksc5601\"?>\n<a>ksc5601\x01\xFF</a>";
    WriteBytes(path, before);

    ReplaceInFile(path, "ksc5601", "UTF-8");

    EXPECT_EQ(ReadBytes(path),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<a>ksc5601\x01\xFF</a>");
    EXPECT_EQ(testsupport::FolderNames(m_folder), std::vector<std::string>{"status.xml"});
}

TEST_F(ReplaceInFileTest, KeepsBytesOfLaterChunks) {
    const std::string path = Path("big.xml");
    std::string before = "<a>ks_c_5601</a>";
    for (int i = 0; i < 3000; ++i) {
        before += static_cast<char>(i % 251);
    }
    before += "ks_c_5601";
    WriteBytes(path, before);

    ReplaceInFile(path, "ks_c_5601", "EUC-KR");

    std::string expected = before;
    expected.replace(3, 9, "EUC-KR");
    EXPECT_EQ(ReadBytes(path), expected);
}

TEST_F(ReplaceInFileTest, MayBeMuchLongerThanFind) {
    const std::string path = Path("long.xml");
    WriteBytes(path, std::string(1020, '-') + "XY" + "end");
    const std::string replacement(5000, 'r');

    ReplaceInFile(path, "XY", replacement);

    EXPECT_EQ(ReadBytes(path), std::string(1020, '-') + replacement + "end");
}

TEST_F(ReplaceInFileTest, KeepsFilePermissions) {
    const std::string path = Path("mode.xml");
    WriteBytes(path, "korean");
    ASSERT_EQ(chmod(path.c_str(), 0640), 0);

    ReplaceInFile(path, "korean", "EUC-KR");

    struct stat status {};
    ASSERT_EQ(stat(path.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0640u);
    EXPECT_EQ(ReadBytes(path), "EUC-KR");
}

TEST_F(ReplaceInFileTest, DoesNotFindTextAcrossChunkBorder) {
    const std::string path = Path("border.xml");
    const std::string before = std::string(1020, ' ') + "ksc5601";
    WriteBytes(path, before);

    ReplaceInFile(path, "ksc5601", "UTF-8");

    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_EQ(testsupport::FolderNames(m_folder), std::vector<std::string>{"border.xml"});
}

TEST_F(ReplaceInFileTest, OnMissingFileDoesNothing) {
    ReplaceInFile(Path("absent.xml"), "ksc5601", "UTF-8");
    EXPECT_TRUE(testsupport::FolderNames(m_folder).empty());
}

TEST_F(ReplaceInFileTest, OnFullDiskKeepsOriginalAndLeavesNoTemporaryFile) {
    const std::string path = Path("status.xml");
    const std::string before = "ksc5601" + std::string(20000, ' ');
    WriteBytes(path, before);

    const auto ran = testsupport::RunWithFileSizeLimit(4096, [&] {
        ReplaceInFile(path, "ksc5601", "UTF-8");
        return 0;
    });

    ASSERT_TRUE(ran.has_value());
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_EQ(testsupport::FolderNames(m_folder), std::vector<std::string>{"status.xml"});
}

TEST_F(FileContainsTest, FindsTextInAnyChunk) {
    const std::string path = Path("status.xml");
    WriteBytes(path, std::string(2048, ' ') + "<lang>korean</lang>");
    EXPECT_TRUE(FileContains(path, "korean"));
    EXPECT_FALSE(FileContains(path, "ksc5601"));
}

TEST_F(FileContainsTest, DoesNotMatchAcrossChunkBorder) {
    const std::string path = Path("border.xml");
    WriteBytes(path, std::string(1020, ' ') + "ksc5601");
    EXPECT_FALSE(FileContains(path, "ksc5601"));
}

TEST_F(FileContainsTest, OnMissingFileIsFalseAndCreatesNothing) {
    EXPECT_FALSE(FileContains(Path("absent.xml"), "ksc5601"));
    EXPECT_FALSE(Exists("absent.xml"));
}

TEST_F(FileContainsTest, WithMissingArgumentIsFalse) {
    EXPECT_FALSE(FileContains("", "ksc5601"));
    EXPECT_FALSE(FileContains(DataFile("status.xml"), ""));
}

TEST(ReadXmlFileTest, ReadsWellFormedAndRefusesMalformed) {
    EXPECT_TRUE(ReadXmlFile(DataFile("status.xml")));
    EXPECT_FALSE(ReadXmlFile(DataFile("malformed.xml")));
    EXPECT_FALSE(ReadXmlFile(""));
}

} // namespace
} // namespace kaldo
