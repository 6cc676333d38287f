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
        code != ResultCode::Ok ? ResultCodeText(code) : "the transformation failed";
    const std::string details = JoinLines(said);
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
    build.what = std::move(what);
    build.sources = std::move(sources);
    return build;
}

void ModelPageBuilder::Finish(PageBuild& build, std::vector<std::string> pages) {
    for (std::string& page : pages) {
        std::error_code error;
        (fs::is_regular_file(page, error) ? build.written : build.missing)
            .push_back(std::move(page));
    }
    build.said = m_capture.Lines();
}

PageBuild ModelPageBuilder::Header(const std::vector<PrinterListEntry>& printers,
                                   const std::string& selected) {
    const HeaderPageFiles files = HeaderPageFilesFor(m_folders, m_config.Files());
    PageBuild build = Start("header page", {files.html}, {files.xsl});
    build.code = BuildHeaderPage(printers, selected, HeaderLabelsFor(m_config),
                                 m_config.Language_L10N(), files, m_transformer);
    Finish(build, {files.html});
    return build;
}

PageBuild ModelPageBuilder::Footer(StatusValue status, const StatusFacts& facts) {
    const StatusPageFiles files =
        StatusPageFilesFor(m_folders, m_config.Files(), m_config.ConfigPath());
    status = EffectiveFooterStatus(status, facts);
    std::vector<std::string> pages{files.statusPage, files.solutionsPage, files.currentProblemPage};
    std::vector<std::string> sources{files.statusStylesheet, files.solutions,
                                     files.solutionsStylesheet, files.currentStylesheet};
    if (status == StatusValue::STATUS_AVAILABLE)
        sources.push_back(files.statusDocument);
    PageBuild build =
        Start("footer with status " + std::to_string(ToInt(status)), pages, std::move(sources));
    StatusInfo info;
    FillStatusInfo(info, status, facts);
    build.code = BuildFooterPages(status, info, files, m_config.Language_L10N(), m_transformer);
    Finish(build, std::move(pages));
    return build;
}

PageBuild ModelPageBuilder::Index() {
    const IndexPageFiles files = IndexPageFilesFor(m_folders, m_config);
    std::vector<std::string> pages{files.page, files.contentPage};
    PageBuild build = Start("index pages", pages,
                            {files.userGuideIndex, files.documentsIndex, files.thirdIndex,
                             files.sortStylesheet, files.pageStylesheet, files.contentStylesheet});
    build.code =
        BuildIndexPages(files, ProgramIndexLabels(), m_config.Language_L10N(), m_transformer);
    Finish(build, std::move(pages));
    return build;
}

PageBuild ModelPageBuilder::Search(const std::string& keywords) {
    const SearchPageFiles files = SearchPageFilesFor(m_folders, m_config);
    const std::string prompt = SearchPrompt();
    std::vector<std::string> pages{files.page, files.contentPage};
    PageBuild build = Start(keywords == prompt ? "empty search page" : "search pages", pages,
                            {files.index, files.synonyms, files.sortStylesheet,
                             files.pageStylesheet, files.contentStylesheet});
    // A fresh engine, as on the program's first search.
    std::unique_ptr<KeywordSearch> engine;
    const SearchPageResult result =
        BuildSearchPages(engine, m_config.Language_L10N(), keywords, prompt, ProgramSearchLabels(),
                         files, m_transformer);
    for (ResultCode code : {result.search, result.sorted, result.page, result.content}) {
        if (code != ResultCode::Ok) {
            build.code = code;
            break;
        }
    }
    Finish(build, std::move(pages));
    return build;
}

} // namespace kaldo
