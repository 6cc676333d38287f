#include "contenttool/ModelPages.h"

#include "main/pageinputs/PageInputs.h"
#include "main/pages/ResultCodes.h"
#include "main/search/SearchPage.h"
#include "main/status/StatusPages.h"

#include <filesystem>
#include <system_error>

namespace kaldo {

namespace fs = std::filesystem;

std::string PageBuild::Reason() const {
    std::string reason =
        Code != ResultCode::Ok ? ResultCodeText(Code) : "the transformation failed";
    const std::string details = JoinLines(Said);
    if (!details.empty())
        reason += ": " + details;
    return reason;
}

ModelPageBuilder::ModelPageBuilder(const ToolboxConfig& config, const ModelFolders& folders)
    : m_config(config)
    , m_folders(folders) {}

std::string ModelPageBuilder::StatusDocumentPath() const {
    return XmlFolderPath(m_folders, m_config.Files().File_Status_XML);
}

PageBuild ModelPageBuilder::Start(std::string what, std::vector<std::string> pages,
                                  std::vector<std::string> sources) {
    for (const std::string& page : pages) {
        std::error_code error;
        fs::remove(page, error);
    }
    m_capture.Clear();
    PageBuild build;
    build.What = std::move(what);
    build.Sources = std::move(sources);
    return build;
}

void ModelPageBuilder::Finish(PageBuild& build, std::vector<std::string> pages) {
    for (std::string& page : pages) {
        std::error_code error;
        (fs::is_regular_file(page, error) ? build.Written : build.Missing)
            .push_back(std::move(page));
    }
    build.Said = m_capture.Lines();
}

PageBuild ModelPageBuilder::Header(const std::vector<PrinterListEntry>& printers,
                                   const std::string& selected) {
    const HeaderPageFiles files = HeaderPageFilesFor(m_folders, m_config.Files());
    PageBuild build = Start("header page", {files.Html}, {files.Xsl});
    build.Code = BuildHeaderPage(printers, selected, HeaderLabelsFor(m_config),
                                 m_config.Language_L10N(), files, m_transformer);
    Finish(build, {files.Html});
    return build;
}

PageBuild ModelPageBuilder::Footer(StatusValue status, const StatusFacts& facts) {
    const StatusPageFiles files =
        StatusPageFilesFor(m_folders, m_config.Files(), m_config.ConfigPath());
    status = EffectiveFooterStatus(status, facts);
    std::vector<std::string> pages{files.StatusPage, files.SolutionsPage, files.CurrentProblemPage};
    std::vector<std::string> sources{files.StatusStylesheet, files.Solutions,
                                     files.SolutionsStylesheet, files.CurrentStylesheet};
    if (status == StatusValue::STATUS_AVAILABLE)
        sources.push_back(files.StatusDocument);
    PageBuild build =
        Start("footer with status " + std::to_string(ToInt(status)), pages, std::move(sources));
    StatusInfo info;
    FillStatusInfo(info, status, facts);
    build.Code = BuildFooterPages(status, info, files, m_config.Language_L10N(), m_transformer);
    Finish(build, std::move(pages));
    return build;
}

PageBuild ModelPageBuilder::Index() {
    const IndexPageFiles files = IndexPageFilesFor(m_folders, m_config);
    std::vector<std::string> pages{files.Page, files.ContentPage};
    PageBuild build = Start("index pages", pages,
                            {files.UserGuideIndex, files.DocumentsIndex, files.ThirdIndex,
                             files.SortStylesheet, files.PageStylesheet, files.ContentStylesheet});
    build.Code =
        BuildIndexPages(files, ProgramIndexLabels(), m_config.Language_L10N(), m_transformer);
    Finish(build, std::move(pages));
    return build;
}

PageBuild ModelPageBuilder::Search(const std::string& keywords) {
    const SearchPageFiles files = SearchPageFilesFor(m_folders, m_config);
    const std::string prompt = SearchPrompt();
    std::vector<std::string> pages{files.Page, files.ContentPage};
    PageBuild build = Start(keywords == prompt ? "empty search page" : "search pages", pages,
                            {files.Index, files.Synonyms, files.SortStylesheet,
                             files.PageStylesheet, files.ContentStylesheet});
    // A fresh engine, as on the program's first search.
    std::unique_ptr<KeywordSearch> engine;
    const SearchPageResult result =
        BuildSearchPages(engine, m_config.Language_L10N(), keywords, prompt, ProgramSearchLabels(),
                         files, m_transformer);
    for (ResultCode code : {result.Search, result.Sorted, result.Page, result.Content}) {
        if (code != ResultCode::Ok) {
            build.Code = code;
            break;
        }
    }
    Finish(build, std::move(pages));
    return build;
}

} // namespace kaldo
