#pragma once

#include "TestPaths.h"
#include "main/content/ContentFolders.h"
#include "main/pages/DocumentUtils.h"
#include "main/pages/DocumentWriter.h"
#include "main/pages/PageTransformer.h"
#include "main/pages/ResultCodes.h"
#include "main/pages/XmlHandles.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace kaldo::testsupport {

namespace fs = std::filesystem;

inline std::string ContentDir() {
    return KALDO_CONTENT_DIR;
}

inline std::string ContentData(const std::string& name) {
    return std::string(KALDO_TEST_DATA_DIR) + "/content/" + name;
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
        : m_name(name)
        , m_folder(InstallContentFolder(ContentDir() + "/" + name, m_root.Path()))
        , m_merge(MergeContentFolder(m_folder, "EN")) {}

    const std::string& Name() const { return m_name; }
    ResultCode MergeResult() const { return m_merge; }
    std::string Folder() const { return m_folder; }
    std::string Path(const std::string& relative) const { return m_folder + "/" + relative; }
    std::string Xml(const std::string& name) const { return Path("xml/" + name); }
    std::string Ui(const std::string& name) const { return Path("ui/" + name); }

    // Transforms an XML file with one of the folder's stylesheets into a page of its UI folder
    // and returns the page; an empty text when the transformation failed.
    std::string Transform(const std::string& xmlPath, const std::string& stylesheet,
                          const std::string& page) const {
        const ResultCode result = PageTransformer().Transform(xmlPath, Xml(stylesheet), Ui(page));
        EXPECT_EQ(result, ResultCode::Ok) << stylesheet << " on " << xmlPath;
        return result == ResultCode::Ok ? ReadBytes(Ui(page)) : std::string();
    }

private:
    std::string m_name;
    testsupport::TempFolder m_root;
    std::string m_folder;
    ResultCode m_merge;
};

} // namespace kaldo::testsupport
