#include "main/pageinputs/PageInputs.h"

#include "main/resources/StringResources.h"
#include "platform/Paths.h"

namespace kaldo {

namespace {

constexpr int kStringTitle = 101;
constexpr int kStringEnterKeywords = 118;
constexpr int kStringIndex = 119;
constexpr int kStringNumerics = 120;
constexpr int kStringSearchResults = 121;
constexpr int kStringSearchAgain = 122;
constexpr int kStringNoResults = 123;
constexpr int kStringSearch = 128;
constexpr int kStringSelectPrinter = 129;
constexpr int kStringLanguageCode = 133;

} // namespace

std::string ProgramLanguageCode() {
    return LoadResourceString(kStringLanguageCode);
}

std::string XmlFolderPath(const ModelFolders& folders, const std::string& name) {
    return ResolvePath(JoinPath(folders.XmlFolder, name));
}

HeaderLabels HeaderLabelsFor(const ToolboxConfig& config) {
    return HeaderLabels{LoadStringUtf8(kStringEnterKeywords), LoadStringUtf8(kStringTitle),
                        LoadStringUtf8(kStringSelectPrinter), LoadStringUtf8(kStringSearch),
                        config.CaptionText_Width(),           config.CaptionText_Height()};
}

HeaderPageFiles HeaderPageFilesFor(const ModelFolders& folders, const FileNames& names) {
    return HeaderPageFiles{XmlFolderPath(folders, names.File_Header_XML),
                           XmlFolderPath(folders, names.File_Header_XSL),
                           folders.ContentPath(names.File_Header)};
}

IndexLabels ProgramIndexLabels() {
    return IndexLabels{LoadStringUtf8(kStringIndex), LoadStringUtf8(kStringNumerics)};
}

IndexPageFiles IndexPageFilesFor(const ModelFolders& folders, const ToolboxConfig& config) {
    const FileNames f = config.Files();
    const auto xml = [&](const std::string& name) {
        return XmlFolderPath(folders, name);
    };
    return IndexPageFiles{xml(f.File_IndexUG),
                          xml(f.File_IndexNonUG),
                          xml(f.File_IndexAUG),
                          xml(f.File_IndexCombined1),
                          xml(f.File_IndexCombined2),
                          xml(f.File_IndexSort_XSL),
                          xml(f.File_Index_XSL),
                          xml(f.File_IndexContent_XSL),
                          folders.ContentPath(f.File_Index),
                          folders.ContentPath(f.File_IndexContent),
                          config.ConfigPath()};
}

SearchLabels ProgramSearchLabels() {
    return SearchLabels{LoadStringUtf8(kStringSearchResults), LoadStringUtf8(kStringSearchAgain),
                        LoadStringUtf8(kStringNoResults)};
}

std::string SearchPrompt() {
    return LoadResourceString(kStringEnterKeywords);
}

SearchPageFiles SearchPageFilesFor(const ModelFolders& folders, const ToolboxConfig& config) {
    std::string searchPage;
    const auto& tabs = config.Tabs();
    if (config.SearchTab() >= 0 && config.SearchTab() < int(tabs.size())) {
        const auto& pages = tabs[config.SearchTab()].Pages;
        if (config.SearchPage() >= 0 && config.SearchPage() < int(pages.size()))
            searchPage = folders.ContentPath(pages[config.SearchPage()].File);
    }
    const FileNames f = config.Files();
    const auto xml = [&](const std::string& name) {
        return XmlFolderPath(folders, name);
    };
    return SearchPageFiles{xml(f.File_IndexCombined2),
                           xml(f.File_Synonym),
                           xml(f.File_Search),
                           xml(f.File_SearchSort_XSL),
                           xml(f.File_Search_XSL),
                           xml(f.File_SearchContent_XSL),
                           folders.ContentPath(f.File_Search_HTML),
                           folders.ContentPath(f.File_SearchContent),
                           searchPage};
}

StatusFacts StatusFactsFor(const ToolboxConfig& config, int updateState) {
    return StatusFacts{!config.PrinterAddress().empty(), config.PrinterAddress(),
                       config.DisplayToner(), config.StatusOverUSB(), updateState};
}

} // namespace kaldo
