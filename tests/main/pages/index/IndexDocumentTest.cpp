#include "main/pages/index/IndexDocument.h"

#include "main/pages/DocumentUtils.h"
#include "tests/main/pages/PagesTestSupport.h"
#include "tests/support/ChildProcess.h"

#include <filesystem>

namespace kaldo::testsupport {
namespace {

std::string IndexData(const std::string& name) {
    return std::string(KALDO_TEST_DATA_DIR) + "/index/" + name;
}

const IndexLabels kLabels{"Index", "0 - 9"};

std::string Attr(xmlNodePtr node, const char* name) {
    return TakeXmlString(xmlGetProp(node, XmlText(name)));
}

bool HasAttr(xmlNodePtr node, const char* name) {
    return xmlHasProp(node, XmlText(name)) != nullptr;
}

std::vector<xmlNodePtr> Children(xmlNodePtr parent) {
    std::vector<xmlNodePtr> children;
    for (xmlNodePtr child = parent->children; child; child = child->next) {
        if (child->type == XML_ELEMENT_NODE)
            children.push_back(child);
    }
    return children;
}

std::vector<std::string> Titles(xmlNodePtr parent) {
    std::vector<std::string> titles;
    for (xmlNodePtr child : Children(parent))
        titles.push_back(Attr(child, "t"));
    return titles;
}

class IndexDocumentTest : public TempFolderTest {
protected:
    bool Merge(const std::string& first, const std::string& second, const std::string& config,
               const IndexLabels& labels = kLabels, const std::string& language = "en") {
        return WriteIndexDocument(first, second, config, Path("out.xml"), language, labels);
    }

    xmlNodePtr Root() {
        m_document = ReadXmlFile(Path("out.xml"));
        return m_document ? xmlDocGetRootElement(m_document.get()) : nullptr;
    }

