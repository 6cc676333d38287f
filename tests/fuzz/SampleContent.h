#pragma once

#include "main/shell/ContentInfoMerge.h"
#include "main/shell/ModelFolders.h"
#include "main/shell/ToolboxConfig.h"
#include "platform/Paths.h"
#include "tests/fuzz/FuzzSupport.h"

#include <cstdlib>
#include <filesystem>
#include <string>

namespace kaldo::fuzz {

// The sample content installed once in the scratch folder, merged and loaded for one model as
// at start-up, so that the pages are built from the content's own files and stylesheets.
class SampleContent final {
public:
    SampleContent() {
        const std::string folder = Scratch() / "Data/presslane_3000";
        std::filesystem::create_directories(folder);
        std::filesystem::copy(std::string(KALDO_CONTENT_DIR) + "/presslane_3000", folder,
                              std::filesystem::copy_options::recursive);
        if (MergeContentInfo(JoinPath(folder, "toolboxinfo.xml"), JoinPath(folder, "tabinfo.xml"),
                             JoinPath(folder, "toolbox.xml"), "EN") != ResultCode::Ok ||
            !m_config.Load(folder, "KP3020"))
            std::abort();
        m_folders = ComputeModelFolders(Scratch().Path() + "/", m_config);
    }

    const ToolboxConfig& Config() const { return m_config; }
    const ModelFolders& Folders() const { return m_folders; }
    std::string Xml(const std::string& name) const { return JoinPath(m_folders.XmlFolder, name); }
    std::string Ui(const std::string& name) const { return m_folders.ContentPath(name); }

private:
    ToolboxConfig m_config;
    ModelFolders m_folders;
};

inline const SampleContent& Sample() {
    static const SampleContent content;
    return content;
}

} // namespace kaldo::fuzz
