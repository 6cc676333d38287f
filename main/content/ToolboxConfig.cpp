#include "main/content/ToolboxConfig.h"

#include "main/pages/DocumentUtils.h"
#include "main/pages/XmlElements.h"
#include "platform/Paths.h"

#include <array>
#include <optional>

namespace kaldo {

namespace {

template <typename Record> struct TextField {
    const char* Name;
    std::string Record::*Field;
};

// Clears the fields of `table`, then fills them from the children of `section`; a later
// element of the same name overwrites an earlier one.
template <typename Record, size_t N>
void ReadTexts(const xmlNode* section, const std::array<TextField<Record>, N>& table,
               Record& record) {
    for (const auto& entry : table)
        (record.*entry.Field).clear();
    for (const xmlNode* child = FirstChildElement(section); child; child = NextElement(child)) {
        for (const auto& entry : table) {
            if (NameIs(child, entry.Name))
                record.*entry.Field = ElementText(child);
        }
    }
}

// Entries whose ID lies beyond the list are appended: the list then keeps file order.
template <typename T> void InsertAtId(std::vector<T>& list, int id, T item) {
    if (id >= 0 && static_cast<size_t>(id) <= list.size())
        list.insert(list.begin() + id, std::move(item));
    else
        list.push_back(std::move(item));
}

const std::array<TextField<FileNames>, 22> kDataFiles{{
    {"File_IndexUG", &FileNames::File_IndexUG},
    {"File_IndexNonUG", &FileNames::File_IndexNonUG},
    {"File_IndexAUG", &FileNames::File_IndexAUG},
    {"File_IndexCombined1", &FileNames::File_IndexCombined1},
    {"File_IndexCombined2", &FileNames::File_IndexCombined2},
    {"File_IndexContent_XSL", &FileNames::File_IndexContent_XSL},
    {"File_IndexSort_XSL", &FileNames::File_IndexSort_XSL},
    {"File_Index_XSL", &FileNames::File_Index_XSL},
    {"File_Search", &FileNames::File_Search},
    {"File_Synonym", &FileNames::File_Synonym},
    {"File_Search_XSL", &FileNames::File_Search_XSL},
    {"File_SearchContent_XSL", &FileNames::File_SearchContent_XSL},
    {"File_SearchSort_XSL", &FileNames::File_SearchSort_XSL},
    {"File_Header_XML", &FileNames::File_Header_XML},
    {"File_Header_XSL", &FileNames::File_Header_XSL},
    {"File_Status_XML", &FileNames::File_Status_XML},
    {"File_Status_XSL", &FileNames::File_Status_XSL},
    {"File_Footer_XML", &FileNames::File_Footer_XML},
    {"File_Solutions_XML", &FileNames::File_Solutions_XML},
    {"File_SolutionsCombined_XML", &FileNames::File_SolutionsCombined_XML},
    {"File_Solutions_XSL", &FileNames::File_Solutions_XSL},
    {"File_Current_XSL", &FileNames::File_Current_XSL},
}};

const std::array<TextField<FileNames>, 9> kHtmlFiles{{
    {"File_Header", &FileNames::File_Header},
    {"File_Status", &FileNames::File_Status},
    {"File_No_Status", &FileNames::File_No_Status},
    {"File_Index", &FileNames::File_Index},
    {"File_Search", &FileNames::File_Search_HTML},
    {"File_IndexContent", &FileNames::File_IndexContent},
    {"File_SearchContent", &FileNames::File_SearchContent},
    {"File_Solutions", &FileNames::File_Solutions},
    {"File_CurrentProblem", &FileNames::File_CurrentProblem},
}};

const std::array<TextField<PathsRecord>, 2> kImageInfo{{
    {"ImagesFolder", &PathsRecord::ImagesFolder},
    {"File_ProductCaptionGIF", &PathsRecord::File_ProductCaptionGIF},
}};

const std::array<TextField<PathsRecord>, 5> kPaths{{
    {"Data_Folder", &PathsRecord::Data_Folder},
    {"UI_Folder", &PathsRecord::UI_Folder},
    {"Data_XML_Folder", &PathsRecord::Data_XML_Folder},
    {"Doc_Folder", &PathsRecord::Doc_Folder},
    {"Video_Folder", &PathsRecord::Video_Folder},
}};

struct ModelDataValues {
    std::string DriverName;
    std::string Product_Folder;
    std::string URL_Model;
    std::string URL_Product;
    std::string URL_PrinterType;
    std::string PSWinPath;
    std::string ModelGIF;
};

const std::array<TextField<ModelDataValues>, 7> kModelData{{
    {"DriverName", &ModelDataValues::DriverName},
    {"Product_Folder", &ModelDataValues::Product_Folder},
    {"URL_Model", &ModelDataValues::URL_Model},
    {"URL_Product", &ModelDataValues::URL_Product},
    {"URL_PrinterType", &ModelDataValues::URL_PrinterType},
    {"PSWinPath", &ModelDataValues::PSWinPath},
    {"ModelGIF", &ModelDataValues::ModelGIF},
}};

struct WebParts {
    std::string URL_Part1;
    std::string URL_Supplies;
    std::string URL_Service;
    std::string URL_UAT;
    std::string URL_App;
    std::string URL_Page;
    std::string URL_Language_L10N;
    std::string URL_Updates;
};

const std::array<TextField<WebParts>, 8> kWeb{{
    {"URL_Part1", &WebParts::URL_Part1},
    {"URL_Supplies", &WebParts::URL_Supplies},
    {"URL_Service", &WebParts::URL_Service},
    {"URL_UAT", &WebParts::URL_UAT},
    {"URL_App", &WebParts::URL_App},
    {"URL_Page", &WebParts::URL_Page},
    {"URL_Language_L10N", &WebParts::URL_Language_L10N},
    {"URL_Updates", &WebParts::URL_Updates},
}};

void CollectEntries(const std::vector<ToolboxTab>& tabs,
                    std::vector<std::string> ToolboxPage::*list, std::vector<std::string>& out) {
    for (const ToolboxTab& tab : tabs) {
        for (const ToolboxPage& page : tab.Pages) {
            for (const std::string& entry : page.*list) {
                if (!entry.empty())
                    out.push_back(entry);
            }
        }
    }
}

} // namespace

// The section readers; each fails only when its section (or a required part of it) is
// missing, and then leaves the record unchanged.
class ToolboxConfigReader final {
public:
    ToolboxConfigReader(ToolboxConfig& config, const xmlNode* root)
        : m_config(config)
        , m_root(root) {}

