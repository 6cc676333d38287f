#include "contenttool/ContentCheck.h"

#include "contenttool/ModelPages.h"
#include "contenttool/ProgramFolderStage.h"
#include "contenttool/SampleStatusDocument.h"
#include "contenttool/XmlDiagnostics.h"
#include "main/content/ContentCatalog.h"
#include "main/content/ContentFolders.h"
#include "main/pageinputs/PageInputs.h"
#include "main/pages/DocumentUtils.h"
#include "main/pages/XmlElements.h"
#include "main/pages/XmlHandles.h"
#include "main/status/StatusPages.h"
#include "platform/Paths.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <set>
#include <system_error>
#include <utility>

namespace kaldo {

namespace fs = std::filesystem;

namespace {

// The installer places content folders in this folder of the program folder.
constexpr char kDataFolder[] = "Data";
// A documentation address (TEST-NET-1): the footer shows it, nothing connects to it.
constexpr char kSampleAddress[] = "192.0.2.10";
constexpr char kSampleKeywords[] = "printer";

enum class FileRole {
    Input,      // a document of the content that the program reads
    Optional,   // an index the program merges when it is there and does without otherwise
    Stylesheet, // a stylesheet of the content
    StaticPage, // a page of the content in the UI folder
    Output,     // a document the program writes into the XML folder
    Page,       // a page the program writes into the UI folder
};

struct NamedFile {
    const char* Label;
    std::string FileNames::*Name;
    FileRole Role;
};

const NamedFile kNamedFiles[] = {
    {"File_IndexUG", &FileNames::File_IndexUG, FileRole::Input},
    {"File_IndexNonUG", &FileNames::File_IndexNonUG, FileRole::Optional},
    {"File_IndexAUG", &FileNames::File_IndexAUG, FileRole::Optional},
    {"File_IndexCombined1", &FileNames::File_IndexCombined1, FileRole::Output},
    {"File_IndexCombined2", &FileNames::File_IndexCombined2, FileRole::Output},
    {"File_IndexContent_XSL", &FileNames::File_IndexContent_XSL, FileRole::Stylesheet},
    {"File_IndexSort_XSL", &FileNames::File_IndexSort_XSL, FileRole::Stylesheet},
    {"File_Index_XSL", &FileNames::File_Index_XSL, FileRole::Stylesheet},
    {"File_Index", &FileNames::File_Index, FileRole::Page},
    {"File_IndexContent", &FileNames::File_IndexContent, FileRole::Page},
    {"File_Search of DataFiles", &FileNames::File_Search, FileRole::Output},
    {"File_Synonym", &FileNames::File_Synonym, FileRole::Input},
    {"File_Search_XSL", &FileNames::File_Search_XSL, FileRole::Stylesheet},
    {"File_SearchContent_XSL", &FileNames::File_SearchContent_XSL, FileRole::Stylesheet},
    {"File_SearchSort_XSL", &FileNames::File_SearchSort_XSL, FileRole::Stylesheet},
    {"File_Search of HTMLFiles", &FileNames::File_Search_HTML, FileRole::Page},
    {"File_SearchContent", &FileNames::File_SearchContent, FileRole::Page},
    {"File_Header", &FileNames::File_Header, FileRole::Page},
    {"File_Header_XML", &FileNames::File_Header_XML, FileRole::Output},
    {"File_Header_XSL", &FileNames::File_Header_XSL, FileRole::Stylesheet},
    {"File_Status", &FileNames::File_Status, FileRole::Page},
    {"File_Status_XML", &FileNames::File_Status_XML, FileRole::Output},
    {"File_Status_XSL", &FileNames::File_Status_XSL, FileRole::Stylesheet},
    {"File_No_Status", &FileNames::File_No_Status, FileRole::StaticPage},
    {"File_Footer_XML", &FileNames::File_Footer_XML, FileRole::Output},
    {"File_Solutions_XML", &FileNames::File_Solutions_XML, FileRole::Input},
    {"File_SolutionsCombined_XML", &FileNames::File_SolutionsCombined_XML, FileRole::Output},
    {"File_Solutions_XSL", &FileNames::File_Solutions_XSL, FileRole::Stylesheet},
    {"File_Current_XSL", &FileNames::File_Current_XSL, FileRole::Stylesheet},
    {"File_Solutions", &FileNames::File_Solutions, FileRole::Page},
    {"File_CurrentProblem", &FileNames::File_CurrentProblem, FileRole::Page},
};

const char* const kSections[] = {"ErrorStrings", "ApplicationInfo", "DataFiles",
                                 "HTMLFiles",    "ContentFiles",    "TabInfo",
                                 "ImageInfo",    "Paths",           "Web"};

const char* const kErrorStrings[] = {
    "Error_DialogTitle_L10N",         "Error_NoNetworkText_L10N",       "Error_NoWebText_L10N",
    "Error_ContentNotFoundText_L10N", "Error_PrinterNotFoundText_L10N", "Error_DriverSettings_L10N",
    "Error_SaveSettings_L10N",        "Error_NoAcrobat_L10N",           "Error_NoFlash_L10N"};

// The first child element named `name`, as the configuration reader takes sections.
const xmlNode* ChildNamed(const xmlNode* parent, const char* name) {
    for (const xmlNode* child = FirstChildElement(parent); child; child = NextElement(child)) {
        if (NameIs(child, name))
            return child;
    }
    return nullptr;
}

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

std::string LineOf(const xmlNode* node) {
    return "line " + std::to_string(xmlGetLineNo(node)) + ": ";
}

bool Exists(const std::string& path) {
    std::error_code error;
    return fs::exists(path, error);
}

// A link's file, without the fragment or query that a frame or web entry may carry.
std::string LinkFile(const std::string& link) {
    return link.substr(0, link.find_first_of("#?"));
}

struct ModelEntry {
    std::string Model;
    std::string Driver;
    const xmlNode* Node = nullptr;
};

class ContentChecker final {
public:
    ContentChecker(std::string folder, PageCheck pageCheck)
        : m_folder(std::move(folder))
        , m_pageCheck(std::move(pageCheck)) {}

