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
    files.StatusDocument = xml(names.File_Status_XML);
    files.FooterDocument = xml(names.File_Footer_XML);
    files.StatusStylesheet = xml(names.File_Status_XSL);
    files.StatusPage = folders.ContentPath(names.File_Status);
    files.Solutions = xml(names.File_Solutions_XML);
    files.SolutionsDocument = xml(names.File_SolutionsCombined_XML);
    files.SolutionsStylesheet = xml(names.File_Solutions_XSL);
    files.CurrentStylesheet = xml(names.File_Current_XSL);
    files.SolutionsPage = folders.ContentPath(names.File_Solutions);
    files.CurrentProblemPage = folders.ContentPath(names.File_CurrentProblem);
    files.Config = configPath;
    files.ImagesFolder = ResolvePath(JoinPath(folders.UiFolder, "images"));
    return files;
}

ResultCode BuildFooterPage(StatusValue status, const StatusInfo& info, const StatusPageFiles& files,
                           const std::string& language, const PageTransformer& transformer) {
    const std::string statusDocument =
        status == StatusValue::STATUS_AVAILABLE ? files.StatusDocument : std::string();
    const ResultCode result =
        WriteFooterDocument(info, statusDocument, files.FooterDocument, language, files.Config);
    if (result != ResultCode::Ok)
        return result;
    // A footer page that fails to build does not fail the document: the trouble pages still
    // follow it.
    transformer.Transform(files.FooterDocument, files.StatusStylesheet, files.StatusPage);
    return ResultCode::Ok;
}

ResultCode BuildFooterPages(StatusValue status, const StatusInfo& info,
                            const StatusPageFiles& files, const std::string& language,
                            const PageTransformer& transformer) {
    const ResultCode result = BuildFooterPage(status, info, files, language, transformer);
    if (result != ResultCode::Ok)
        return result;
    BuildSolutionsPages(status, files, language, transformer);
    return ResultCode::Ok;
}

ResultCode BuildSolutionsPages(StatusValue status, const StatusPageFiles& files,
                               const std::string& language, const PageTransformer& transformer) {
    const std::string statusDocument =
        status == StatusValue::STATUS_AVAILABLE ? files.StatusDocument : std::string();
    ResultCode result = WriteSolutionsDocument(files.Solutions, statusDocument,
                                               files.SolutionsDocument, language, files.Config);
    if (result != ResultCode::Ok)
        return result;
    result = transformer.Transform(files.SolutionsDocument, files.SolutionsStylesheet,
                                   files.SolutionsPage);
    if (result != ResultCode::Ok)
        return result;
    return transformer.Transform(files.SolutionsDocument, files.CurrentStylesheet,
                                 files.CurrentProblemPage);
}

} // namespace kaldo
