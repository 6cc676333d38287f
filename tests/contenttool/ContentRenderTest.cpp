#include "contenttool/ContentRender.h"
#include "tests/contenttool/ContentToolTestSupport.h"

#include "main/pages/XmlHandles.h"

namespace kaldo::testsupport {
namespace {

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// The text of every node `expression` selects in an XML file, in document order.
std::vector<std::string> Values(const std::string& path, const std::string& expression) {
    std::vector<std::string> values;
    const XmlDocHandle document(xmlReadFile(path.c_str(), nullptr, XML_PARSE_NONET));
    if (!document)
        return values;
    const XPathContextHandle context(xmlXPathNewContext(document.get()));
    const XPathObjectHandle result(xmlXPathEvalExpression(XmlText(expression), context.get()));
    for (int i = 0; result && result->nodesetval && i < result->nodesetval->nodeNr; ++i)
        values.push_back(TakeXmlString(xmlNodeGetContent(result->nodesetval->nodeTab[i])));
    return values;
}

class ContentRenderTest : public ::testing::Test {
protected:
    ContentRenderTest()
        : m_folder(m_content.Copy("presslane_3000")) {
        m_request.Folder = m_folder;
        m_request.Model = "KP3040";
        m_request.Printers = {{"Office", "Kaldo Presslane 3020 PS"},
                              {"Reception", "Kaldo Presslane 3040 PS"},
                              {"Lab", "Kaldo Presslane C5100 PS"}};
        m_request.Selected = "Reception";
    }

    std::string Path(const std::string& relative) const { return m_folder + "/" + relative; }

    RenderResult Render() {
        RenderResult result = RenderContentFolder(m_request);
        for (const std::string& error : result.Errors)
            ADD_FAILURE() << error;
        return result;
    }