    std::vector<ContentProblem> Run();

private:
    void Report(const std::string& path, const std::string& problem);
    void Note(const std::string& path, const std::string& note);
    bool IsBroken(const std::string& path) const { return m_broken.count(path) != 0; }
    bool CheckPiece(const std::string& path, XmlDocHandle& document);
    bool CheckSections(const xmlNode* root);
    std::vector<ModelEntry> ReadModels(const xmlNode* root);
    void CheckCatalog(const std::vector<ModelEntry>& models);
    void CheckModel(const ToolboxConfig& config, const ModelEntry& entry,
                    const std::vector<ModelEntry>& models);
    bool CheckPaths(const ToolboxConfig& config, const std::string& model);
    void CheckNamedFiles(const ToolboxConfig& config, const ModelFolders& folders);
    void CheckFile(const std::string& path, FileRole role, const std::string& label);
    void CheckPictures(const ToolboxConfig& config, const ModelFolders& folders,
                       const std::string& model);
    void CheckTabs(const ToolboxConfig& config, const ModelFolders& folders);
    void CheckTabFile(const std::string& path, const std::string& label);
    void BuildPages(const ToolboxConfig& config, const ModelFolders& folders,
                    const ModelEntry& entry, const std::vector<ModelEntry>& models);
    void ReportBuild(const PageBuild& build);
    void CheckPage(const std::string& page, const std::string& what);
    void CheckOtherPages(const ModelFolders& folders);