    XmlDocHandle m_document;
};

TEST_F(IndexDocumentTest, FirstMergeWritesBothIndexesUnderOneRootExactly) {
    ASSERT_TRUE(Merge(IndexData("ug.xml"), IndexData("docs.xml"), ""));
    EXPECT_EQ(ReadBytes(Path("out.xml")),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<WebWorksHelpIX version=\"2.5\" heading=\"Index\" numerics=\"0 - 9\" "
              "codepage=\"UTF-8\">"
              "<Entry t=\"Paper jam\"><Link l=\"doc:&amp;FileName=guide\" icon=\"pdf\" "
              "tblink=\"tab#3page#1\" level=\"2\"/>"
              "<Entry t=\"Tray 2\"><Link l=\"doc:&amp;FileName=guide#tray2\" icon=\"pdf\"/></Entry>"
              "</Entry>"
              "<Entry t=\"2-sided printing\" isnumber=\"1\"><Link l=\"doc:&amp;FileName=guide\" "
              "icon=\"pdf\"/></Entry>"
              "<Entry t=\"Toner\"><Link l=\"doc:&amp;FileName=guide#toner\" icon=\"pdf\" "
              "level=\"1\"/></Entry>"
              "<Entry t=\"\xC3\xA9lan\"><Group><Link l=\"x\"/></Group></Entry>"
              "<Entry t=\"\"/>"
              "<Entry t=\"Zebra\"><Link l=\"z.html\" icon=\"web\"/></Entry>"
              "<Entry t=\"9 lives\" isnumber=\"1\"/>"
              "</WebWorksHelpIX>\n");
}

TEST_F(IndexDocumentTest, TitleGetsCapitalFirstLetterAndDigitsAreMarked) {
    ASSERT_TRUE(Merge(IndexData("ug.xml"), IndexData("docs.xml"), ""));
    xmlNodePtr root = Root();
    ASSERT_NE(root, nullptr);
    const std::vector<xmlNodePtr> entries = Children(root);
    ASSERT_EQ(entries.size(), 7u);
    EXPECT_EQ(Attr(entries[0], "t"), "Paper jam");
    EXPECT_FALSE(HasAttr(entries[0], "isnumber"));
    EXPECT_EQ(Attr(entries[1], "t"), "2-sided printing") << "a digit keeps its value";
    EXPECT_EQ(Attr(entries[1], "isnumber"), "1");
    EXPECT_EQ(Attr(entries[3], "t"), "\xC3\xA9lan") << "only ASCII letters are raised";
    EXPECT_EQ(Attr(entries[4], "t"), "");
    EXPECT_FALSE(HasAttr(entries[4], "isnumber"));
}

TEST_F(IndexDocumentTest, EntryWithTitleAndLinkKeepsOnlyTheTitle) {
    ASSERT_TRUE(Merge(IndexData("ug.xml"), IndexData("docs.xml"), ""));
    xmlNodePtr entry = Children(Root())[1];
    EXPECT_TRUE(HasAttr(entry, "t"));
    EXPECT_FALSE(HasAttr(entry, "l"));
}

TEST_F(IndexDocumentTest, LinkLeafKeepsItsLinkAttributesInFixedOrderAndNothingElse) {
    ASSERT_TRUE(Merge(IndexData("ug.xml"), IndexData("docs.xml"), ""));
    xmlNodePtr leaf = Children(Children(Root())[0])[0];
    std::vector<std::string> names;
    for (xmlAttrPtr attribute = leaf->properties; attribute; attribute = attribute->next)
        names.push_back(CharText(attribute->name));
    EXPECT_EQ(names, (std::vector<std::string>{"l", "icon", "tblink", "level"}))
        << "the source has target= as well";
    EXPECT_EQ(Attr(leaf, "l"), "doc:&FileName=guide");
}

TEST_F(IndexDocumentTest, ElementWithNeitherTitleNorLinkIsCopiedWithoutAttributes) {
    WriteBytes(Path("in.xml"), "<WebWorksHelpIX><Entry t=\"a\"><Group kind=\"x\"/></Entry>"
                               "</WebWorksHelpIX>");
    ASSERT_TRUE(Merge(Path("in.xml"), Path("none.xml"), ""));
    xmlNodePtr group = Children(Children(Root())[0])[0];
    EXPECT_EQ(std::string(CharText(group->name)), "Group");
    EXPECT_EQ(group->properties, nullptr);
}

TEST_F(IndexDocumentTest, TextAndCommentsInsideEntriesNeverReachTheMergedDocument) {
    ASSERT_TRUE(Merge(IndexData("ug.xml"), IndexData("docs.xml"), ""));
    const std::string merged = ReadBytes(Path("out.xml"));
    EXPECT_EQ(merged.find("clearing instructions"), std::string::npos);
    EXPECT_EQ(merged.find("user guide"), std::string::npos);
    EXPECT_EQ(merged.find("<!--"), std::string::npos);
}

TEST_F(IndexDocumentTest, RootTakesTheFirstInputsVersion) {
    ASSERT_TRUE(Merge(IndexData("third.xml"), IndexData("ug.xml"), ""));
    EXPECT_EQ(Attr(Root(), "version"), "7.0");
}

TEST_F(IndexDocumentTest, FirstInputWithoutVersionGivesRootWithoutVersionAttribute) {
    ASSERT_TRUE(Merge(IndexData("no_version.xml"), IndexData("docs.xml"), ""));
    xmlNodePtr root = Root();
    ASSERT_NE(root, nullptr);
    EXPECT_FALSE(HasAttr(root, "version"));
    EXPECT_EQ(Attr(root, "heading"), "Index");
    EXPECT_EQ(Titles(root), (std::vector<std::string>{"Alone", "Zebra", "9 lives"}));
}

TEST_F(IndexDocumentTest, LabelsWithMarkupCharactersArriveUnchanged) {
    ASSERT_TRUE(Merge(IndexData("docs.xml"), IndexData("third.xml"), "",
                      {"Index & <Verzeichnis>", "0 \"-\" 9"}));
    xmlNodePtr root = Root();
    EXPECT_EQ(Attr(root, "heading"), "Index & <Verzeichnis>");
    EXPECT_EQ(Attr(root, "numerics"), "0 \"-\" 9");
}

TEST_F(IndexDocumentTest, EmptyLabelLeavesItsAttributeOut) {
    ASSERT_TRUE(Merge(IndexData("docs.xml"), IndexData("third.xml"), "", {"", "0 - 9"}));
    xmlNodePtr root = Root();
    EXPECT_FALSE(HasAttr(root, "heading"));
    EXPECT_EQ(Attr(root, "numerics"), "0 - 9");
    EXPECT_EQ(Attr(root, "codepage"), "UTF-8");
}

TEST_F(IndexDocumentTest, FinalMergeWrapsIndexAndConfigurationSectionsInRoot) {
    ASSERT_TRUE(Merge(IndexData("docs.xml"), IndexData("third.xml"), IndexData("config.xml")));
    xmlNodePtr root = Root();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(std::string(CharText(root->name)), "root");
    const std::vector<xmlNodePtr> children = Children(root);
    ASSERT_EQ(children.size(), 4u);
    EXPECT_EQ(std::string(CharText(children[0]->name)), "WebWorksHelpIX");
    EXPECT_EQ(Titles(children[0]), (std::vector<std::string>{"Zebra", "9 lives", "Home"}));
    EXPECT_EQ(std::string(CharText(children[1]->name)), "ApplicationInfo");
    EXPECT_EQ(std::string(CharText(children[2]->name)), "Legend");
    EXPECT_EQ(std::string(CharText(children[3]->name)), "TabInfo");
    const std::string merged = ReadBytes(Path("out.xml"));
    EXPECT_NE(merged.find("<ApplicationInfo><Language_L10N>EN</Language_L10N></ApplicationInfo>"),
              std::string::npos)
        << "empty configuration elements are left out";
    EXPECT_EQ(merged.find("attribute="), std::string::npos);
}

TEST_F(IndexDocumentTest, FirstMergeHasNoRootWrapper) {
    ASSERT_TRUE(Merge(IndexData("ug.xml"), IndexData("docs.xml"), ""));
    EXPECT_EQ(std::string(CharText(Root()->name)), "WebWorksHelpIX");
}

TEST_F(IndexDocumentTest, MissingSecondInputIsSkipped) {
    ASSERT_TRUE(Merge(IndexData("docs.xml"), Path("missing.xml"), IndexData("config.xml")));
    EXPECT_EQ(Titles(Children(Root())[0]), (std::vector<std::string>{"Zebra", "9 lives"}));
}

TEST_F(IndexDocumentTest, SecondInputThatIsAFolderIsSkipped) {
    ASSERT_TRUE(Merge(IndexData("docs.xml"), m_folder, ""));
    EXPECT_EQ(Titles(Root()), (std::vector<std::string>{"Zebra", "9 lives"}));
}

TEST_F(IndexDocumentTest, SecondInputThatDoesNotParseFailsAndKeepsThePreviousOutput) {
    WriteBytes(Path("out.xml"), "previous");
    EXPECT_FALSE(Merge(IndexData("docs.xml"), IndexData("broken.xml"), ""));
    EXPECT_EQ(ReadBytes(Path("out.xml")), "previous");
    EXPECT_EQ(testsupport::FolderNames(m_folder), std::vector<std::string>{"out.xml"});
}

TEST_F(IndexDocumentTest, MissingOrBrokenFirstInputFails) {
    EXPECT_FALSE(Merge(Path("missing.xml"), IndexData("docs.xml"), ""));
    EXPECT_FALSE(Merge(IndexData("broken.xml"), IndexData("docs.xml"), ""));
    EXPECT_FALSE(Exists("out.xml"));
}

TEST_F(IndexDocumentTest, ConfigurationThatDoesNotParseFails) {
    EXPECT_FALSE(Merge(IndexData("docs.xml"), IndexData("third.xml"), IndexData("broken.xml")));
    EXPECT_FALSE(Merge(IndexData("docs.xml"), IndexData("third.xml"), Path("missing.xml")));
    EXPECT_FALSE(Exists("out.xml"));
}

TEST_F(IndexDocumentTest, MissingArgumentsFail) {
    EXPECT_FALSE(Merge("", IndexData("docs.xml"), ""));
    EXPECT_FALSE(Merge(IndexData("ug.xml"), "", ""));
    EXPECT_FALSE(
        WriteIndexDocument(IndexData("ug.xml"), IndexData("docs.xml"), "", "", "EN", kLabels));
    EXPECT_FALSE(Exists("out.xml"));
}

TEST_F(IndexDocumentTest, ContentWithoutLanguageStillGetsItsIndexInUtf8) {
    ASSERT_TRUE(Merge(IndexData("ug.xml"), IndexData("docs.xml"), "", kLabels, ""));
    EXPECT_EQ(Attr(Root(), "codepage"), "UTF-8");
    EXPECT_EQ(ReadBytes(Path("out.xml")).rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>", 0),
              0u);
}

TEST_F(IndexDocumentTest, OutputInMissingFolderFails) {
    EXPECT_FALSE(WriteIndexDocument(IndexData("ug.xml"), IndexData("docs.xml"), "",
                                    Path("no/such/out.xml"), "EN", kLabels));
}

TEST_F(IndexDocumentTest, WhitespaceBetweenEntriesDoesNotChangeTheMerge) {
    ASSERT_TRUE(Merge(IndexData("ug.xml"), IndexData("docs.xml"), ""));
    const std::string indented = ReadBytes(Path("out.xml"));
    ASSERT_TRUE(Merge(IndexData("ug.xml"), IndexData("docs_compact.xml"), ""));
    EXPECT_EQ(ReadBytes(Path("out.xml")), indented);
    ASSERT_TRUE(Merge(IndexData("docs_compact.xml"), IndexData("third.xml"), ""));
    EXPECT_EQ(Titles(Root()), (std::vector<std::string>{"Zebra", "9 lives", "Home"}));
}

TEST_F(IndexDocumentTest, CopyIndexEntriesWritesEntriesAndReportsAFailedWrite) {
    WriteBytes(Path("in.xml"), "<WebWorksHelpIX><Entry t=\"a\"/></WebWorksHelpIX>");
    XmlDocHandle document = ReadXmlFile(Path("in.xml"));
    xmlNodePtr entries = xmlDocGetRootElement(document.get())->children;

    XmlBufferHandle buffer(xmlBufferCreate());
    XmlTextWriterHandle writer(xmlNewTextWriterMemory(buffer.get(), 0));
    ASSERT_TRUE(CopyIndexEntries(entries, writer.get()));
    ASSERT_GE(xmlTextWriterFlush(writer.get()), 0);
    EXPECT_EQ(std::string(CharText(xmlBufferContent(buffer.get()))), "<Entry t=\"A\"/>");

    // An output that has failed takes no more writes.
    xmlOutputBufferPtr output = xmlAllocOutputBuffer(nullptr);
    ASSERT_NE(output, nullptr);
    output->error = XML_IO_WRITE;
    XmlTextWriterHandle failing(xmlNewTextWriter(output));
    EXPECT_FALSE(CopyIndexEntries(entries, failing.get()));
}

} // namespace
} // namespace kaldo::testsupport
