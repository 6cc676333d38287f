#include "main/pages/HeaderPage.h"

#include "PagesTestSupport.h"
#include "main/pages/ResultCodes.h"

#include <gmock/gmock.h>

using namespace kaldo;
using namespace kaldo::testsupport;
using ::testing::HasSubstr;
using ::testing::StartsWith;

namespace {

HeaderLabels EnglishLabels() {
    return {"Enter Keywords", "Kaldo Tendwell", "Select Printer", "Search", 0, 0};
}

std::vector<PrinterListEntry> ThreePrinters() {
    return {{"A", "Kaldo Presslane 3020 PS"},
            {"B", "Kaldo Presslane 3040 PS"},
            {"C", "Kaldo Presslane C5100 PS"}};
}

class HeaderPageTest : public TempFolderTest {};

} // namespace

TEST_F(HeaderPageTest, SelectedPrinterComesFirstOthersKeepTheirOrder) {
    auto ordered = OrderPrinterList(ThreePrinters(), "B");
    ASSERT_EQ(ordered.size(), 3u);
    EXPECT_EQ(ordered[0].Name, "B");
    EXPECT_EQ(ordered[1].Name, "A");
    EXPECT_EQ(ordered[2].Name, "C");
}

TEST_F(HeaderPageTest, UnknownSelectionNeitherLosesNorAddsPrinters) {
    auto ordered = OrderPrinterList(ThreePrinters(), "Z");
    ASSERT_EQ(ordered.size(), 3u);
    EXPECT_EQ(ordered[0].Name, "A");
    EXPECT_EQ(ordered[2].Name, "C");
}

TEST_F(HeaderPageTest, DocumentIsByteExact) {
    std::vector<PrinterListEntry> one{{"Office", "Kaldo Presslane 3020 PS"}};
    ASSERT_EQ(WritePrinterListDocument(one, EnglishLabels(), Path("header.xml"), "en"),
              ResultCode::Ok);
    EXPECT_EQ(ReadBytes(Path("header.xml")),
              "<?xml version=\"1.0\" encoding =\"UTF-8\"?><printerlist>"
              "<Enter_Keywords>Enter Keywords</Enter_Keywords>"
              "<TitleText_Label>Kaldo Tendwell</TitleText_Label>"
              "<SelectPrinter_Label>Select Printer</SelectPrinter_Label>"
              "<Search_Label>Search</Search_Label>"
              "<CaptionText_Width>0</CaptionText_Width>"
              "<CaptionText_Height>0</CaptionText_Height>"
              "<Code_Page>UTF-8</Code_Page>"
              "<printer><action>sp:</action><printername>Office</printername>"
              "<printermodel>Kaldo Presslane 3020 PS</printermodel></printer>"
              "</printerlist>\n");
}

TEST_F(HeaderPageTest, EmptyListWritesNothing) {
    EXPECT_EQ(WritePrinterListDocument({}, EnglishLabels(), Path("header.xml"), "EN"),
              ResultCode::MissingArgument);
    EXPECT_FALSE(Exists("header.xml"));
    EXPECT_EQ(WritePrinterListDocument(ThreePrinters(), EnglishLabels(), "", "EN"),
              ResultCode::MissingArgument);
}

TEST_F(HeaderPageTest, NamesKeepEveryCharacterAndMarkupIsEscaped) {
    std::vector<PrinterListEntry> printers{{"Büro <2> 東京", "Kaldo & Co"}};
    ASSERT_EQ(WritePrinterListDocument(printers, EnglishLabels(), Path("h.xml"), "EN"),
              ResultCode::Ok);
    std::string text = ReadBytes(Path("h.xml"));
    EXPECT_THAT(text, HasSubstr("<printername>Büro &lt;2&gt; 東京</printername>"));
    EXPECT_THAT(text, HasSubstr("<printermodel>Kaldo &amp; Co</printermodel>"));
}

TEST_F(HeaderPageTest, UnwritableFileGives607) {
    EXPECT_EQ(WritePrinterListDocument(ThreePrinters(), EnglishLabels(), Path("missing/header.xml"),
                                       "EN"),
              ResultCode::ParseInput);
}

namespace {

void WriteHeaderStylesheet(const std::string& path) {
    WriteBytes(path,
               R"(<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="html"/>
  <xsl:template match="/printerlist">
    <html><body><xsl:for-each select="printer">
      <a href="{action}{printername}"><xsl:value-of select="printername"/></a>
    </xsl:for-each><p><xsl:value-of select="Code_Page"/></p></body></html>
  </xsl:template>
</xsl:stylesheet>)");
}

} // namespace

TEST_F(HeaderPageTest, BuildTransformsTheDocumentIntoThePage) {
    WriteHeaderStylesheet(Path("header.xsl"));
    HeaderPageFiles files{Path("header.xml"), Path("header.xsl"), Path("header.html")};
    PageTransformer transformer;
    ASSERT_EQ(BuildHeaderPage(ThreePrinters(), "C", EnglishLabels(), "EN", files, transformer),
              ResultCode::Ok);
    std::string html = ReadBytes(Path("header.html"));
    EXPECT_LT(html.find("href=\"sp:C\""), html.find("href=\"sp:A\""));
    EXPECT_LT(html.find("href=\"sp:A\""), html.find("href=\"sp:B\""));
}

TEST_F(HeaderPageTest, ContentWithoutLanguageGetsItsHeaderInUtf8) {
    WriteHeaderStylesheet(Path("header.xsl"));
    HeaderPageFiles files{Path("header.xml"), Path("header.xsl"), Path("header.html")};
    PageTransformer transformer;
    ASSERT_EQ(BuildHeaderPage(ThreePrinters(), "A", EnglishLabels(), "", files, transformer),
              ResultCode::Ok);
    EXPECT_THAT(ReadBytes(Path("header.xml")),
                StartsWith("<?xml version=\"1.0\" encoding =\"UTF-8\"?><printerlist>"));
    EXPECT_THAT(ReadBytes(Path("header.html")), HasSubstr("<p>UTF-8</p>"));
}

TEST_F(HeaderPageTest, BuildStopsAtTheDocument) {
    HeaderPageFiles files{Path("header.xml"), Path("header.xsl"), Path("header.html")};
    PageTransformer transformer;
    EXPECT_EQ(BuildHeaderPage({}, "", EnglishLabels(), "EN", files, transformer),
              ResultCode::MissingArgument);
    EXPECT_EQ(BuildHeaderPage(ThreePrinters(), "A", EnglishLabels(), "EN", files, transformer),
              ResultCode::TransformParseXsl);
}
