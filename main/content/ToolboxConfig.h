#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kaldo {

struct ToolboxPage {
    std::string PageName_L10N;
    std::string File;
    std::vector<std::string> Frames;
    std::vector<std::string> Webs;
};

struct ToolboxTab {
    std::vector<ToolboxPage> Pages;
    int Default = 0; // page ID; follows the page last shown in the tab
    std::string TabName_L10N;
    int PageCount = 0;
};

// The 31 file names in the order page builders rely on. `File_Search` names the search data
// file (DataFiles); `File_Search_HTML` the generated search page (HTMLFiles).
struct FileNames {
    std::string File_IndexUG;
    std::string File_IndexNonUG;
    std::string File_IndexAUG;
    std::string File_IndexCombined1;
    std::string File_IndexCombined2;
    std::string File_IndexContent_XSL;
    std::string File_IndexSort_XSL;
    std::string File_Index_XSL;
    std::string File_Index;
    std::string File_IndexContent;
    std::string File_Search;
    std::string File_Synonym;
    std::string File_Search_XSL;
    std::string File_SearchContent_XSL;
    std::string File_SearchSort_XSL;
    std::string File_Search_HTML;
    std::string File_SearchContent;
    std::string File_Header;
    std::string File_Header_XML;
    std::string File_Header_XSL;
    std::string File_Status;
    std::string File_Status_XML;
    std::string File_Status_XSL;
    std::string File_No_Status;
    std::string File_Footer_XML;
    std::string File_Solutions_XML;
    std::string File_SolutionsCombined_XML;
    std::string File_Solutions_XSL;
    std::string File_Current_XSL;
    std::string File_Solutions;
    std::string File_CurrentProblem;
};

struct PathsRecord {
    std::string Data_Folder;
    std::string Product_Folder;
    std::string UI_Folder;
    std::string Data_XML_Folder;
    std::string Doc_Folder;
    std::string Video_Folder;
    std::string ImagesFolder;
    std::string File_ProductCaptionGIF;
    std::string ModelGIF;
};

// The configuration of one printer model, read from a content folder's toolbox.xml.
// A record may be loaded several times; each section that reads successfully replaces the
// fields it owns, so a failed load keeps what its successful sections had set.
class ToolboxConfig final {
public:
    bool Load(std::string_view folder, std::string_view model);

    std::string DefaultPageFile() const;
    std::string TabPageFile(int tab) const;
    // Falls back to page 0 when `page` is out of range; the chosen page becomes the tab's
    // Default.
    std::string PageFile(int tab, int page);
    void CollectFrames(std::vector<std::string>& out) const;
    void CollectWebs(std::vector<std::string>& out) const;

    std::string Error_DialogTitle_L10N() const { return m_errorDialogTitleL10N; }
    std::string Error_NoNetworkText_L10N() const { return m_errorNoNetworkTextL10N; }
    std::string Error_NoWebText_L10N() const { return m_errorNoWebTextL10N; }
    std::string Error_ContentNotFoundText_L10N() const { return m_errorContentNotFoundTextL10N; }
    std::string Error_PrinterNotFoundText_L10N() const { return m_errorPrinterNotFoundTextL10N; }
    std::string Error_DriverSettings_L10N() const { return m_errorDriverSettingsL10N; }
    std::string Error_SaveSettings_L10N() const { return m_errorSaveSettingsL10N; }
    std::string Error_NoAcrobat_L10N() const { return m_errorNoAcrobatL10N; }
    std::string Error_NoFlash_L10N() const { return m_errorNoFlashL10N; }
    std::string WindowTitle_L10N() const { return m_windowTitleL10N; }
    std::string Language_L10N() const { return m_languageL10N; }
    std::string UserGuide() const { return m_userGuide; }
    std::string DocFolder() const { return m_docFolder; }
    std::string StatusPage() const { return m_statusPage; }
    std::string DriverName() const { return m_driverName; }
    std::string PrinterAddress() const { return m_printerAddress; }
    std::string PrinterWebUrl() const { return m_printerWebUrl; }
    std::string ModelPageUrl() const { return m_modelPageUrl; }
    std::string SuppliesPageUrl() const { return m_suppliesPageUrl; }
    std::string ServicePageUrl() const { return m_servicePageUrl; }
    std::string UatPageUrl() const { return m_uatPageUrl; }
    std::string ConfigPath() const { return m_configPath; }
    std::string URL_Updates() const { return m_urlUpdates; }
    int DisplayToner() const { return m_displayToner; }
    int StatusOverUSB() const { return m_statusOverUsb; }
    int CaptionText_Width() const { return m_captionTextWidth; }
    int CaptionText_Height() const { return m_captionTextHeight; }
    const std::vector<ToolboxTab>& Tabs() const { return m_tabs; }
    int DefaultTab() const { return m_defaultTab; }
    int SearchTab() const { return m_searchTab; }
    int SearchPage() const { return m_searchPage; }
    FileNames Files() const { return m_files; }
    std::string PSWinPath() const { return m_psWinPath; }
    PathsRecord Paths() const { return m_paths; }
    std::string URL_Model() const { return m_urlModel; }
    std::string URL_Product() const { return m_urlProduct; }
    std::string URL_PrinterType() const { return m_urlPrinterType; }

    // Not from the file: the selected printer's address and its own web server.
    void SetPrinterAddress(std::string address) { m_printerAddress = std::move(address); }
    void SetPrinterWebUrl(std::string url) { m_printerWebUrl = std::move(url); }

private:
    friend class ToolboxConfigReader;

    std::string m_errorDialogTitleL10N;
    std::string m_errorNoNetworkTextL10N;
    std::string m_errorNoWebTextL10N;
    std::string m_errorContentNotFoundTextL10N;
    std::string m_errorPrinterNotFoundTextL10N;
    std::string m_errorDriverSettingsL10N;
    std::string m_errorSaveSettingsL10N;
    std::string m_errorNoAcrobatL10N;
    std::string m_errorNoFlashL10N;
    std::string m_windowTitleL10N;
    std::string m_languageL10N;
    std::string m_userGuide;
    std::string m_docFolder;
    std::string m_statusPage;
    std::string m_driverName;
    std::string m_printerAddress;
    std::string m_printerWebUrl;
    std::string m_modelPageUrl;
    std::string m_suppliesPageUrl;
    std::string m_servicePageUrl;
    std::string m_uatPageUrl;
    std::string m_configPath;
    std::string m_urlUpdates;
    int m_displayToner = 0;
    int m_statusOverUsb = 0;
    int m_captionTextWidth = 0;
    int m_captionTextHeight = 0;
    std::vector<ToolboxTab> m_tabs;
    int m_defaultTab = 0;
    int m_searchTab = 0;
    int m_searchPage = 0;
    FileNames m_files;
    std::string m_psWinPath;
    PathsRecord m_paths;
    std::string m_urlModel;
    std::string m_urlProduct;
    std::string m_urlPrinterType;
};

} // namespace kaldo
