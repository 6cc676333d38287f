#pragma once

#include "TestPaths.h"
#include "main/pages/DocumentUtils.h"
#include "main/pages/DocumentWriter.h"
#include "main/pages/PageTransformer.h"
#include "main/pages/ResultCodes.h"
#include "main/pages/XmlHandles.h"
#include "main/shell/ContentInfoMerge.h"
#include "tests/platform/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace kaldo::test {

namespace fs = std::filesystem;

inline std::string ContentDir() {
    return KALDO_CONTENT_DIR;
}

inline std::string ContentData(const std::string& name) {
    return std::string(KALDO_TEST_DATA_DIR) + "/content/" + name;
}

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The content folders that ship: every folder below content/ with the two configuration pieces.
inline std::vector<std::string> ContentFolderNames() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(ContentDir())) {
        if (entry.is_directory() && fs::exists(entry.path() / "toolboxinfo.xml"))
            names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

inline std::vector<std::string> FilesBelow(const std::string& folder,
                                           const std::string& extension) {
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file() && entry.path().extension() == extension)
            files.push_back(entry.path().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

inline std::string Attribute(xmlNodePtr node, const char* name) {
    return TakeXmlString(xmlGetProp(node, XmlText(name)));
}

inline bool HasAttribute(xmlNodePtr node, const char* name) {
    return xmlHasProp(node, XmlText(name)) != nullptr;
}

inline std::string Name(xmlNodePtr node) {
    return CharText(node->name);
}

inline std::vector<xmlNodePtr> Elements(xmlNodePtr parent) {
    std::vector<xmlNodePtr> children;
    for (xmlNodePtr child = parent ? parent->children : nullptr; child; child = child->next) {
        if (child->type == XML_ELEMENT_NODE)
            children.push_back(child);
    }
    return children;
}

inline std::vector<xmlNodePtr> Elements(xmlNodePtr parent, const std::string& name) {
    std::vector<xmlNodePtr> named;
    for (xmlNodePtr child : Elements(parent)) {
        if (Name(child) == name)
            named.push_back(child);
    }
    return named;
}

inline std::string Text(xmlNodePtr node) {
    return TakeXmlString(xmlNodeGetContent(node));
}

// Values of an XPath expression as strings, one per node.
inline std::vector<std::string> XPathValues(xmlDocPtr document, const std::string& expression) {
    std::vector<std::string> values;
    XPathContextHandle context(xmlXPathNewContext(document));
    XPathObjectHandle result(xmlXPathEvalExpression(XmlText(expression), context.get()));
    if (result && result->nodesetval) {
        for (int i = 0; i < result->nodesetval->nodeNr; ++i)
            values.push_back(Text(result->nodesetval->nodeTab[i]));
    }
    return values;
}

// How many times `needle` occurs in `text`.
inline size_t Count(const std::string& text, const std::string& needle) {
    size_t count = 0;
    for (size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1))
        ++count;
    return count;
}

// A copy of one content folder in a temporary program folder, with its toolbox.xml merged as
// the program does at start-up. Generated documents and pages are written into the copy.
class InstalledContent {
public:
    explicit InstalledContent(const std::string& name)
        : m_name(name) {
        m_folder = m_root / ("Data/" + name);
        fs::create_directories(m_folder);
        fs::copy(ContentDir() + "/" + name, m_folder, fs::copy_options::recursive);
        m_merge = MergeContentInfo(Path("toolboxinfo.xml"), Path("tabinfo.xml"),
                                   Path("toolbox.xml"), "EN");
    }

    const std::string& Name() const { return m_name; }
    int MergeResult() const { return m_merge; }
    std::string Folder() const { return m_folder; }
    std::string Path(const std::string& relative) const { return m_folder + "/" + relative; }
    std::string Xml(const std::string& name) const { return Path("xml/" + name); }
    std::string Ui(const std::string& name) const { return Path("ui/" + name); }

    // Transforms an XML file with one of the folder's stylesheets into a page of its UI folder
    // and returns the page; an empty text when the transformation failed.
    std::string Transform(const std::string& xmlPath, const std::string& stylesheet,
                          const std::string& page) const {
        const int result = PageTransformer().Transform(xmlPath, Xml(stylesheet), Ui(page));
        EXPECT_EQ(result, kOk) << stylesheet << " on " << xmlPath;
        return result == kOk ? ReadBytes(Ui(page)) : std::string();
    }

private:
    std::string m_name;
    testing::TempFolder m_root;
    std::string m_folder;
    int m_merge = -1;
};

// Element attributes of an index entry as the program copies them: the title with its first
// letter in capitals (and a digit mark), or else the link attributes.
inline void CopyIndexEntries(xmlNodePtr node, xmlTextWriterPtr writer) {
    for (; node; node = node->next) {
        if (node->type != XML_ELEMENT_NODE)
            continue;
        xmlTextWriterStartElement(writer, node->name);
        if (HasAttribute(node, "t")) {
            std::string title = Attribute(node, "t");
            if (!title.empty() && title[0] >= 'a' && title[0] <= 'z')
                title[0] = static_cast<char>(title[0] - 'a' + 'A');
            xmlTextWriterWriteAttribute(writer, XmlText("t"), XmlText(title));
            if (!title.empty() && title[0] >= '0' && title[0] <= '9')
                xmlTextWriterWriteAttribute(writer, XmlText("isnumber"), XmlText("1"));
        } else if (HasAttribute(node, "l")) {
            for (const char* name : {"l", "icon", "tblink", "level"}) {
                if (HasAttribute(node, name))
                    xmlTextWriterWriteAttribute(writer, XmlText(name),
                                                XmlText(Attribute(node, name)));
            }
        }
        CopyIndexEntries(node->children, writer);
        xmlTextWriterEndElement(writer);
    }
}

// The merged index document: the entries of two index files under a root named like the
// first one's, and with a configuration file its sections after the index, all inside `root`.
inline bool WriteIndexDocument(const std::string& first, const std::string& second,
                               const std::string& config, const std::string& output) {
    const XmlDocHandle one = ReadXmlFile(first);
    xmlNodePtr root = one ? xmlDocGetRootElement(one.get()) : nullptr;
    if (!root)
        return false;
    FileDocument file;
    if (file.Start(output, "UTF-8") != kOk)
        return false;
    xmlTextWriterPtr writer = file.Writer();
    if (!config.empty())
        xmlTextWriterStartElement(writer, XmlText("root"));
    xmlTextWriterStartElement(writer, root->name);
    xmlTextWriterWriteAttribute(writer, XmlText("version"), XmlText(Attribute(root, "version")));
    xmlTextWriterWriteAttribute(writer, XmlText("heading"), XmlText("Index"));
    xmlTextWriterWriteAttribute(writer, XmlText("numerics"), XmlText("0 - 9"));
    xmlTextWriterWriteAttribute(writer, XmlText("codepage"), XmlText("UTF-8"));
    xmlNodePtr start = root->children;
    if (start && start->type != XML_ELEMENT_NODE)
        start = start->next;
    else if (start && Name(root) != "WebWorksHelpIX")
        start = root;
    CopyIndexEntries(start, writer);
    XmlDocHandle two;
    if (fs::exists(second)) {
        two = ReadXmlFile(second);
        xmlNodePtr secondRoot = two ? xmlDocGetRootElement(two.get()) : nullptr;
        if (!secondRoot)
            return false;
        xmlNodePtr from = secondRoot->children;
        from = (from && from->type != XML_ELEMENT_NODE) ? from->next : secondRoot;
        CopyIndexEntries(from, writer);
    }
    xmlTextWriterEndElement(writer);
    XmlDocHandle configuration;
    if (!config.empty()) {
        configuration = ReadXmlFile(config);
        xmlNodePtr configRoot = configuration ? xmlDocGetRootElement(configuration.get()) : nullptr;
        if (!configRoot)
            return false;
        CopyElementTree(configuration.get(), configRoot->children, writer);
    }
    return file.Finish() == kOk;
}

// The trouble-solutions document: the content's solutions, the printer's status document when
// there is one, and the configuration.
inline bool WriteSolutionsDocument(const std::string& solutions, const std::string& status,
                                   const std::string& config, const std::string& output) {
    FileDocument file;
    if (file.Start(output, "UTF-8") != kOk)
        return false;
    xmlTextWriterPtr writer = file.Writer();
    xmlTextWriterStartElement(writer, XmlText("root"));
    xmlTextWriterWriteElement(writer, XmlText("Code_Page"), XmlText("UTF-8"));
    xmlTextWriterStartElement(writer, XmlText("trouble_solution"));
    const XmlDocHandle solutionsDoc = ReadXmlFile(solutions);
    if (!solutionsDoc || !xmlDocGetRootElement(solutionsDoc.get()))
        return false;
    CopyElementTree(solutionsDoc.get(), xmlDocGetRootElement(solutionsDoc.get())->children, writer);
    XmlDocHandle statusDoc;
    if (!status.empty()) {
        xmlTextWriterStartElement(writer, XmlText("printer_xml"));
        statusDoc = ReadXmlFile(status);
        if (!statusDoc || !xmlDocGetRootElement(statusDoc.get()))
            return false;
        CopyElementTree(statusDoc.get(), xmlDocGetRootElement(statusDoc.get()), writer);
    }
    xmlTextWriterStartElement(writer, XmlText("toolbox_xml"));
    const XmlDocHandle configDoc = ReadXmlFile(config);
    if (!configDoc || !xmlDocGetRootElement(configDoc.get()))
        return false;
    CopyElementTree(configDoc.get(), xmlDocGetRootElement(configDoc.get())->children, writer);
    return file.Finish() == kOk;
}

} // namespace kaldo::test