    bool ModelData(std::string_view model) {
        for (const xmlNode* node = FirstChildElement(m_root); node; node = NextElement(node)) {
            if (!NameIs(node, "ModelData") || AttributeText(node, "model").value_or("") != model)
                continue;
            ModelDataValues values;
            ReadTexts(node, kModelData, values);
            m_config.m_driverName = std::move(values.DriverName);
            m_config.m_paths.Product_Folder = std::move(values.Product_Folder);
            m_config.m_urlModel = std::move(values.URL_Model);
            m_config.m_urlProduct = std::move(values.URL_Product);
            m_config.m_urlPrinterType = std::move(values.URL_PrinterType);
            m_config.m_psWinPath = std::move(values.PSWinPath);
            m_config.m_paths.ModelGIF = std::move(values.ModelGIF);
            return true;
        }
        return false;
    }

    bool ErrorStrings() {
        const xmlNode* section = Section("ErrorStrings");
        if (!section)
            return false;
        const std::array<std::pair<const char*, std::string*>, 9> fields{{
            {"Error_DialogTitle_L10N", &m_config.m_errorDialogTitleL10N},
            {"Error_NoNetworkText_L10N", &m_config.m_errorNoNetworkTextL10N},
            {"Error_NoWebText_L10N", &m_config.m_errorNoWebTextL10N},
            {"Error_ContentNotFoundText_L10N", &m_config.m_errorContentNotFoundTextL10N},
            {"Error_PrinterNotFoundText_L10N", &m_config.m_errorPrinterNotFoundTextL10N},
            {"Error_DriverSettings_L10N", &m_config.m_errorDriverSettingsL10N},
            {"Error_SaveSettings_L10N", &m_config.m_errorSaveSettingsL10N},
            {"Error_NoAcrobat_L10N", &m_config.m_errorNoAcrobatL10N},
            {"Error_NoFlash_L10N", &m_config.m_errorNoFlashL10N},
        }};
        std::array<std::optional<std::string>, 9> texts;
        for (const xmlNode* child = FirstChildElement(section); child; child = NextElement(child)) {
            for (size_t i = 0; i < fields.size(); ++i) {
                if (!texts[i] && NameIs(child, fields[i].first))
                    texts[i] = ElementText(child);
            }
        }
        for (const auto& text : texts) {
            if (!text)
                return false;
        }
        for (size_t i = 0; i < fields.size(); ++i)
            *fields[i].second = std::move(*texts[i]);
        return true;
    }