    std::string m_folder;
    PageCheck m_pageCheck;
    std::set<std::string> m_pagesChecked; // page and what it showed
    ProgramFolderStage m_stage;
    std::string m_copy;
    std::string m_toolboxInfo;
    std::string m_tabInfo;
    ShownPaths m_shown;
    ProblemList m_problems;
    std::set<std::string> m_broken;  // files known to be wrong, in the copy
    std::set<std::string> m_checked; // files already checked, in the copy
    std::set<std::string> m_generatedPages;
    bool m_hasSearchPage = false;
};

void ContentChecker::Report(const std::string& path, const std::string& problem) {
    m_broken.insert(path);
    m_problems.Add(m_shown.Show(path), m_shown.ShowText(problem));
}

void ContentChecker::Note(const std::string& path, const std::string& note) {
    m_problems.Add(m_shown.Show(path), m_shown.ShowText(note), true);
}

// Where the installer's copy of the folder stands: Data/<Product_Folder> as the configuration
// names it, so a working folder of another name is checked as it will be installed.
std::pair<std::string, std::string> InstalledPlace(const std::string& folder) {
    std::error_code failure;
    fs::path absolute = fs::absolute(folder, failure).lexically_normal();
    if (absolute.filename().empty())
        absolute = absolute.parent_path();
    std::pair<std::string, std::string> place{kDataFolder, absolute.filename().string()};
    const XmlDocHandle document = ReadXmlFile(ResolvePath(JoinPath(folder, "toolboxinfo.xml")));
    const xmlNode* root = document ? xmlDocGetRootElement(document.get()) : nullptr;
    const xmlNode* paths = ChildNamed(root, "Paths");
    const xmlNode* product = ChildNamed(paths, "Product_Folder");
    if (!product)
        product = ChildNamed(ChildNamed(root, "ModelData"), "Product_Folder");
    if (const std::string name = product ? ElementText(product) : ""; IsPlainName(name))
        place.second = name;
    if (const xmlNode* data = ChildNamed(paths, "Data_Folder")) {
        if (const std::string name = ElementText(data); IsPlainName(name))
            place.first = name;
    }
    return place;
}

std::vector<ContentProblem> ContentChecker::Run() {
    const auto [dataFolder, name] = InstalledPlace(m_folder);
    std::string error;
    m_copy = m_stage.Copy(m_folder, dataFolder, name, error);
    if (m_copy.empty()) {
        m_problems.Add(m_folder, error);
        return m_problems.Items();
    }
    m_shown = ShownPaths(m_copy, m_folder);
    // The libraries' own messages reach the user only as part of a problem.
    XmlErrorCapture quiet;

    m_toolboxInfo = ResolvePath(JoinPath(m_copy, "toolboxinfo.xml"));
    m_tabInfo = ResolvePath(JoinPath(m_copy, "tabinfo.xml"));
    XmlDocHandle toolboxInfo;
    XmlDocHandle tabInfo;
    const bool piecesRead = CheckPiece(m_toolboxInfo, toolboxInfo);
    if (!CheckPiece(m_tabInfo, tabInfo) || !piecesRead)
        return m_problems.Items();

    PrepareContentFolders(m_stage.ProgramFolder(), ProgramLanguageCode());
    const std::string merged = ResolvePath(JoinPath(m_copy, "toolbox.xml"));
    if (const std::string problem = XmlParseProblem(merged); !problem.empty()) {
        Report(merged, "the configuration merged from toolboxinfo.xml and tabinfo.xml is not "
                       "well-formed XML (" +
                           problem +
                           "); toolboxinfo.xml must have \"<Body>\" and tabinfo.xml "
                           "\"<KTWContentInfo>\" or \"<TabInfo>\" within its first 255 bytes");
        return m_problems.Items();
    }
    const XmlDocHandle config = ReadXmlFile(merged);
    const bool complete = CheckSections(xmlDocGetRootElement(config.get()));
    const std::vector<ModelEntry> models = ReadModels(xmlDocGetRootElement(toolboxInfo.get()));
    CheckCatalog(models);
    for (const ModelEntry& entry : models) {
        ToolboxConfig loaded;
        if (loaded.Load(m_copy, entry.Model))
            CheckModel(loaded, entry, models);
        else if (complete)
            Report(m_toolboxInfo,
                   LineOf(entry.Node) + "model " + Quoted(entry.Model) + " does not load");
    }
    return m_problems.Items();
}

bool ContentChecker::CheckPiece(const std::string& path, XmlDocHandle& document) {
    if (!Exists(path)) {
        Report(path, "missing");
        return false;
    }
    if (const std::string problem = XmlParseProblem(path); !problem.empty()) {
        Report(path, "not well-formed XML: " + problem);
        return false;
    }
    document = ReadXmlFile(path);
    return document != nullptr;
}

bool ContentChecker::CheckSections(const xmlNode* root) {
    bool complete = true;
    for (const char* section : kSections) {
        const xmlNode* found = ChildNamed(root, section);
        const std::string piece = std::string(section) == "TabInfo" ? m_tabInfo : m_toolboxInfo;
        if (!found) {
            Report(piece, "has no <" + std::string(section) + "> section");
            complete = false;
        }
    }
    if (const xmlNode* texts = ChildNamed(root, "ErrorStrings")) {
        for (const char* text : kErrorStrings) {
            if (!ChildNamed(texts, text)) {
                Report(m_toolboxInfo, "<ErrorStrings> has no <" + std::string(text) + ">");
                complete = false;
            }
        }
    }
    const xmlNode* tabs = ChildNamed(root, "TabInfo");
    for (const xmlNode* tab = FirstChildElement(tabs); tab; tab = NextElement(tab)) {
        for (const xmlNode* page = NameIs(tab, "Tab") ? FirstChildElement(tab) : nullptr; page;
             page = NextElement(page)) {
            if (NameIs(page, "Page") && ChildNamed(page, "SearchResults"))
                m_hasSearchPage = true;
        }
    }
    if (tabs && !m_hasSearchPage)
        Report(m_tabInfo, "no <Page> carries <SearchResults/>: search results have no page");
    return complete;
}

std::vector<ModelEntry> ContentChecker::ReadModels(const xmlNode* root) {
    std::vector<ModelEntry> models;
    std::set<std::string> seen;
    for (const xmlNode* node = FirstChildElement(root); node; node = NextElement(node)) {
        if (!NameIs(node, "ModelData"))
            continue;
        const std::optional<std::string> model = AttributeText(node, "model");
        if (!model) {
            Report(m_toolboxInfo, LineOf(node) + "<ModelData> has no model attribute");
            continue;
        }
        ModelEntry entry{*model, {}, node};
        if (!seen.insert(entry.Model).second) {
            Report(m_toolboxInfo, LineOf(node) + "a second <ModelData> for model " +
                                      Quoted(entry.Model) + " is never used");
            continue;
        }
        for (const xmlNode* child = FirstChildElement(node); child; child = NextElement(child)) {
            if (NameIs(child, "DriverName"))
                entry.Driver = ElementText(child);
        }
        if (entry.Driver.empty())
            Report(m_toolboxInfo, LineOf(node) + "<ModelData> for model " + Quoted(entry.Model) +
                                      " has no <DriverName>: no printer driver finds it");
        models.push_back(std::move(entry));
    }
    if (models.empty() && seen.empty())
        Report(m_toolboxInfo, "has no <ModelData> with a model attribute");
    return models;
}

void ContentChecker::CheckCatalog(const std::vector<ModelEntry>& models) {
    const ContentCatalog catalog(m_stage.ProgramFolder());
    for (const ModelEntry& entry : models) {
        if (entry.Driver.empty())
            continue;
        std::string folder;
        std::string model;
        if (!catalog.Lookup(entry.Driver, folder, model)) {
            Report(m_toolboxInfo, LineOf(entry.Node) + "model " + Quoted(entry.Model) +
                                      " is not in the program's content catalogue");
        } else if (model != entry.Model) {
            Report(m_toolboxInfo, LineOf(entry.Node) + "printers with the driver " +
                                      Quoted(entry.Driver) + " get model " + Quoted(model) +
                                      ", never " + Quoted(entry.Model));
        }
    }
}

void ContentChecker::CheckModel(const ToolboxConfig& config, const ModelEntry& entry,
                                const std::vector<ModelEntry>& models) {
    if (!CheckPaths(config, entry.Model))
        return;
    const ModelFolders folders = ComputeModelFolders(m_stage.ProgramFolder(), config);
    const FileNames names = config.Files();
    for (const NamedFile& file : kNamedFiles) {
        if (file.Role == FileRole::Page && !(names.*file.Name).empty())
            m_generatedPages.insert(folders.ContentPath(names.*file.Name));
    }
    CheckNamedFiles(config, folders);
    CheckPictures(config, folders, entry.Model);
    CheckTabs(config, folders);
    BuildPages(config, folders, entry, models);
    CheckOtherPages(folders);
}

bool ContentChecker::CheckPaths(const ToolboxConfig& config, const std::string& model) {
    const PathsRecord paths = config.Paths();
    const std::string product = ResolvePath(
        JoinPath(JoinPath(m_stage.ProgramFolder(), paths.Data_Folder), paths.Product_Folder));
    if (product != m_copy) {
        Report(m_toolboxInfo, "model " + Quoted(model) + ": <Data_Folder> " +
                                  Quoted(paths.Data_Folder) + " and <Product_Folder> " +
                                  Quoted(paths.Product_Folder) +
                                  " do not name the folder the other models use, " +
                                  Quoted(fs::path(m_copy).parent_path().filename().string() + "/" +
                                         fs::path(m_copy).filename().string()));
        return false;
    }
    if (const std::string escape = FolderEscapeProblem(paths); !escape.empty()) {
        Report(m_toolboxInfo, "model " + Quoted(model) + ": " + escape);
        return false;
    }
    bool inside = true;
    for (const auto& [label, name] : {std::pair{"UI_Folder", paths.UI_Folder},
                                      std::pair{"Data_XML_Folder", paths.Data_XML_Folder}}) {
        const std::string folder = ResolvePath(JoinPath(m_copy, name));
        std::error_code error;
        if (!fs::is_directory(folder, error)) {
            Report(folder, "missing: the <" + std::string(label) + "> of model " + Quoted(model));
            inside = false;
        }
    }
    return inside;
}

void ContentChecker::CheckNamedFiles(const ToolboxConfig& config, const ModelFolders& folders) {
    const FileNames names = config.Files();
    for (const NamedFile& file : kNamedFiles) {
        const std::string& name = names.*file.Name;
        if (name.empty() && file.Role == FileRole::Optional) {
            Note(m_toolboxInfo, "<" + std::string(file.Label) +
                                    "> is missing or empty: the index is built without it");
            continue;
        }
        if (name.empty()) {
            Report(m_toolboxInfo, "<" + std::string(file.Label) + "> is missing or empty");
            continue;
        }
        switch (file.Role) {
        case FileRole::Input:
        case FileRole::Optional:
        case FileRole::Stylesheet:
            CheckFile(XmlFolderPath(folders, name), file.Role, file.Label);
            break;
        case FileRole::StaticPage:
            CheckFile(folders.ContentPath(name), file.Role, file.Label);
            break;
        case FileRole::Output:
        case FileRole::Page:
            break;
        }
    }
}

void ContentChecker::CheckFile(const std::string& path, FileRole role, const std::string& label) {
    if (!m_checked.insert(path).second)
        return;
    if (!Exists(path) && role == FileRole::Optional) {
        Note(path, "missing (<" + label + ">): the index is built without it");
        return;
    }
    if (!Exists(path)) {
        Report(path, "missing (<" + label + ">)");
        return;
    }
    if (role == FileRole::StaticPage)
        return;
    if (const std::string problem = XmlParseProblem(path); !problem.empty()) {
        Report(path, "not well-formed XML: " + problem);
        return;
    }
    if (role == FileRole::Stylesheet) {
        if (const std::string problem = StylesheetProblem(path); !problem.empty())
            Report(path, "stylesheet does not compile: " + problem);
    }
}

void ContentChecker::CheckPictures(const ToolboxConfig& config, const ModelFolders& folders,
                                   const std::string& model) {
    const PathsRecord paths = config.Paths();
    if (paths.File_ProductCaptionGIF.empty())
        Report(m_toolboxInfo, "<File_ProductCaptionGIF> is missing or empty");
    else if (const std::string caption = folders.ImagePath(paths.File_ProductCaptionGIF);
             !Exists(caption))
        Report(caption, "missing (<File_ProductCaptionGIF>)");
    if (paths.ModelGIF.empty())
        Report(m_toolboxInfo, "<ModelGIF> of model " + Quoted(model) + " is missing or empty");
    else if (const std::string picture = folders.ImagePath(paths.ModelGIF); !Exists(picture))
        Report(picture, "missing (<ModelGIF> of model " + Quoted(model) + ")");
}

void ContentChecker::CheckTabs(const ToolboxConfig& config, const ModelFolders& folders) {
    const auto& tabs = config.Tabs();
    if (config.DefaultTab() < 0 || config.DefaultTab() >= int(tabs.size()))
        Report(m_tabInfo, "<TabInfo> shows tab " + std::to_string(config.DefaultTab()) +
                              " first, but has " + std::to_string(tabs.size()) + " tabs");
    for (const ToolboxTab& tab : tabs) {
        const std::string tabLabel = "tab " + Quoted(tab.TabName_L10N);
        if (tab.Default < 0 || tab.Default >= int(tab.Pages.size()))
            Report(m_tabInfo, tabLabel + " shows page " + std::to_string(tab.Default) +
                                  " first, but has " + std::to_string(tab.Pages.size()) + " pages");
        for (const ToolboxPage& page : tab.Pages) {
            const std::string label = "page " + Quoted(page.PageName_L10N) + " of " + tabLabel;
            if (page.File.empty())
                Report(m_tabInfo, label + " names no <File>");
            else
                CheckTabFile(folders.ContentPath(LinkFile(page.File)), label);
            for (const std::string& frame : page.Frames)
                CheckTabFile(folders.ContentPath(LinkFile(frame)), "<Frame> of " + label);
            for (const std::string& web : page.Webs)
                CheckTabFile(folders.ContentPath(LinkFile(web)), "<Web> of " + label);
        }
    }
}

void ContentChecker::CheckTabFile(const std::string& path, const std::string& label) {
    // Pages the program writes are checked by building them.
    if (m_generatedPages.count(path) != 0)
        return;
    if (Exists(path)) {
        CheckPage(path, "");
        return;
    }
    Report(path, "missing (" + label + ")");
}

void ContentChecker::BuildPages(const ToolboxConfig& config, const ModelFolders& folders,
                                const ModelEntry& entry, const std::vector<ModelEntry>& models) {
    ModelPageBuilder builder(config, folders);
    std::vector<PrinterListEntry> printers;
    for (const ModelEntry& other : models)
        printers.push_back({other.Model, other.Driver});
    ReportBuild(builder.Header(printers, entry.Model));

    const std::string statusDocument = builder.StatusDocumentPath();
    if (!WriteSampleStatusDocument(statusDocument))
        Report(statusDocument, "the sample status document cannot be written");
    const StatusFacts facts{true, kSampleAddress, config.DisplayToner(), config.StatusOverUSB(),
                            UpdateState::UpdatesAvailable};
    for (StatusValue status : {StatusValue::STATUS_AVAILABLE, StatusValue::STATUS_COLLECTING,
                               StatusValue::STATUS_UNAVAILABLE})
        ReportBuild(builder.Footer(status, facts));
    // A driverless printer fills the same pages from its own answer over IPP.
    const std::string solutions =
        StatusPageFilesFor(folders, config.Files(), config.ConfigPath()).Solutions;
    if (!WriteSamplePrinterState(statusDocument, solutions))
        Report(statusDocument, "the sample printer state cannot be written");
    PageBuild printerState = builder.Footer(StatusValue::STATUS_AVAILABLE, facts);
    printerState.What += " from the printer over IPP";
    ReportBuild(printerState);

    const PageBuild index = builder.Index();
    ReportBuild(index);
    if (index.Failed())
        m_broken.insert(IndexPageFilesFor(folders, config).CombinedIndex);
    ReportBuild(builder.Search(kSampleKeywords));
    ReportBuild(builder.Search(SearchPrompt()));
}

void ContentChecker::CheckPage(const std::string& page, const std::string& what) {
    if (!m_pageCheck || !m_pagesChecked.insert(page + '\n' + what).second)
        return;
    for (const std::string& finding : m_pageCheck(page))
        Report(page, what.empty() ? finding : "(" + what + ") " + finding);
}

// Pages that no tab names are still shown: the footer's page without status, documents that
// links open in the body.
void ContentChecker::CheckOtherPages(const ModelFolders& folders) {
    if (!m_pageCheck)
        return;
    std::error_code failure;
    std::vector<std::string> pages;
    for (fs::recursive_directory_iterator it(folders.UiFolder, failure), end; !failure && it != end;
         it.increment(failure)) {
        const fs::path& path = it->path();
        if (path.extension() == ".html" && it->is_regular_file(failure))
            pages.push_back(path.string());
    }
    std::sort(pages.begin(), pages.end());
    for (const std::string& page : pages) {
        if (m_generatedPages.count(page) == 0)
            CheckPage(page, "");
    }
}

void ContentChecker::ReportBuild(const PageBuild& build) {
    for (const std::string& page : build.Written)
        CheckPage(page, build.What);
    if (!build.Failed())
        return;
    for (const std::string& source : build.Sources) {
        if (IsBroken(source))
            return;
    }
    if (!build.Missing.empty())
        Report(build.Missing.front(), "not written by the " + build.What + ": " + build.Reason());
    else if (!build.Written.empty())
        Report(build.Written.front(), "the " + build.What + " failed: " + build.Reason());
}

} // namespace

std::vector<ContentProblem> CheckContentFolder(const std::string& folder,
                                               const PageCheck& pageCheck) {
    return ContentChecker(folder, pageCheck).Run();
}

} // namespace kaldo
