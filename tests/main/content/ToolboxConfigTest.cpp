#include "main/content/ToolboxConfig.h"

#include "ContentTestFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kaldo {
namespace {

using testsupport::ShellData;

class ToolboxConfigTest : public testsupport::TempFolderTest {
protected:
    // Places a configuration file as toolbox.xml of a content folder of its own.
    std::string ContentFolder(const std::string& dataFile) {
        const std::string folder = Path(dataFile + ".d");
        testsupport::CopyInto(ShellData("config/" + dataFile), folder + "/toolbox.xml");
        return folder;
    }

    bool Load(ToolboxConfig& config, const std::string& dataFile,
              const std::string& model = "Presslane 4200") {
        return config.Load(ContentFolder(dataFile), model);
    }
};

TEST_F(ToolboxConfigTest, LoadsEverySectionWhateverTheirOrder) {
    ToolboxConfig config;
    ASSERT_TRUE(Load(config, "complete.xml"));

    EXPECT_EQ(config.ConfigPath(), Path("complete.xml.d/toolbox.xml"));
    EXPECT_EQ(config.DriverName(), "Kaldo Presslane 4200");
    EXPECT_EQ(config.PSWinPath(), "/usr/lib/kaldo/ktwutil");
    EXPECT_EQ(config.URL_Model(), "model=4200");
    EXPECT_EQ(config.URL_Product(), "product/4200");
    EXPECT_EQ(config.URL_PrinterType(), "type/mono");
    EXPECT_EQ(config.Error_DialogTitle_L10N(), "Kaldo Tendwell");
    EXPECT_EQ(config.Error_NoNetworkText_L10N(), "No network connection.");
    EXPECT_EQ(config.Error_NoWebText_L10N(), "The web site cannot be reached.");
    EXPECT_EQ(config.Error_ContentNotFoundText_L10N(), "The content was not found.");
    EXPECT_EQ(config.Error_PrinterNotFoundText_L10N(), "The printer was not found.");
    EXPECT_EQ(config.Error_DriverSettings_L10N(), "The driver settings cannot be shown.");
    EXPECT_EQ(config.Error_SaveSettings_L10N(), "The settings cannot be saved.");
    EXPECT_EQ(config.Error_NoAcrobat_L10N(), "No PDF reader is installed.");
    EXPECT_EQ(config.WindowTitle_L10N(), "Kaldo Tendwell — Hilfe für Drucker");
    EXPECT_EQ(config.UserGuide(), "userguide.pdf");
    EXPECT_EQ(config.DocFolder(), "docs");
    EXPECT_EQ(config.StatusPage(), "status.html");
    EXPECT_EQ(config.URL_Updates(), "https://www.kaldo.example/updates/KTWUpdates.xml");
    EXPECT_EQ(config.DefaultTab(), 1);
    EXPECT_TRUE(config.PrinterAddress().empty());
    EXPECT_TRUE(config.PrinterWebUrl().empty());

    const PathsRecord paths = config.Paths();
    EXPECT_EQ(paths.Data_Folder, "Data");
    EXPECT_EQ(paths.Product_Folder, "Presslane4200");
    EXPECT_EQ(paths.UI_Folder, "UI");
    EXPECT_EQ(paths.Data_XML_Folder, "xml");
    EXPECT_EQ(paths.Doc_Folder, "docs");
    EXPECT_EQ(paths.Video_Folder, "video");
    EXPECT_EQ(paths.ImagesFolder, "images");
    EXPECT_EQ(paths.File_ProductCaptionGIF, "caption.gif");
    EXPECT_EQ(paths.ModelGIF, "model4200.gif");
}

TEST_F(ToolboxConfigTest, FilesRecordKeepsItsFixedOrder) {
    ToolboxConfig config;
    ASSERT_TRUE(Load(config, "complete.xml"));
    const FileNames f = config.Files();
    const std::vector<std::string> inOrder{f.File_IndexUG,
                                           f.File_IndexNonUG,
                                           f.File_IndexAUG,
                                           f.File_IndexCombined1,
                                           f.File_IndexCombined2,
                                           f.File_IndexContent_XSL,
                                           f.File_IndexSort_XSL,
                                           f.File_Index_XSL,
                                           f.File_Index,
                                           f.File_IndexContent,
                                           f.File_Search,
                                           f.File_Synonym,
                                           f.File_Search_XSL,
                                           f.File_SearchContent_XSL,
                                           f.File_SearchSort_XSL,
                                           f.File_Search_HTML,
                                           f.File_SearchContent,
                                           f.File_Header,
                                           f.File_Header_XML,
                                           f.File_Header_XSL,
                                           f.File_Status,
                                           f.File_Status_XML,
                                           f.File_Status_XSL,
                                           f.File_No_Status,
                                           f.File_Footer_XML,
                                           f.File_Solutions_XML,
                                           f.File_SolutionsCombined_XML,
                                           f.File_Solutions_XSL,
                                           f.File_Current_XSL,
                                           f.File_Solutions,
                                           f.File_CurrentProblem};
    const std::vector<std::string> expected{
        "indexug.xml",        "indexnonug.xml",     "indexaug.xml",
        "indexcombined1.xml", "indexcombined2.xml", "indexcontent.xsl",
        "indexsort.xsl",      "index.xsl",          "index.html",
        "indexcontent.html",  "search.xml",         "synonym.xml",
        "search.xsl",         "searchcontent.xsl",  "searchsort.xsl",
        "search.html",        "searchcontent.html", "header.html",
        "header.xml",         "header.xsl",         "status.html",
        "status.xml",         "status.xsl",         "nostatus.html",
        "footer.xml",         "solutions.xml",      "solutionscombined.xml",
        "solutions.xsl",      "current.xsl",        "solutions.html",
        "currentproblem.html"};
    EXPECT_EQ(inOrder, expected);
}

TEST_F(ToolboxConfigTest, FirstSectionAndElementRulesHold) {
    ToolboxConfig config;
    ASSERT_TRUE(Load(config, "complete.xml"));
    // The second ErrorStrings section is not read; within ErrorStrings the first element counts.
    EXPECT_EQ(config.Error_DialogTitle_L10N(), "Kaldo Tendwell");
    EXPECT_EQ(config.Error_NoFlash_L10N(), "No video player is installed.");
    // Elsewhere a later element overwrites an earlier one.
    EXPECT_EQ(config.Language_L10N(), "EN");
}

TEST_F(ToolboxConfigTest, NumbersAreReadFromTheStartOfTheText) {
    ToolboxConfig config;
    ASSERT_TRUE(Load(config, "complete.xml"));
    EXPECT_EQ(config.DisplayToner(), 1);
    EXPECT_EQ(config.StatusOverUSB(), -1);
    EXPECT_EQ(config.CaptionText_Width(), 240);
    EXPECT_EQ(config.CaptionText_Height(), 0); // "high" is no number
}

TEST_F(ToolboxConfigTest, ComposesTheWebAddressesFromWebAndModelData) {
    ToolboxConfig config;
    ASSERT_TRUE(Load(config, "complete.xml"));
    EXPECT_EQ(config.ModelPageUrl(),
              "https://www.kaldo.example/support/model?app=tendwell&page=model&model=4200"
              "&Language=en");
    EXPECT_EQ(config.SuppliesPageUrl(), "https://www.kaldo.example/supplies/type/mono");
    EXPECT_EQ(config.ServicePageUrl(), "https://www.kaldo.example/service/product/4200");
    EXPECT_EQ(config.UatPageUrl(), "https://www.kaldo.example/uat/en");
}

TEST_F(ToolboxConfigTest, EmptyWebLeavesOnlyTheSeparators) {
    ToolboxConfig config;
    ASSERT_TRUE(Load(config, "empty-web.xml"));
    EXPECT_EQ(config.ModelPageUrl(), "?&&&Language=");
    EXPECT_EQ(config.SuppliesPageUrl(), "");
    EXPECT_EQ(config.ServicePageUrl(), "");
    EXPECT_EQ(config.UatPageUrl(), "");
    EXPECT_EQ(config.URL_Updates(), "");
}

TEST_F(ToolboxConfigTest, TabsAndPagesArePlacedAtTheirIds) {
    ToolboxConfig config;
    ASSERT_TRUE(Load(config, "complete.xml"));
    const std::vector<ToolboxTab>& tabs = config.Tabs();
    ASSERT_EQ(tabs.size(), 3u);
    EXPECT_EQ(tabs[0].TabName_L10N, "Home");
    EXPECT_EQ(tabs[1].TabName_L10N, "Search");
    EXPECT_EQ(tabs[2].TabName_L10N, "Troubleshooting");
    EXPECT_EQ(tabs[0].PageCount, 3);
    EXPECT_EQ(tabs[0].Default, 2);
    ASSERT_EQ(tabs[0].Pages.size(), 3u);
    EXPECT_EQ(tabs[0].Pages[1].PageName_L10N, "News");
    EXPECT_EQ(tabs[0].Pages[2].File, "home2.html");
    EXPECT_EQ(tabs[2].PageCount, 2);
}

TEST_F(ToolboxConfigTest, LaterMarkedTabAndItsLastPageGiveTheSearchPage) {
    ToolboxConfig config;
    ASSERT_TRUE(Load(config, "complete.xml"));
    // Tab 1 marks page 1 and has page 2 after it; tab 2, later in the file, marks page 0 and
    // has page 1 after it.
    EXPECT_EQ(config.SearchTab(), 2);
    EXPECT_EQ(config.SearchPage(), 1);
}

TEST_F(ToolboxConfigTest, PageFilesFollowTheTabDefaults) {
    ToolboxConfig config;
    ASSERT_TRUE(Load(config, "complete.xml"));
    EXPECT_EQ(config.DefaultPageFile(), "search0.html");
    EXPECT_EQ(config.TabPageFile(0), "home2.html");
    EXPECT_EQ(config.PageFile(0, 1), "home1.html");
    EXPECT_EQ(config.Tabs()[0].Default, 1);
    EXPECT_EQ(config.TabPageFile(0), "home1.html");
}

TEST_F(ToolboxConfigTest, PageBeyondTheTabFallsBackToPageZero) {
    ToolboxConfig config;
    ASSERT_TRUE(Load(config, "complete.xml"));
    EXPECT_EQ(config.PageFile(0, 7), "home0.html");
    EXPECT_EQ(config.Tabs()[0].Default, 0);
    EXPECT_EQ(config.PageFile(0, -1), "home0.html");
}

TEST_F(ToolboxConfigTest, UnknownTabGivesNoFile) {
    ToolboxConfig config;
    ASSERT_TRUE(Load(config, "complete.xml"));
    EXPECT_EQ(config.TabPageFile(3), "");
    EXPECT_EQ(config.TabPageFile(-1), "");
    EXPECT_EQ(config.PageFile(9, 0), "");
    EXPECT_EQ(ToolboxConfig().DefaultPageFile(), "");
}

TEST_F(ToolboxConfigTest, CollectsNonEmptyFramesAndWebsInTabOrder) {
    ToolboxConfig config;
    ASSERT_TRUE(Load(config, "complete.xml"));
    std::vector<std::string> frames{"kept"};
    config.CollectFrames(frames);
    EXPECT_EQ(frames, (std::vector<std::string>{"kept", "home_top.html", "home_bottom.html",
                                                "trouble_frame.html"}));
    std::vector<std::string> webs;
    config.CollectWebs(webs);
    EXPECT_EQ(webs, (std::vector<std::string>{"https://www.kaldo.example/news.html",
                                              "https://www.kaldo.example/solutions.html"}));
}

TEST_F(ToolboxConfigTest, FirstModelDataOfTheModelIsUsed) {
    ToolboxConfig config;
    ASSERT_TRUE(Load(config, "models.xml"));
    EXPECT_EQ(config.DriverName(), "Kaldo Presslane 4200");
    EXPECT_EQ(config.ModelPageUrl(),
              "https://www.kaldo.example/model?app&page&model=first&Language=en");
}

TEST_F(ToolboxConfigTest, ModelIsComparedWithCase) {
    ToolboxConfig config;
    ASSERT_TRUE(Load(config, "models.xml", "presslane 4200"));
    EXPECT_EQ(config.DriverName(), "Kaldo lower case");
    EXPECT_FALSE(Load(config, "models.xml", "PRESSLANE 4200"));
}

TEST_F(ToolboxConfigTest, ModelDataWithoutModelMatchesOnlyAnEmptyModel) {
    ToolboxConfig config;
    ASSERT_TRUE(Load(config, "models.xml", ""));
    EXPECT_EQ(config.DriverName(), "Kaldo Generic");
    ToolboxConfig other;
    EXPECT_FALSE(Load(other, "models.xml", "Presslane 9999"));
    EXPECT_EQ(other.DriverName(), "");
}

TEST_F(ToolboxConfigTest, ProductFolderFromPathsWins) {
    ToolboxConfig config;
    ASSERT_TRUE(Load(config, "product-folder-both.xml"));
    EXPECT_EQ(config.Paths().Product_Folder, "FromPaths");
}

TEST_F(ToolboxConfigTest, ProductFolderFromModelDataStaysWhenPathsHasNone) {
    ToolboxConfig config;
    ASSERT_TRUE(Load(config, "complete.xml"));
    ASSERT_TRUE(Load(config, "product-folder-both.xml"));
    ASSERT_TRUE(Load(config, "complete.xml"));
    EXPECT_EQ(config.Paths().Product_Folder, "Presslane4200");
}

TEST_F(ToolboxConfigTest, EightOfNineErrorTextsFail) {
    ToolboxConfig config;
    EXPECT_FALSE(Load(config, "eight-errors.xml"));
    // The reader that failed set nothing; the one before it did.
    EXPECT_EQ(config.Error_DialogTitle_L10N(), "");
    EXPECT_EQ(config.DriverName(), "Kaldo Presslane 4200");
}

TEST_F(ToolboxConfigTest, MalformedFileFails) {
    ToolboxConfig config;
    EXPECT_FALSE(Load(config, "malformed.xml"));
    EXPECT_EQ(config.DriverName(), "");
    EXPECT_EQ(config.ConfigPath(), Path("malformed.xml.d/toolbox.xml"));
}

TEST_F(ToolboxConfigTest, MissingFileFails) {
    ToolboxConfig config;
    EXPECT_FALSE(config.Load(Path("nothing-here"), "Presslane 4200"));
    EXPECT_FALSE(config.Load(m_folder, "Presslane 4200"));
}

TEST_F(ToolboxConfigTest, ConfigurationFileIsFoundWithoutRegardToCase) {
    testsupport::CopyInto(ShellData("config/complete.xml"), Path("content/Toolbox.XML"));
    ToolboxConfig config;
    EXPECT_TRUE(config.Load(Path("content"), "Presslane 4200"));
}

TEST_F(ToolboxConfigTest, MissingSectionAfterTabInfoFailsButKeepsWhatWasRead) {
    ToolboxConfig config;
    EXPECT_FALSE(Load(config, "no-paths.xml"));
    EXPECT_EQ(config.DriverName(), "Kaldo Presslane 4200 partial");
    EXPECT_EQ(config.WindowTitle_L10N(), "Partial title");
    ASSERT_EQ(config.Tabs().size(), 1u);
    EXPECT_EQ(config.Tabs()[0].Pages[0].File, "only.html");
    // Web comes after Paths and was not reached.
    EXPECT_EQ(config.ModelPageUrl(), "");
}

TEST_F(ToolboxConfigTest, FailedReloadKeepsFieldsOfUnreachedSections) {
    ToolboxConfig config;
    ASSERT_TRUE(Load(config, "complete.xml"));
    EXPECT_FALSE(Load(config, "no-application-info.xml"));
    EXPECT_EQ(config.DriverName(), "Kaldo Presslane 4200 retry");
    EXPECT_EQ(config.Error_DialogTitle_L10N(), "Retry title");
    EXPECT_EQ(config.WindowTitle_L10N(), "Kaldo Tendwell — Hilfe für Drucker");
    EXPECT_EQ(config.Tabs().size(), 3u);
    EXPECT_EQ(config.ModelPageUrl(),
              "https://www.kaldo.example/support/model?app=tendwell&page=model&model=4200"
              "&Language=en");
}

TEST_F(ToolboxConfigTest, ReloadReplacesTheTabsInsteadOfAddingToThem) {
    ToolboxConfig config;
    ASSERT_TRUE(Load(config, "complete.xml"));
    ASSERT_TRUE(Load(config, "complete.xml"));
    EXPECT_EQ(config.Tabs().size(), 3u);
    std::vector<std::string> frames;
    config.CollectFrames(frames);
    EXPECT_EQ(frames.size(), 3u);
}

TEST_F(ToolboxConfigTest, ReloadForAnotherModelDropsTheOldModelValues) {
    ToolboxConfig config;
    ASSERT_TRUE(Load(config, "complete.xml"));
    ASSERT_TRUE(Load(config, "empty-web.xml"));
    EXPECT_EQ(config.PSWinPath(), "");
    EXPECT_EQ(config.URL_Model(), "");
    EXPECT_EQ(config.Paths().ModelGIF, "");
}

TEST_F(ToolboxConfigTest, PrinterAddressesAreSetFromOutside) {
    ToolboxConfig config;
    config.SetPrinterAddress("192.0.2.7");
    config.SetPrinterWebUrl("http://192.0.2.7/");
    ASSERT_TRUE(Load(config, "complete.xml"));
    EXPECT_EQ(config.PrinterAddress(), "192.0.2.7");
    EXPECT_EQ(config.PrinterWebUrl(), "http://192.0.2.7/");
}

} // namespace
} // namespace kaldo