    bool ApplicationInfo() {
        const xmlNode* section = Section("ApplicationInfo");
        if (!section)
            return false;
        ToolboxConfig& c = m_config;
        c.m_windowTitleL10N.clear();
        c.m_languageL10N.clear();
        c.m_displayToner = c.m_statusOverUsb = c.m_captionTextWidth = c.m_captionTextHeight = 0;
        for (const xmlNode* child = FirstChildElement(section); child; child = NextElement(child)) {
            if (NameIs(child, "WindowTitle_L10N"))
                c.m_windowTitleL10N = ElementText(child);
            else if (NameIs(child, "Language_L10N"))
                c.m_languageL10N = ElementText(child);
            else if (NameIs(child, "DisplayToner"))
                c.m_displayToner = ElementNumber(child);
            else if (NameIs(child, "StatusOverUSB"))
                c.m_statusOverUsb = ElementNumber(child);
            else if (NameIs(child, "CaptionText_Width"))
                c.m_captionTextWidth = ElementNumber(child);
            else if (NameIs(child, "CaptionText_Height"))
                c.m_captionTextHeight = ElementNumber(child);
        }
        return true;
    }

    bool DataFiles() { return Texts("DataFiles", kDataFiles, m_config.m_files); }
    bool HTMLFiles() { return Texts("HTMLFiles", kHtmlFiles, m_config.m_files); }

    bool ContentFiles() {
        const std::array<TextField<ToolboxConfig>, 3> table{{
            {"DocFolder", &ToolboxConfig::m_docFolder},
            {"UserGuide", &ToolboxConfig::m_userGuide},
            {"StatusPage", &ToolboxConfig::m_statusPage},
        }};
        return Texts("ContentFiles", table, m_config);
    }

    bool TabInfo() {
        const xmlNode* section = Section("TabInfo");
        if (!section)
            return false;
        ToolboxConfig& c = m_config;
        c.m_tabs.clear();
        c.m_defaultTab = c.m_searchTab = c.m_searchPage = 0;
        for (const xmlNode* child = FirstChildElement(section); child; child = NextElement(child)) {
            if (NameIs(child, "Default"))
                c.m_defaultTab = ElementNumber(child);
            else if (NameIs(child, "Tab"))
                ReadTab(child);
        }
        return true;
    }

    bool ImageInfo() { return Texts("ImageInfo", kImageInfo, m_config.m_paths); }

    bool Paths() {
        const xmlNode* section = Section("Paths");
        if (!section)
            return false;
        ReadTexts(section, kPaths, m_config.m_paths);
        // Product_Folder also comes from ModelData; here it only overrides when given.
        for (const xmlNode* child = FirstChildElement(section); child; child = NextElement(child)) {
            if (NameIs(child, "Product_Folder"))
                m_config.m_paths.Product_Folder = ElementText(child);
        }
        return true;
    }

    bool Web() {
        const xmlNode* section = Section("Web");
        if (!section)
            return false;
        WebParts parts;
        ReadTexts(section, kWeb, parts);
        ToolboxConfig& c = m_config;
        c.m_modelPageUrl = parts.URL_Part1 + "?" + parts.URL_App + "&" + parts.URL_Page + "&" +
                           c.m_urlModel + "&Language=" + parts.URL_Language_L10N;
        c.m_suppliesPageUrl = parts.URL_Supplies + c.m_urlPrinterType;
        c.m_servicePageUrl = parts.URL_Service + c.m_urlProduct;
        c.m_uatPageUrl = parts.URL_UAT + parts.URL_Language_L10N;
        c.m_urlUpdates = std::move(parts.URL_Updates);
        return true;
    }

private:
    const xmlNode* Section(const char* name) const {
        for (const xmlNode* node = FirstChildElement(m_root); node; node = NextElement(node)) {
            if (NameIs(node, name))
                return node;
        }
        return nullptr;
    }