    SampleContent m_content;
    std::string m_folder;
    RenderRequest m_request;
};

TEST_F(ContentRenderTest, WritesThePagesOfTheModelWithTheSelectedPrinterFirst) {
    const RenderResult result = Render();
    EXPECT_EQ(result.Written,
              (std::vector<std::string>{Path("ui/header.html"), Path("ui/status.html"),
                                        Path("ui/solutions.html"), Path("ui/current_problem.html"),
                                        Path("ui/index.html"), Path("ui/index_content.html")}));
    EXPECT_EQ(Values(Path("xml/header.xml"), "/printerlist/printer/printername"),
              (std::vector<std::string>{"Reception", "Office", "Lab"}));
    const std::string header = ReadBytes(Path("ui/header.html"));
    EXPECT_LT(header.find("value=\"sp:Reception\" selected"), header.find("value=\"sp:Office\""));
    // The caption shows the selected printer's model, as after the program's printer choice.
    EXPECT_EQ(ReadBytes(Path("ui/images/caption.png")), ReadBytes(Path("ui/images/kp3040.png")));
    EXPECT_TRUE(fs::exists(Path("toolbox.xml")));
}

TEST_F(ContentRenderTest, WithoutSelectionTheFirstPrinterIsSelected) {
    m_request.Selected.clear();
    Render();
    EXPECT_EQ(Values(Path("xml/header.xml"), "/printerlist/printer/printername").front(), "Office");
}

TEST_F(ContentRenderTest, StatusDocumentThatPassesTheCheckIsShownInTheFooter) {
    m_request.StatusDocument = ToolData("status_ready.xml");
    m_request.Address = "10.20.30.40";
    const RenderResult result = Render();
    EXPECT_TRUE(result.Notes.empty());
    EXPECT_EQ(Values(Path("xml/footer.xml"), "//Current_Status_ID"), std::vector<std::string>{"0"});
    EXPECT_EQ(Values(Path("xml/footer.xml"), "/root/devicexml//statusText"),
              std::vector<std::string>{"Paper jam in tray 1"});
    EXPECT_TRUE(Has(ReadBytes(Path("ui/status.html")), "10.20.30.40"));
    EXPECT_EQ(Values(Path("xml/solutions_combined.xml"), "/root/printer_xml//alert/code"),
              std::vector<std::string>{"paperJam"});
}

TEST_F(ContentRenderTest, StatusDocumentThatFailsTheCheckGivesStatusTwoAndANote) {
    m_request.StatusDocument = ToolData("status_without_hard_drive.xml");
    m_request.Address = "10.20.30.40";
    const RenderResult result = Render();
    ASSERT_EQ(result.Notes.size(), 1u);
    EXPECT_TRUE(Has(result.Notes.front(), "status_without_hard_drive.xml: "));
    EXPECT_EQ(Values(Path("xml/footer.xml"), "//Current_Status_ID"), std::vector<std::string>{"2"});
    EXPECT_TRUE(Values(Path("xml/footer.xml"), "/root/devicexml").empty());
}

TEST_F(ContentRenderTest, WithoutStatusDocumentTheFooterIsCollecting) {
    Render();
    EXPECT_EQ(Values(Path("xml/footer.xml"), "//Current_Status_ID"), std::vector<std::string>{"1"});
}

TEST_F(ContentRenderTest, StatusZeroWithoutStatusDocumentIsRefused) {
    m_request.Status = kaldo::StatusValue::STATUS_AVAILABLE;
    const RenderResult result = RenderContentFolder(m_request);
    ASSERT_EQ(result.Errors.size(), 1u);
    EXPECT_TRUE(result.Errors.front().starts_with(Path("xml/devicestatus.xml") + ": "));
    EXPECT_FALSE(fs::exists(Path("ui/status.html")));
    EXPECT_TRUE(fs::exists(Path("ui/index.html")));
}

TEST_F(ContentRenderTest, SearchWritesTheWeighedResultsAndTheSearchPages) {
    m_request.Keywords = "paper jam";
    const RenderResult result = Render();
    ASSERT_GE(result.Written.size(), 2u);
    EXPECT_EQ(result.Written[result.Written.size() - 2], Path("ui/search.html"));
    EXPECT_EQ(result.Written.back(), Path("ui/search_content.html"));
    EXPECT_EQ(Values(Path("xml/search_results.xml"), "/SearchResults/SearchString"),
              std::vector<std::string>{"paper jam"});
    EXPECT_FALSE(Values(Path("xml/search_results.xml"), "//*[@weight > 0]/@t").empty());
    EXPECT_TRUE(Has(ReadBytes(Path("ui/search_content.html")), "loading paper") ||
                Has(ReadBytes(Path("ui/search_content.html")), "Loading paper"));
}

TEST_F(ContentRenderTest, PageWhoseBuildFailsIsRemovedNotLeftFromAnEarlierRun) {
    Render();
    ASSERT_TRUE(fs::exists(Path("ui/index_content.html")));
    fs::copy_file(ToolData("terminating.xsl"), Path("xml/index_content.xsl"),
                  fs::copy_options::overwrite_existing);
    const RenderResult result = RenderContentFolder(m_request);
    EXPECT_FALSE(fs::exists(Path("ui/index_content.html")));
    ASSERT_EQ(result.Errors.size(), 1u);
    EXPECT_TRUE(result.Errors.front().starts_with(Path("ui/index_content.html") +
                                                  ": not written by the index pages"));
    EXPECT_TRUE(Has(result.Errors.front(), "The index is not ready"));
}

TEST_F(ContentRenderTest, ModelThatDoesNotLoadNamesTheConfiguration) {
    m_request.Model = "KP9999";
    const RenderResult result = RenderContentFolder(m_request);
    ASSERT_EQ(result.Errors.size(), 1u);
    EXPECT_TRUE(result.Errors.front().starts_with(Path("toolbox.xml") +
                                                  ": model \"KP9999\" does not load"));
    EXPECT_TRUE(result.Written.empty());
}

TEST_F(ContentRenderTest, FolderThatLeadsOutOfTheContentIsRefusedAndNotMade) {
    EditFile(Path("toolboxinfo.xml"), "<Video_Folder>video</Video_Folder>",
             "<Video_Folder>../../escaped</Video_Folder>");
    const RenderResult result = RenderContentFolder(m_request);
    ASSERT_EQ(result.Errors.size(), 1u);
    EXPECT_TRUE(Has(result.Errors.front(), "<Video_Folder> \"../../escaped\" leads out"));
    EXPECT_FALSE(fs::exists(m_content.Root() / "escaped"));
    EXPECT_TRUE(result.Written.empty());
}

TEST_F(ContentRenderTest, MissingTabInfoIsNamed) {
    fs::remove(Path("tabinfo.xml"));
    const RenderResult result = RenderContentFolder(m_request);
    EXPECT_EQ(result.Errors, std::vector<std::string>{Path("tabinfo.xml") + ": cannot be read"});
}

} // namespace
} // namespace kaldo::testsupport
