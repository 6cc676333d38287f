#include "main/status/StatusPages.h"

#include "main/content/ModelFolders.h"
#include "main/content/ToolboxConfig.h"
#include "main/pages/ResultCodes.h"
#include "main/status/StatusDocuments.h"
#include "platform/Paths.h"

namespace kaldo {

StatusPageFiles StatusPageFilesFor(const ModelFolders& folders, const FileNames& names,
                                   const std::string& configPath) {
    const auto xml = [&](const std::string& name) {
        return ResolvePath(JoinPath(folders.XmlFolder, name));
    };
    StatusPageFiles files;
    files.statusDocument = xml(names.File_Status_XML);
    files.footerDocument = xml(names.File_Footer_XML);
    files.statusStylesheet = xml(names.File_Status_XSL);
    files.statusPage = folders.ContentPath(names.File_Status);
    files.solutions = xml(names.File_Solutions_XML);
    files.solutionsDocument = xml(names.File_SolutionsCombined_XML);
    files.solutionsStylesheet = xml(names.File_Solutions_XSL);
    files.currentStylesheet = xml(names.File_Current_XSL);
    files.solutionsPage = folders.ContentPath(names.File_Solutions);
    files.currentProblemPage = folders.ContentPath(names.File_CurrentProblem);
    files.config = configPath;
    files.imagesFolder = ResolvePath(JoinPath(folders.UiFolder, "images"));
    return files;
}

ResultCode BuildFooterPages(StatusValue status, const StatusInfo& info,
                            const StatusPageFiles& files, const std::string& language,
                            const PageTransformer& transformer) {
    const std::string statusDocument =
        status == StatusValue::STATUS_AVAILABLE ? files.statusDocument : std::string();
    const ResultCode result =
        WriteFooterDocument(info, statusDocument, files.footerDocument, language, files.config);
    if (result != ResultCode::Ok)
        return result;
    // A footer page that fails to build still lets the solution pages be rebuilt.
    transformer.Transform(files.footerDocument, files.statusStylesheet, files.statusPage);
    BuildSolutionsPages(status, files, language, transformer);
    return ResultCode::Ok;
}

ResultCode BuildSolutionsPages(StatusValue status, const StatusPageFiles& files,
                               const std::string& language, const PageTransformer& transformer) {
    const std::string statusDocument =
        status == StatusValue::STATUS_AVAILABLE ? files.statusDocument : std::string();
    ResultCode result = WriteSolutionsDocument(files.solutions, statusDocument,
                                               files.solutionsDocument, language, files.config);
    if (result != ResultCode::Ok)
        return result;
    result = transformer.Transform(files.solutionsDocument, files.solutionsStylesheet,
                                   files.solutionsPage);
    if (result != ResultCode::Ok)
        return result;
    return transformer.Transform(files.solutionsDocument, files.currentStylesheet,
                                 files.currentProblemPage);
}

} // namespace kaldo
