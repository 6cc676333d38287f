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

    std::string Error_DialogTitle_L10N() const { return m_Error_DialogTitle_L10N; }
    std::string Error_NoNetworkText_L10N() const { return m_Error_NoNetworkText_L10N; }
    std::string Error_NoWebText_L10N() const { return m_Error_NoWebText_L10N; }
    std::string Error_ContentNotFoundText_L10N() const { return m_Error_ContentNotFoundText_L10N; }
    std::string Error_PrinterNotFoundText_L10N() const { return m_Error_PrinterNotFoundText_L10N; }
    std::string Error_DriverSettings_L10N() const { return m_Error_DriverSettings_L10N; }
    std::string Error_SaveSettings_L10N() const { return m_Error_SaveSettings_L10N; }
    std::string Error_NoAcrobat_L10N() const { return m_Error_NoAcrobat_L10N; }
    std::string Error_NoFlash_L10N() const { return m_Error_NoFlash_L10N; }
    std::string WindowTitle_L10N() const { return m_WindowTitle_L10N; }
    std::string Language_L10N() const { return m_Language_L10N; }
    std::string UserGuide() const { return m_UserGuide; }
    std::string DocFolder() const { return m_DocFolder; }
    std::string StatusPage() const { return m_StatusPage; }
    std::string DriverName() const { return m_DriverName; }
    std::string PrinterAddress() const { return m_PrinterAddress; }
    std::string PrinterWebUrl() const { return m_PrinterWebUrl; }
    std::string ModelPageUrl() const { return m_ModelPageUrl; }
    std::string SuppliesPageUrl() const { return m_SuppliesPageUrl; }
    std::string ServicePageUrl() const { return m_ServicePageUrl; }
    std::string UatPageUrl() const { return m_UatPageUrl; }
    std::string ConfigPath() const { return m_ConfigPath; }
    std::string URL_Updates() const { return m_URL_Updates; }
    int DisplayToner() const { return m_DisplayToner; }
    int StatusOverUSB() const { return m_StatusOverUSB; }
    int CaptionText_Width() const { return m_CaptionText_Width; }
    int CaptionText_Height() const { return m_CaptionText_Height; }
    const std::vector<ToolboxTab>& Tabs() const { return m_Tabs; }
    int DefaultTab() const { return m_DefaultTab; }
    int SearchTab() const { return m_SearchTab; }
    int SearchPage() const { return m_SearchPage; }
    FileNames Files() const { return m_Files; }
    std::string PSWinPath() const { return m_PSWinPath; }
    PathsRecord Paths() const { return m_Paths; }
    std::string URL_Model() const { return m_URL_Model; }
    std::string URL_Product() const { return m_URL_Product; }
    std::string URL_PrinterType() const { return m_URL_PrinterType; }

    // Not from the file: the selected printer's address and its own web server.
    void SetPrinterAddress(std::string address) { m_PrinterAddress = std::move(address); }
    void SetPrinterWebUrl(std::string url) { m_PrinterWebUrl = std::move(url); }

private:
    friend class ToolboxConfigReader;

    std::string m_Error_DialogTitle_L10N;
    std::string m_Error_NoNetworkText_L10N;
    std::string m_Error_NoWebText_L10N;
    std::string m_Error_ContentNotFoundText_L10N;
    std::string m_Error_PrinterNotFoundText_L10N;
    std::string m_Error_DriverSettings_L10N;
    std::string m_Error_SaveSettings_L10N;
    std::string m_Error_NoAcrobat_L10N;
    std::string m_Error_NoFlash_L10N;
    std::string m_WindowTitle_L10N;
    std::string m_Language_L10N;
    std::string m_UserGuide;
    std::string m_DocFolder;
    std::string m_StatusPage;
    std::string m_DriverName;
    std::string m_PrinterAddress;
    std::string m_PrinterWebUrl;
    std::string m_ModelPageUrl;
    std::string m_SuppliesPageUrl;
    std::string m_ServicePageUrl;
    std::string m_UatPageUrl;
    std::string m_ConfigPath;
    std::string m_URL_Updates;
    int m_DisplayToner = 0;
    int m_StatusOverUSB = 0;
    int m_CaptionText_Width = 0;
    int m_CaptionText_Height = 0;
    std::vector<ToolboxTab> m_Tabs;
    int m_DefaultTab = 0;
    int m_SearchTab = 0;
    int m_SearchPage = 0;
    FileNames m_Files;
    std::string m_PSWinPath;
    PathsRecord m_Paths;
    std::string m_URL_Model;
    std::string m_URL_Product;
    std::string m_URL_PrinterType;
};

} // namespace kaldo
