#pragma once

#include "contenttool/XmlDiagnostics.h"
#include "main/content/ModelFolders.h"
#include "main/content/ToolboxConfig.h"
#include "main/pages/HeaderPage.h"
#include "main/pages/PageTransformer.h"
#include "main/status/StatusInfo.h"

#include <string>
#include <vector>

namespace kaldo {

// What one page build did. A page counts as written only when the build produced it anew:
// its previous copy is removed first, so a failing build never leaves an old page looking
// current.
struct PageBuild {
    std::string What;                 // "header page", "footer with status 0", ...
    ResultCode Code = ResultCode::Ok; // the builder's result code
    std::vector<std::string> Written; // pages (HTML) written
    std::vector<std::string> Missing; // pages the build should have written and did not
    std::vector<std::string> Sources; // stylesheets and documents the build reads
    std::vector<std::string> Said;    // what libxml2 and libxslt reported meanwhile

    bool Failed() const { return Code != ResultCode::Ok || !Missing.empty(); }
    // Why it failed: the result code's meaning and the first messages of the libraries.
    std::string Reason() const;
};

// Builds the pages of one model with the program's own builders and inputs.
class ModelPageBuilder final {
public:
    ModelPageBuilder(const ToolboxConfig& config, const ModelFolders& folders);

    PageBuild Header(const std::vector<PrinterListEntry>& printers, const std::string& selected);
    // `status` as asked for; the footer shows what EffectiveFooterStatus makes of it. Status 0
    // embeds the status document that is in the XML folder.
    PageBuild Footer(StatusValue status, const StatusFacts& facts);
    PageBuild Index();
    PageBuild Search(const std::string& keywords);

    // The printer's status document in the model's XML folder.
    std::string StatusDocumentPath() const;

private:
    PageBuild Start(std::string what, std::vector<std::string> pages,
                    std::vector<std::string> sources);
    void Finish(PageBuild& build, std::vector<std::string> pages);

    const ToolboxConfig& m_config;
    const ModelFolders& m_folders;
    PageTransformer m_transformer;
    XmlErrorCapture m_capture;
};

} // namespace kaldo
