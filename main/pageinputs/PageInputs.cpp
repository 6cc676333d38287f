#include "main/pageinputs/PageInputs.h"

#include "main/resources/StringResources.h"
#include "platform/Paths.h"

namespace kaldo {

std::string ProgramLanguageCode() {
    return LoadResourceString(StringId::LanguageCode);
}

std::string XmlFolderPath(const ModelFolders& folders, const std::string& name) {
    return ResolvePath(JoinPath(folders.XmlFolder, name));
}

HeaderLabels HeaderLabelsFor(const ToolboxConfig& config) {
    return HeaderLabels{LoadStringUtf8(StringId::EnterKeywords),
                        LoadStringUtf8(StringId::Title),
                        LoadStringUtf8(StringId::SelectPrinter),
                        LoadStringUtf8(StringId::Search),
                        config.CaptionText_Width(),
                        config.CaptionText_Height()};
}

HeaderPageFiles HeaderPageFilesFor(const ModelFolders& folders, const FileNames& names) {
    return HeaderPageFiles{XmlFolderPath(folders, names.File_Header_XML),
                           XmlFolderPath(folders, names.File_Header_XSL),
                           folders.ContentPath(names.File_Header)};
}

IndexLabels ProgramIndexLabels() {
    return IndexLabels{LoadStringUtf8(StringId::Index), LoadStringUtf8(StringId::Numerics)};
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
    return SearchLabels{LoadStringUtf8(StringId::SearchResults),
                        LoadStringUtf8(StringId::SearchAgain), LoadStringUtf8(StringId::NoResults)};
}

std::string SearchPrompt() {
    return LoadResourceString(StringId::EnterKeywords);
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

StatusFacts StatusFactsFor(const ToolboxConfig& config, UpdateState updateState) {
    return StatusFacts{!config.PrinterAddress().empty(), config.PrinterAddress(),
                       config.DisplayToner(), config.StatusOverUSB(), updateState};
}

} // namespace kaldo
