#include "main/pages/PageTransformer.h"

#include "PagesTestSupport.h"
#include "main/pages/ResultCodes.h"
#include "tests/support/ChildProcess.h"

#include <gtest/gtest.h>

namespace kaldo {
namespace {

using testsupport::DataFile;
using testsupport::ReadBytes;
using testsupport::WriteBytes;

constexpr std::string_view kOldPage = "<html><body>previous page</body></html>";

class PageTransformerTest : public testsupport::TempFolderTest {
protected:
    PageTransformer m_transformer;
};

TEST_F(PageTransformerTest, WritesTheStylesheetsHtmlForTheDocument) {
    const std::string html = Path("page.html");
    ASSERT_EQ(m_transformer.Transform(DataFile("page.xml"), DataFile("page.xsl"), html),
              ResultCode::Ok);

    const std::string page = ReadBytes(html);
    EXPECT_NE(page.find("<h1>Kaldo Presslane 3020</h1>"), std::string::npos);
    EXPECT_NE(page.find("<p>Toner &amp; drum</p>"), std::string::npos);
    EXPECT_NE(page.find("<p>Größe</p>"), std::string::npos);
}

TEST_F(PageTransformerTest, EachMissingPathGivesMissingArgumentAndWritesNothing) {
    const std::string html = Path("page.html");
    EXPECT_EQ(m_transformer.Transform("", DataFile("page.xsl"), html), ResultCode::MissingArgument);
    EXPECT_EQ(m_transformer.Transform(DataFile("page.xml"), "", html), ResultCode::MissingArgument);
    EXPECT_EQ(m_transformer.Transform(DataFile("page.xml"), DataFile("page.xsl"), ""),
              ResultCode::MissingArgument);
    EXPECT_FALSE(Exists("page.html"));
}

TEST_F(PageTransformerTest, MissingDocumentGivesParseXml) {
    EXPECT_EQ(m_transformer.Transform(Path("absent.xml"), DataFile("page.xsl"), Path("page.html")),
              ResultCode::TransformParseXml);
    EXPECT_FALSE(Exists("page.html"));
}

TEST_F(PageTransformerTest, MissingStylesheetGivesParseXsl) {
    EXPECT_EQ(m_transformer.Transform(DataFile("page.xml"), Path("absent.xsl"), Path("page.html")),
              ResultCode::TransformParseXsl);
}

struct FailingTransform {
    const char* Behaviour;
    const char* Xml;
    const char* Xsl;
    ResultCode Code;
};

void PrintTo(const FailingTransform& failing, std::ostream* out) {
    *out << failing.Behaviour;
}

class FailingTransformTest : public testsupport::TempFolderTest,
                             public ::testing::WithParamInterface<FailingTransform> {};

TEST_P(FailingTransformTest, GivesCodeAndKeepsOldPage) {
    const FailingTransform& failing = GetParam();
    const std::string html = Path("page.html");
    WriteBytes(html, kOldPage);

    EXPECT_EQ(PageTransformer().Transform(DataFile(failing.Xml), DataFile(failing.Xsl), html),
              failing.Code);
    EXPECT_EQ(ReadBytes(html), kOldPage);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, FailingTransformTest,
    ::testing::Values(FailingTransform{"MalformedDocument", "malformed.xml", "page.xsl",
                                       ResultCode::TransformParseXml},
                      FailingTransform{"UnparsableStylesheet", "page.xml", "malformed.xsl",
                                       ResultCode::TransformParseXsl},
                      FailingTransform{"StylesheetThatStops", "page.xml", "terminate.xsl",
                                       ResultCode::TransformApply}),
    [](const ::testing::TestParamInfo<FailingTransform>& info) { return info.param.Behaviour; });

TEST_F(PageTransformerTest, UnwritableOutputGivesSave) {
    EXPECT_EQ(m_transformer.Transform(DataFile("page.xml"), DataFile("page.xsl"),
                                      Path("no-such-folder/page.html")),
              ResultCode::TransformSave);
}

TEST_F(PageTransformerTest, PageThatDoesNotFitOnTheDiskKeepsTheOldPage) {
    const std::string html = Path("page.html");
    WriteBytes(html, kOldPage);
    const std::optional<ResultCode> result = testsupport::RunWithFileSizeLimit(16, [&] {
        return m_transformer.Transform(DataFile("page.xml"), DataFile("page.xsl"), html);
    });
    EXPECT_EQ(result, ResultCode::TransformSave);
    EXPECT_EQ(ReadBytes(html), kOldPage);
    EXPECT_EQ(testsupport::FolderNames(m_folder), std::vector<std::string>{"page.html"});
}

TEST_F(PageTransformerTest, PageInPlaceOfALinkReplacesTheLinkNotTheLinkedFile) {
    // A per-user folder may show an installed page through a link; the generated page takes
    // the link's place.
    const std::string installed = Path("installed.html");
    WriteBytes(installed, kOldPage);
    const std::string html = Path("page.html");
    std::filesystem::create_symlink(installed, html);

    ASSERT_EQ(m_transformer.Transform(DataFile("page.xml"), DataFile("page.xsl"), html),
              ResultCode::Ok);
    EXPECT_FALSE(std::filesystem::is_symlink(html));
    EXPECT_NE(ReadBytes(html).find("Kaldo Presslane 3020"), std::string::npos);
    EXPECT_EQ(ReadBytes(installed), kOldPage);
}

TEST_F(PageTransformerTest, LongUtf8PathsAreUsedWhole) {
    std::string folder = m_folder;
    for (int i = 0; i < 6; ++i) {
        folder += "/Größe-프린터-" + std::string(40, 'a' + i);
        ASSERT_TRUE(std::filesystem::create_directory(folder));
    }
    const std::string html = folder + "/Seite ü.html";
    ASSERT_GT(html.size(), 300u);

    EXPECT_EQ(m_transformer.Transform(DataFile("page.xml"), DataFile("page.xsl"), html),
              ResultCode::Ok);
    EXPECT_NE(ReadBytes(html).find("Kaldo Presslane 3020"), std::string::npos);
}

TEST_F(PageTransformerTest, ResultMayReplaceItsOwnSource) {
    const std::string merged = Path("merged.xml");
    WriteBytes(merged, "<page><item>b</item><item>c</item><item>a</item></page>");
    ASSERT_EQ(m_transformer.Transform(merged, DataFile("sort.xsl"), merged), ResultCode::Ok);
    EXPECT_NE(ReadBytes(merged).find("<page><item>a</item><item>b</item><item>c</item></page>"),
              std::string::npos);
}

TEST_F(PageTransformerTest, OneTransformerServesManyTransformations) {
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(
            m_transformer.Transform(DataFile("page.xml"), DataFile("page.xsl"), Path("page.html")),
            ResultCode::Ok);
        EXPECT_EQ(m_transformer.Transform(DataFile("page.xml"), DataFile("malformed.xsl"),
                                          Path("page.html")),
                  ResultCode::TransformParseXsl);
    }
    PageTransformer other;
    EXPECT_EQ(other.Transform(DataFile("page.xml"), DataFile("page.xsl"), Path("other.html")),
              ResultCode::Ok);
}

// Stylesheets are held compiled; one that changes on disk (a content update) is compiled anew,
// also when only a stylesheet it includes has changed.
TEST_F(PageTransformerTest, ChangedStylesheetOrIncludeIsCompiledAnew) {
    const std::string xml = Path("doc.xml");
    WriteBytes(xml, "<page><title>T</title></page>");
    const std::string xsl = Path("page.xsl");
    const std::string part = Path("part.xsl");
    const auto stylesheet = [](const std::string& body) {
        return "<xsl:stylesheet version=\"1.0\" "
               "xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\">" +
               body + "</xsl:stylesheet>";
    };
    WriteBytes(part, stylesheet("<xsl:template name=\"mark\"><i>first</i></xsl:template>"));
    WriteBytes(xsl, stylesheet("<xsl:include href=\"part.xsl\"/><xsl:template match=\"/\">"
                               "<p>one<xsl:call-template name=\"mark\"/></p></xsl:template>"));
    ASSERT_EQ(m_transformer.Transform(xml, xsl, Path("out.html")), ResultCode::Ok);
    EXPECT_NE(ReadBytes(Path("out.html")).find("one<i>first</i>"), std::string::npos);

    WriteBytes(part, stylesheet("<xsl:template name=\"mark\"><b>second</b></xsl:template>"));
    ASSERT_EQ(m_transformer.Transform(xml, xsl, Path("out.html")), ResultCode::Ok);
    EXPECT_NE(ReadBytes(Path("out.html")).find("one<b>second</b>"), std::string::npos);

    WriteBytes(xsl, stylesheet("<xsl:include href=\"part.xsl\"/><xsl:template match=\"/\">"
                               "<p>three<xsl:call-template name=\"mark\"/></p></xsl:template>"));
    ASSERT_EQ(m_transformer.Transform(xml, xsl, Path("out.html")), ResultCode::Ok);
    EXPECT_NE(ReadBytes(Path("out.html")).find("three<b>second</b>"), std::string::npos);
    EXPECT_EQ(m_transformer.CompiledCount(), 1u);
}

// Only the stylesheets of one content folder are held: another folder's empties the cache.
TEST_F(PageTransformerTest, StylesheetsOfAnotherFolderReplaceTheHeldOnes) {
    ASSERT_EQ(m_transformer.Transform(DataFile("page.xml"), DataFile("page.xsl"), Path("a.html")),
              ResultCode::Ok);
    ASSERT_EQ(m_transformer.Transform(DataFile("page.xml"), DataFile("sort.xsl"), Path("b.html")),
              ResultCode::Ok);
    EXPECT_EQ(m_transformer.CompiledCount(), 2u);
    const std::string copy = Path("page.xsl");
    WriteBytes(copy, ReadBytes(DataFile("page.xsl")));
    ASSERT_EQ(m_transformer.Transform(DataFile("page.xml"), copy, Path("c.html")), ResultCode::Ok);
    EXPECT_EQ(m_transformer.CompiledCount(), 1u);
}

TEST_F(PageTransformerTest, ExternalEntityInDocumentIsNotExpanded) {
    const std::string secret = Path("secret.txt");
    WriteBytes(secret, "SECRET-PASSWORD-TEXT");
    const std::string xml = Path("status.xml");
    WriteBytes(xml, "<?xml version=\"1.0\"?>\n"
                    "<!DOCTYPE page [<!ENTITY leak SYSTEM \"file://" +
                        secret +
                        "\">]>\n"
                        "<page><title>Model &leak;</title><item>&leak;</item></page>\n");
    const std::string html = Path("page.html");

    const ResultCode result = m_transformer.Transform(xml, DataFile("page.xsl"), html);

    EXPECT_TRUE(result == ResultCode::Ok || result == ResultCode::TransformParseXml)
        << ToInt(result);
    EXPECT_EQ(ReadBytes(html).find("SECRET-PASSWORD-TEXT"), std::string::npos);
}

TEST_F(PageTransformerTest, StylesheetCannotWriteOtherFiles) {
    const std::string stolen = Path("stolen.txt");
    const std::string xsl = Path("writer.xsl");
    WriteBytes(xsl, "<xsl:stylesheet version=\"1.1\" "
                    "xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\">"
                    "<xsl:template match=\"/\">"
                    "<xsl:document href=\"" +
                        stolen +
                        "\" method=\"text\">written</xsl:document>"
                        "<html/></xsl:template></xsl:stylesheet>");
    const std::string html = Path("page.html");

    EXPECT_EQ(m_transformer.Transform(DataFile("page.xml"), xsl, html), ResultCode::TransformApply);
    EXPECT_FALSE(Exists("stolen.txt"));
    EXPECT_FALSE(Exists("page.html"));
}

} // namespace
} // namespace kaldo
