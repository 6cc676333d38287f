#include "tests/content/ContentTestSupport.h"

#include "main/content/ToolboxConfig.h"

#include <libxslt/xsltutils.h>

#include <cctype>
#include <cstdio>
#include <map>
#include <regex>
#include <set>

namespace kaldo::testsupport {
namespace {

const std::vector<std::string> kAlertCodes = {"paperJam",   "paperOut",  "tonerLow",
                                              "tonerEmpty", "coverOpen", "offline"};

// Every marker the navigation dispatcher looks for; a content file whose path contains one
// would be taken for a link of the program instead of a page.
const std::vector<std::string> kLinkMarkers = {"pweb:",        "http://",      "printermodelurl:",
                                               "uat:",         "serviceurl:",  "suppliesurl:",
                                               "qst:",         "doc:",         "video:",
                                               "tab#",         "page#",        "pdfs",
                                               "ps:",          "util-driver:", "sp:",
                                               "util-search:", "keywords=",    "util-rs:"};

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

class ContentFilesTest : public ::testing::Test {
protected:
    static XmlDocHandle Parse(const std::string& path) {
        XmlDocHandle document = ReadXmlFile(path);
        EXPECT_TRUE(document) << path << " is not well-formed";
        return document;
    }

    static std::vector<std::string> Models(const std::string& folder) {
        const XmlDocHandle info = Parse(ContentDir() + "/" + folder + "/toolboxinfo.xml");
        std::vector<std::string> models;
        for (xmlNodePtr data : Elements(xmlDocGetRootElement(info.get()), "ModelData"))
            models.push_back(Attribute(data, "model"));
        return models;
    }
};

TEST_F(ContentFilesTest, ShipsAMonochromeAndAColourFamily) {
    const std::vector<std::string> folders = ContentFolderNames();
    ASSERT_GE(folders.size(), 2u);
    std::set<std::string> drivers;
    for (const std::string& folder : folders) {
        const XmlDocHandle info = Parse(ContentDir() + "/" + folder + "/toolboxinfo.xml");
        ASSERT_TRUE(info);
        const auto modelData = Elements(xmlDocGetRootElement(info.get()), "ModelData");
        EXPECT_GE(modelData.size(), 2u) << folder;
        std::set<std::string> models;
        for (xmlNodePtr data : modelData) {
            models.insert(Attribute(data, "model"));
            const auto driver = Elements(data, "DriverName");
            ASSERT_EQ(driver.size(), 1u);
            EXPECT_EQ(Text(driver[0]).rfind("Kaldo Presslane ", 0), 0u);
            EXPECT_TRUE(drivers.insert(Text(driver[0])).second) << "driver name used twice";
        }
        EXPECT_EQ(models.size(), modelData.size()) << folder << " repeats a model";
    }
    // The model's name, which begins the maker's driver ("... PS") and the queues the system
    // sets up without it ("... - IPP Everywhere") alike.
    EXPECT_TRUE(drivers.count("Kaldo Presslane 3020"));
    EXPECT_TRUE(drivers.count("Kaldo Presslane C5100"));
}

TEST_F(ContentFilesTest, EveryXmlFileIsWellFormed) {
    const auto files = FilesBelow(ContentDir(), ".xml");
    const auto stylesheets = FilesBelow(ContentDir(), ".xsl");
    EXPECT_GT(files.size(), 10u);
    for (const auto& list : {files, stylesheets}) {
        for (const std::string& file : list)
            EXPECT_TRUE(ReadXmlFile(file)) << file;
    }
}

TEST_F(ContentFilesTest, EveryStylesheetCompiles) {
    for (const std::string& file : FilesBelow(ContentDir(), ".xsl")) {
        XslStylesheetHandle stylesheet(xsltParseStylesheetFile(XmlText(file)));
        EXPECT_TRUE(stylesheet) << file;
    }
}

TEST_F(ContentFilesTest, NoStylesheetDisablesOutputEscaping) {
    for (const std::string& file : FilesBelow(ContentDir(), ".xsl"))
        EXPECT_EQ(ReadBytes(file).find("disable-output-escaping"), std::string::npos) << file;
}

TEST_F(ContentFilesTest, BothFoldersShareTheSameStylesheets) {
    const auto folders = ContentFolderNames();
    for (const std::string& file : FilesBelow(ContentDir() + "/" + folders[0], ".xsl")) {
        const std::string name = fs::path(file).filename().string();
        for (size_t i = 1; i < folders.size(); ++i)
            EXPECT_EQ(ReadBytes(file), ReadBytes(ContentDir() + "/" + folders[i] + "/xml/" + name))
                << name << " differs in " << folders[i];
    }
}

// The merge copies 255-byte chunks and finds its markers only inside one chunk.
TEST_F(ContentFilesTest, MergeMarkersSitInsideOneChunk) {
    auto wholeInLaterChunk = [](const std::string& bytes, const std::string& marker) {
        for (size_t at = 255; at < bytes.size(); at += 255) {
            if (bytes.substr(at, 255).find(marker) != std::string::npos)
                return true;
        }
        return false;
    };
    for (const std::string& folder : ContentFolderNames()) {
        const std::string info = ReadBytes(ContentDir() + "/" + folder + "/toolboxinfo.xml");
        EXPECT_NE(info.substr(0, 255).find("<Body>"), std::string::npos) << folder;
        EXPECT_TRUE(wholeInLaterChunk(info, "</Body>")) << folder;
        const std::string tabs = ReadBytes(ContentDir() + "/" + folder + "/tabinfo.xml");
        EXPECT_NE(tabs.substr(0, 255).find("<KTWContentInfo>"), std::string::npos) << folder;
        EXPECT_NE(tabs.substr(0, 255).find("<Legend>"), std::string::npos) << folder;
        EXPECT_TRUE(wholeInLaterChunk(tabs, "</KTWContentInfo>")) << folder;
    }
}

TEST_F(ContentFilesTest, MergedToolboxLoadsForEveryModel) {
    for (const std::string& folder : ContentFolderNames()) {
        InstalledContent content(folder);
        ASSERT_EQ(content.MergeResult(), ResultCode::Ok) << folder;
        const XmlDocHandle merged = Parse(content.Path("toolbox.xml"));
        ASSERT_TRUE(merged) << folder;
        xmlNodePtr body = xmlDocGetRootElement(merged.get());
        EXPECT_EQ(Name(body), "Body");
        EXPECT_EQ(Elements(body, "Legend").size(), 1u);
        EXPECT_EQ(Elements(body, "TabInfo").size(), 1u);
        for (const std::string& model : Models(folder)) {
            ToolboxConfig config;
            ASSERT_TRUE(config.Load(content.Folder(), model)) << folder << " " << model;
            EXPECT_FALSE(config.Error_NoFlash_L10N().empty());
            EXPECT_EQ(config.Language_L10N(), "EN");
            EXPECT_EQ(config.DisplayToner(), 1);
            EXPECT_EQ(config.StatusPage(), "status/devicestatus.xml?language=");
            EXPECT_EQ(config.Paths().Product_Folder, folder);
            EXPECT_EQ(config.Paths().Data_Folder, "Data");
            EXPECT_GT(config.CaptionText_Width(), 0);
            EXPECT_EQ(config.ModelPageUrl().rfind("http://localhost:18080/product/model.html?", 0),
                      0u);
            EXPECT_EQ(config.URL_Updates(), "http://localhost:18080/updates/KTWUpdates.xml");
            ASSERT_GE(config.Tabs().size(), 5u);
            const ToolboxTab& searchTab = config.Tabs().at(config.SearchTab());
            EXPECT_EQ(searchTab.Pages.at(config.SearchPage()).File,
                      config.Files().File_Search_HTML);
        }
    }
}

TEST_F(ContentFilesTest, MonochromeFamilyReportsStatusOverUsbAndColourFamilyDoesNot) {
    std::map<bool, int> usbByColour;
    for (const std::string& folder : ContentFolderNames()) {
        InstalledContent content(folder);
        ToolboxConfig config;
        ASSERT_TRUE(config.Load(content.Folder(), Models(folder).front()));
        const bool colour = config.DriverName().find(" C") != std::string::npos;
        usbByColour[colour] = config.StatusOverUSB();
    }
    EXPECT_EQ(usbByColour[false], 1);
    EXPECT_EQ(usbByColour[true], 0);
}

TEST_F(ContentFilesTest, EveryNamedFileExists) {
    for (const std::string& folder : ContentFolderNames()) {
        InstalledContent content(folder);
        ToolboxConfig config;
        ASSERT_TRUE(config.Load(content.Folder(), Models(folder).front()));
        const FileNames f = config.Files();
        for (const std::string& name :
             {f.File_IndexUG, f.File_IndexNonUG, f.File_IndexAUG, f.File_IndexContent_XSL,
              f.File_IndexSort_XSL, f.File_Index_XSL, f.File_Synonym, f.File_Search_XSL,
              f.File_SearchContent_XSL, f.File_SearchSort_XSL, f.File_Header_XSL, f.File_Status_XSL,
              f.File_Solutions_XML, f.File_Solutions_XSL, f.File_Current_XSL,
              std::string("KTWUpdates.xml")})
            EXPECT_TRUE(fs::exists(content.Xml(name))) << folder << ": " << name;
        // Pages the program generates at start-up are not shipped; all others are.
        const std::set<std::string> generated = {f.File_Index,     f.File_IndexContent,
                                                 f.File_Solutions, f.File_CurrentProblem,
                                                 f.File_Header,    f.File_Status};
        for (const std::string& name : {f.File_No_Status, f.File_Search_HTML, f.File_SearchContent})
            EXPECT_TRUE(fs::exists(content.Ui(name))) << folder << ": " << name;
        for (const ToolboxTab& tab : config.Tabs()) {
            for (const ToolboxPage& page : tab.Pages) {
                if (!generated.count(page.File)) {
                    EXPECT_TRUE(fs::exists(content.Ui(page.File))) << folder << ": " << page.File;
                }
                for (const std::string& web : page.Webs)
                    EXPECT_TRUE(fs::exists(content.Ui(web))) << folder << ": " << web;
            }
        }
        const PathsRecord paths = config.Paths();
        EXPECT_TRUE(fs::is_directory(content.Path(paths.UI_Folder + "/" + paths.Doc_Folder)));
        EXPECT_TRUE(fs::is_directory(content.Path(paths.UI_Folder + "/" + paths.Video_Folder)));
        EXPECT_TRUE(
            fs::exists(content.Ui(paths.ImagesFolder + "/" + paths.File_ProductCaptionGIF)));
        EXPECT_TRUE(fs::exists(content.Ui("docs/" + config.UserGuide() + ".pdf")));
        for (const std::string& model : Models(folder)) {
            ToolboxConfig modelConfig;
            ASSERT_TRUE(modelConfig.Load(content.Folder(), model));
            EXPECT_TRUE(fs::exists(content.Ui("images/" + modelConfig.Paths().ModelGIF))) << model;
        }
    }
}

TEST_F(ContentFilesTest, TabsAndPagesAreNumberedInFileOrder) {
    for (const std::string& folder : ContentFolderNames()) {
        const XmlDocHandle tabs = Parse(ContentDir() + "/" + folder + "/tabinfo.xml");
        xmlNodePtr tabInfo = Elements(xmlDocGetRootElement(tabs.get()), "TabInfo").at(0);
        const auto tabList = Elements(tabInfo, "Tab");
        ASSERT_GE(tabList.size(), 5u);
        int searchPages = 0;
        for (size_t t = 0; t < tabList.size(); ++t) {
            EXPECT_EQ(Text(Elements(tabList[t], "ID").at(0)), std::to_string(t));
            const auto pages = Elements(tabList[t], "Page");
            for (size_t p = 0; p < pages.size(); ++p) {
                EXPECT_EQ(Text(Elements(pages[p], "ID").at(0)), std::to_string(p));
                if (!Elements(pages[p], "SearchResults").empty()) {
                    ++searchPages;
                    // Every page after the marked one would take over as the search page.
                    EXPECT_EQ(p, pages.size() - 1) << "search page must be last of its tab";
                }
            }
        }
        EXPECT_EQ(searchPages, 1) << folder;
        const std::string text = ReadBytes(ContentDir() + "/" + folder + "/tabinfo.xml");
        EXPECT_NE(text.find("<Frame>"), std::string::npos);
        EXPECT_NE(text.find("<Web>"), std::string::npos);
    }
}

TEST_F(ContentFilesTest, WebRefreshedPagesCarryTheToolboxMarker) {
    for (const std::string& folder : ContentFolderNames()) {
        const XmlDocHandle tabs = Parse(ContentDir() + "/" + folder + "/tabinfo.xml");
        const auto webs = XPathValues(tabs.get(), "//Page/Web");
        ASSERT_FALSE(webs.empty());
        for (const std::string& web : webs) {
            const std::string head =
                ReadBytes(ContentDir() + "/" + folder + "/ui/" + web).substr(0, 1024);
            EXPECT_NE(head.find("<!-- toolbox -->"), std::string::npos) << web;
        }
    }
}

TEST_F(ContentFilesTest, PathsOfContentFilesCarryNoLinkMarker) {
    for (const std::string& folder : ContentFolderNames()) {
        const fs::path base = fs::path(ContentDir()) / folder;
        for (const auto& entry : fs::recursive_directory_iterator(base)) {
            const std::string relative = fs::relative(entry.path(), base).string();
            // Pictures are loaded by pages, never navigated to.
            if (relative.rfind("ui/images", 0) == 0)
                continue;
            const std::string lower = Lower(relative);
            for (const char* word : {"error", "syntax", "wwhelp"})
                EXPECT_EQ(lower.find(word), std::string::npos) << relative;
            for (const std::string& marker : kLinkMarkers) {
                // PDFs opened straight from a page live in pdfs and nowhere else.
                if (marker == "pdfs" && relative.rfind("ui/pdfs", 0) == 0)
                    continue;
                EXPECT_EQ(relative.find(marker), std::string::npos) << relative;
            }
            // HTML documents opened in the user's browser live in htmldocs and nowhere else.
            if (relative.find("htmldocs") != std::string::npos) {
                EXPECT_EQ(relative.rfind("ui/htmldocs", 0), 0u) << relative;
            }
        }
    }
}

TEST_F(ContentFilesTest, StaticPagesUseTheProgramsLinkForms) {
    for (const std::string& folder : ContentFolderNames()) {
        std::string pages;
        for (const std::string& page : FilesBelow(ContentDir() + "/" + folder + "/ui", ".html"))
            pages += ReadBytes(page);
        for (const char* form :
             {"\"tab#", "\"page#", "\"doc:&amp;FileName=", "\"video:&amp;FileName=", "\"pdfs/",
              "\"pweb:", "\"printermodelurl:", "\"qst:", "\"uat:", "\"serviceurl:",
              "\"suppliesurl:", "\"ps:", "\"util-driver:", "\"util-search:", "\"util-rs:",
              "\"htmldocs/", "name=\"keywords\""})
            EXPECT_NE(pages.find(form), std::string::npos) << folder << " never uses " << form;
    }
}

// Plain relative links and pictures of the static pages point at files that ship.
TEST_F(ContentFilesTest, RelativeReferencesOfStaticPagesResolve) {
    const std::regex reference(R"re((?:href|src)="([^"#:]+)")re");
    for (const std::string& folder : ContentFolderNames()) {
        for (const std::string& page : FilesBelow(ContentDir() + "/" + folder + "/ui", ".html")) {
            const std::string text = ReadBytes(page);
            for (auto it = std::sregex_iterator(text.begin(), text.end(), reference);
                 it != std::sregex_iterator(); ++it) {
                const std::string target = (*it)[1];
                if (target.find('?') != std::string::npos)
                    continue;
                const fs::path resolved = fs::path(page).parent_path() / target;
                EXPECT_TRUE(fs::exists(resolved)) << page << " -> " << target;
            }
        }
    }
}

TEST_F(ContentFilesTest, UserGuideIndexIsLargeAndEveryEntryLinks) {
    for (const std::string& folder : ContentFolderNames()) {
        const std::string xml = ContentDir() + "/" + folder + "/xml/";
        const XmlDocHandle tabs = Parse(ContentDir() + "/" + folder + "/tabinfo.xml");
        const auto icons = XPathValues(tabs.get(), "/KTWContentInfo/Legend/Legend_Item/Icon");
        const std::set<std::string> known(icons.begin(), icons.end());
        size_t sizes[3] = {};
        int index = 0;
        for (const char* file : {"index_ug.xml", "index_docs.xml", "index_toolbox.xml"}) {
            const XmlDocHandle document = Parse(xml + file);
            xmlNodePtr root = xmlDocGetRootElement(document.get());
            ASSERT_EQ(Name(root), "WebWorksHelpIX");
            EXPECT_FALSE(Attribute(root, "version").empty());
            // The merge starts after the first child when that is no element.
            ASSERT_TRUE(root->children && root->children->type == XML_TEXT_NODE) << file;
            for (xmlNodePtr entry : Elements(root)) {
                EXPECT_FALSE(Attribute(entry, "t").empty()) << file;
                bool links = false;
                for (xmlNodePtr child : Elements(entry)) {
                    xmlNodePtr leaf = HasAttribute(child, "t") ? Elements(child).at(0) : child;
                    EXPECT_FALSE(HasAttribute(leaf, "t"));
                    EXPECT_FALSE(Attribute(leaf, "l").empty()) << Attribute(entry, "t");
                    EXPECT_TRUE(known.count(Attribute(leaf, "icon"))) << Attribute(entry, "t");
                    links = true;
                }
                EXPECT_TRUE(links) << file << ": " << Attribute(entry, "t");
            }
            sizes[index++] = Elements(root).size();
        }
        EXPECT_GE(sizes[0], 150u) << folder;
        EXPECT_LT(sizes[1], sizes[0]);
        EXPECT_LT(sizes[2], sizes[0]);
        const XmlDocHandle guide = Parse(xml + "index_ug.xml");
        EXPECT_GE(XPathValues(guide.get(), "/WebWorksHelpIX/*/*[@t]/@t").size(), 150u)
            << "the user guide index has sub-entries";
    }
}

TEST_F(ContentFilesTest, TroubleSolutionsCoverEveryAlertCode) {
    for (const std::string& folder : ContentFolderNames()) {
        const XmlDocHandle solutions = Parse(ContentDir() + "/" + folder + "/xml/solutions.xml");
        for (const std::string& code : kAlertCodes) {
            const auto titles =
                XPathValues(solutions.get(), "/*/Solution[Code='" + code + "']/Title_L10N");
            EXPECT_EQ(titles.size(), 1u) << folder << ": " << code;
            EXPECT_FALSE(
                XPathValues(solutions.get(), "/*/Solution[Code='" + code + "']/Steps/Step_L10N")
                    .empty());
        }
        // Text-only leaves: the copy into the page document keeps element text, nothing mixed.
        EXPECT_TRUE(XPathValues(solutions.get(), "//*[text()[normalize-space()] and *]").empty());
    }
}

TEST_F(ContentFilesTest, SynonymGroupsHoldSeveralItems) {
    for (const std::string& folder : ContentFolderNames()) {
        const XmlDocHandle synonyms = Parse(ContentDir() + "/" + folder + "/xml/synonyms.xml");
        xmlNodePtr root = xmlDocGetRootElement(synonyms.get());
        const auto groups = Elements(root, "Group");
        EXPECT_GE(groups.size(), 10u);
        for (xmlNodePtr group : groups)
            EXPECT_GE(Elements(group, "Item").size(), 2u);
        EXPECT_FALSE(XPathValues(synonyms.get(), "/*/Group[Item='jam'][Item='misfeed']").empty());
    }
}

TEST_F(ContentFilesTest, UpdateFeedCarriesADateTheUpdateCheckCanRead) {
    for (const std::string& folder : ContentFolderNames()) {
        std::string date;
        ASSERT_EQ(DocumentWriter::EvaluateXPath(ContentDir() + "/" + folder + "/xml/KTWUpdates.xml",
                                                "//channel/pubDate", date),
                  ResultCode::Ok);
        char weekday[4] = {}, month[4] = {}, time[32] = {};
        int day = 0, year = 0;
        ASSERT_EQ(
            std::sscanf(date.c_str(), "%3s, %d %3s %d %31s", weekday, &day, month, &year, time), 5)
            << date;
        const std::string months = "JANFEBMARAPRMAYJUNJULAUGSEPOCTNOVDEC";
        std::string upper(month);
        std::transform(upper.begin(), upper.end(), upper.begin(), ::toupper);
        EXPECT_NE(months.find(upper), std::string::npos) << date;
        EXPECT_GE(year, 2000);
    }
}

TEST_F(ContentFilesTest, DocumentsVideoAndPicturesAreRealAndSmall) {
    for (const std::string& folder : ContentFolderNames()) {
        const std::string ui = ContentDir() + "/" + folder + "/ui";
        const auto pdfs = FilesBelow(ui, ".pdf");
        ASSERT_GE(pdfs.size(), 2u);
        for (const std::string& pdf : pdfs) {
            const std::string bytes = ReadBytes(pdf);
            EXPECT_EQ(bytes.rfind("%PDF-", 0), 0u) << pdf;
            EXPECT_NE(bytes.find("%%EOF", bytes.size() - 16), std::string::npos) << pdf;
            EXPECT_GE(Count(bytes, "/Type /Page "), 2u) << pdf;
            EXPECT_LT(bytes.size(), 100u * 1024) << pdf;
        }
        const auto videos = FilesBelow(ui + "/video", ".webm");
        ASSERT_FALSE(videos.empty());
        for (const std::string& video : videos) {
            const std::string bytes = ReadBytes(video);
            EXPECT_EQ(bytes.substr(0, 4), std::string("\x1a\x45\xdf\xa3")) << video;
            EXPECT_LT(bytes.size(), 300u * 1024) << video;
        }
        const auto pictures = FilesBelow(ui + "/images", ".png");
        EXPECT_GE(pictures.size(), 20u);
        for (const std::string& picture : pictures)
            EXPECT_EQ(ReadBytes(picture).substr(0, 8), std::string("\x89PNG\r\n\x1a\n")) << picture;
        for (const char* state : {"ready", "warning", "error"})
            EXPECT_TRUE(fs::exists(ui + "/images/status/" + state + ".png")) << state;
    }
}

} // namespace
} // namespace kaldo::testsupport