    template <typename Record, size_t N>
    bool Texts(const char* name, const std::array<TextField<Record>, N>& table, Record& record) {
        const xmlNode* section = Section(name);
        if (!section)
            return false;
        ReadTexts(section, table, record);
        return true;
    }

    void ReadTab(const xmlNode* tabNode) {
        ToolboxTab tab;
        int id = 0;
        bool searchFlag = false;
        for (const xmlNode* child = FirstChildElement(tabNode); child; child = NextElement(child)) {
            if (NameIs(child, "ID")) {
                id = ElementNumber(child);
            } else if (NameIs(child, "TabName_L10N")) {
                tab.TabName_L10N = ElementText(child);
            } else if (NameIs(child, "Default")) {
                tab.Default = ElementNumber(child);
            } else if (NameIs(child, "Page")) {
                ToolboxPage page;
                int pageId = 0;
                for (const xmlNode* item = FirstChildElement(child); item;
                     item = NextElement(item)) {
                    if (NameIs(item, "ID"))
                        pageId = ElementNumber(item);
                    else if (NameIs(item, "PageName_L10N"))
                        page.PageName_L10N = ElementText(item);
                    else if (NameIs(item, "File"))
                        page.File = ElementText(item);
                    else if (NameIs(item, "Frame"))
                        page.Frames.push_back(ElementText(item));
                    else if (NameIs(item, "Web"))
                        page.Webs.push_back(ElementText(item));
                    else if (NameIs(item, "SearchResults"))
                        searchFlag = true;
                }
                // Every page from the marked one to the end of the tab claims the search page.
                if (searchFlag)
                    m_config.m_searchPage = pageId;
                InsertAtId(tab.Pages, pageId, std::move(page));
                ++tab.PageCount;
            }
        }
        if (searchFlag)
            m_config.m_searchTab = id;
        InsertAtId(m_config.m_tabs, id, std::move(tab));
    }

    ToolboxConfig& m_config;
    const xmlNode* m_root;
};

bool ToolboxConfig::Load(std::string_view folder, std::string_view model) {
    m_configPath = ResolvePath(JoinPath(folder, "toolbox.xml"));
    XmlDocHandle document = ReadXmlFile(m_configPath);
    const xmlNode* root = document ? xmlDocGetRootElement(document.get()) : nullptr;
    if (!root)
        return false;
    ToolboxConfigReader reader(*this, root);
    return reader.ModelData(model) && reader.ErrorStrings() && reader.ApplicationInfo() &&
           reader.DataFiles() && reader.HTMLFiles() && reader.ContentFiles() && reader.TabInfo() &&
           reader.ImageInfo() && reader.Paths() && reader.Web();
}

std::string ToolboxConfig::DefaultPageFile() const {
    return TabPageFile(m_defaultTab);
}

std::string ToolboxConfig::TabPageFile(int tab) const {
    if (tab < 0 || static_cast<size_t>(tab) >= m_tabs.size())
        return {};
    const ToolboxTab& entry = m_tabs[tab];
    if (entry.Default < 0 || static_cast<size_t>(entry.Default) >= entry.Pages.size())
        return {};
    return entry.Pages[entry.Default].File;
}

std::string ToolboxConfig::PageFile(int tab, int page) {
    if (tab < 0 || static_cast<size_t>(tab) >= m_tabs.size())
        return {};
    ToolboxTab& entry = m_tabs[tab];
    if (page < 0 || page >= entry.PageCount)
        page = 0;
    entry.Default = page;
    if (static_cast<size_t>(page) >= entry.Pages.size())
        return {};
    return entry.Pages[page].File;
}

void ToolboxConfig::CollectFrames(std::vector<std::string>& out) const {
    CollectEntries(m_tabs, &ToolboxPage::Frames, out);
}

void ToolboxConfig::CollectWebs(std::vector<std::string>& out) const {
    CollectEntries(m_tabs, &ToolboxPage::Webs, out);
}

} // namespace kaldo
