#pragma once

#include "main/pages/PageTransformer.h"
#include "main/pages/ResultCodes.h"
#include "main/status/StatusInfo.h"

#include <string>

namespace kaldo {

struct FileNames;
struct ModelFolders;

// The files of the footer and trouble-solution pages, full paths: documents and stylesheets
// in the model's XML folder, pages in its UI folder.
struct StatusPageFiles {
    std::string StatusDocument;      // File_Status_XML, the printer's status document
    std::string FooterDocument;      // File_Footer_XML
    std::string StatusStylesheet;    // File_Status_XSL
    std::string StatusPage;          // File_Status (HTML)
    std::string Solutions;           // File_Solutions_XML, the content's solutions
    std::string SolutionsDocument;   // File_SolutionsCombined_XML
    std::string SolutionsStylesheet; // File_Solutions_XSL
    std::string CurrentStylesheet;   // File_Current_XSL
    std::string SolutionsPage;       // File_Solutions (HTML)
    std::string CurrentProblemPage;  // File_CurrentProblem (HTML)
    std::string Config;              // toolbox.xml (ConfigPath)
    std::string ImagesFolder;        // the UI folder's images, where status icons are kept
};

StatusPageFiles StatusPageFilesFor(const ModelFolders& folders, const FileNames& names,
                                   const std::string& configPath);

// The footer's document and its page for `status` (already made effective, see
// EffectiveFooterStatus): the document embeds the status document only for status 0, and the
// page is transformed from it whatever the result. Returns the document's code; when it is not
// ResultCode::Ok nothing was touched.
ResultCode BuildFooterPage(StatusValue status, const StatusInfo& info, const StatusPageFiles& files,
                           const std::string& language, const PageTransformer& transformer);

// BuildFooterPage, then the trouble-solution pages. Returns the footer document's code; when it
// is not ResultCode::Ok nothing else was touched. Navigating the footer pane is the caller's.
ResultCode BuildFooterPages(StatusValue status, const StatusInfo& info,
                            const StatusPageFiles& files, const std::string& language,
                            const PageTransformer& transformer);

// The trouble-solutions document and its two pages. ResultCode::Ok, or the code of the first
// failing step; a failing document or first transformation leaves the later pages as they were.
ResultCode BuildSolutionsPages(StatusValue status, const StatusPageFiles& files,
                               const std::string& language, const PageTransformer& transformer);

} // namespace kaldo
