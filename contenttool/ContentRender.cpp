#include "contenttool/ContentRender.h"

#include "contenttool/ContentProblems.h"
#include "contenttool/ModelPages.h"
#include "contenttool/ProgramFolderStage.h"
#include "main/content/ContentFolders.h"
#include "main/pageinputs/PageInputs.h"
#include "main/pages/ResultCodes.h"
#include "main/status/StatusDocumentCheck.h"
#include "platform/AtomicFile.h"
#include "platform/Paths.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace kaldo {

namespace fs = std::filesystem;

namespace {

class Renderer final {
public:
    Renderer(const RenderRequest& request, RenderResult& result)
        : m_request(request)
        , m_result(result) {}

    void Run();

private:
    void Fail(const std::string& path, const std::string& reason) {
        m_result.Errors.push_back(m_shown.Show(path) + ": " + m_shown.ShowText(reason));
    }
    // True when the configuration pieces merged; otherwise says why they did not.
    bool MergeSucceeded(ResultCode code);
    std::optional<StatusValue> FooterStatus(const std::string& statusDocument);
    void Take(const PageBuild& build);

    const RenderRequest& m_request;
    RenderResult& m_result;
    ShownPaths m_shown;
};

void Renderer::Run() {
    std::error_code error;
    if (!fs::is_directory(m_request.Folder, error)) {
        Fail(m_request.Folder, "not a folder");
        return;
    }
    const std::string folder = fs::absolute(m_request.Folder, error).string();
    ModelContent content = LoadModelContent(folder, m_request.Model, ProgramLanguageCode());
    if (!MergeSucceeded(content.Merged))
        return;
    ToolboxConfig& config = content.Config;
    if (!content.Loaded) {
        Fail(JoinPath(m_request.Folder, "toolbox.xml"),
             "model \"" + m_request.Model + "\" does not load; 'tendwellcontent check " +
                 m_request.Folder + "' tells why");
        return;
    }
    config.SetPrinterAddress(m_request.Address);

    // The program finds the model's folders below its own folder; a link puts this folder
    // where it looks, and what it writes lands here.
    ProgramFolderStage stage;
    const PathsRecord paths = config.Paths();
    if (const std::string escape = FolderEscapeProblem(paths); !escape.empty()) {
        Fail(JoinPath(m_request.Folder, "toolboxinfo.xml"), escape);
        return;
    }
    std::string why;
    const std::string linked = stage.Link(folder, paths.Data_Folder, paths.Product_Folder, why);
    if (linked.empty()) {
        Fail(JoinPath(m_request.Folder, "toolboxinfo.xml"), "<Paths>: " + why);
        return;
    }
    m_shown = ShownPaths(linked, m_request.Folder);
    const ModelFolders folders = ComputeModelFolders(stage.ProgramFolder(), config);
    InstallModelPicture(folders, config);

    ModelPageBuilder builder(config, folders);
    const std::string selected = m_request.Selected.empty() && !m_request.Printers.empty()
                                     ? m_request.Printers.front().Name
                                     : m_request.Selected;
    Take(builder.Header(m_request.Printers, selected));

    if (const std::optional<StatusValue> status = FooterStatus(builder.StatusDocumentPath()))
        Take(builder.Footer(*status, StatusFactsFor(config, UpdateState::NotChecked)));
    Take(builder.Index());
    if (m_request.Keywords)
        Take(builder.Search(*m_request.Keywords));
}

bool Renderer::MergeSucceeded(ResultCode code) {
    if (code == ResultCode::Ok)
        return true;
    const auto piece = [&](const char* name) {
        return ResolvePath(JoinPath(m_request.Folder, name));
    };
    const std::string toolboxInfo = piece("toolboxinfo.xml");
    const std::string tabInfo = piece("tabinfo.xml");
    const std::string toolbox = piece("toolbox.xml");
    std::error_code error;
    if (code == ResultCode::ParseInput)
        Fail(fs::exists(toolboxInfo, error) ? tabInfo : toolboxInfo, "cannot be read");
    else if (code == ResultCode::OpenWriteFile)
        Fail(toolbox, "cannot be written");
    else
        Fail(toolbox, "the configuration cannot be merged (" + std::to_string(ToInt(code)) + ")");
    return false;
}

// The status the footer is asked for, with a given status document in place; none when the
// footer cannot be built as asked.
std::optional<StatusValue> Renderer::FooterStatus(const std::string& statusDocument) {
    if (!m_request.StatusDocument.empty()) {
        std::error_code error;
        if (!fs::equivalent(m_request.StatusDocument, statusDocument, error)) {
            error.clear();
            std::ifstream in(m_request.StatusDocument, std::ios::binary);
            const std::string content{std::istreambuf_iterator<char>(in),
                                      std::istreambuf_iterator<char>()};
            if (!in.is_open() || in.bad())
                error = std::make_error_code(std::errc::no_such_file_or_directory);
            else if (!WriteFileAtomically(statusDocument, content))
                error = std::make_error_code(std::errc::io_error);
        }
        if (error) {
            Fail(statusDocument, "the status document cannot be put here: " + error.message());
            return std::nullopt;
        }
    }
    if (m_request.Status) {
        std::error_code error;
        if (*m_request.Status == StatusValue::STATUS_AVAILABLE &&
            !fs::is_regular_file(statusDocument, error)) {
            Fail(statusDocument, "status 0 shows this status document, which is missing");
            return std::nullopt;
        }
        return *m_request.Status;
    }
    // As when a retrieval reports: the document counts only when it passes the check.
    if (m_request.StatusDocument.empty())
        return StatusValue::STATUS_COLLECTING;
    const StatusValue status = StatusFromReport(true, statusDocument);
    if (status != StatusValue::STATUS_AVAILABLE)
        m_result.Notes.push_back(m_request.StatusDocument +
                                 ": does not pass the program's check of a status document (it "
                                 "must parse and list an installed hard drive); the footer "
                                 "shows status " +
                                 std::to_string(ToInt(status)));
    return status;
}

void Renderer::Take(const PageBuild& build) {
    for (const std::string& page : build.Written)
        m_result.Written.push_back(m_shown.Show(page));
    if (!build.Missing.empty()) {
        for (const std::string& page : build.Missing)
            Fail(page, "not written by the " + build.What + ": " + build.Reason());
    } else if (build.Failed()) {
        Fail(build.Sources.empty() ? m_request.Folder : build.Sources.front(),
             "the " + build.What + " failed: " + build.Reason());
    }
}

} // namespace

RenderResult RenderContentFolder(const RenderRequest& request) {
    RenderResult result;
    Renderer(request, result).Run();
    return result;
}

} // namespace kaldo
