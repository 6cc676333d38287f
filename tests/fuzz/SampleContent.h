#pragma once

#include "main/content/ContentFolders.h"
#include "main/content/ModelFolders.h"
#include "main/content/ToolboxConfig.h"
#include "platform/Paths.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tests/support/TestFiles.h"

#include <cstdlib>
#include <string>
#include <utility>

namespace kaldo::fuzz {

// The sample content installed once in the scratch folder, merged and loaded for one model as
// at start-up, so that the pages are built from the content's own files and stylesheets.
class SampleContent final {
public:
    SampleContent() {
        const std::string folder = testsupport::InstallContentFolder(
            std::string(KALDO_CONTENT_DIR) + "/presslane_3000", Scratch().Path());
        ModelContent content = LoadModelContent(folder, "KP3020", "EN");
        if (!content.Ready())
            std::abort();
        m_config = std::move(content.Config);
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
