#pragma once

#include "TestPaths.h"
#include "main/content/ContentFolders.h"
#include "main/content/ModelFolders.h"
#include "main/content/ToolboxConfig.h"
#include "main/pages/index/IndexPages.h"
#include "main/resources/StringResources.h"
#include "platform/Paths.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestFiles.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace kaldo::testsupport {

inline bool Contains(const std::string& text, const std::string& needle) {
    return text.find(needle) != std::string::npos;
}

// The sample content folder installed in a program folder of its own, its configuration merged
// and loaded for one model as at start-up, so the files are found as the program finds them.
class SampleContent {
public:
    static constexpr const char* kFolder = "presslane_3000";

    SampleContent()
        : m_content(
              LoadModelContent(InstallContentFolder(std::string(KALDO_CONTENT_DIR) + "/" + kFolder,
                                                    m_program.Path()),
                               "KP3020", "EN")) {
        m_folders = ComputeModelFolders(m_program.Path() + "/", m_content.Config);
    }

    bool Ready() const { return m_content.Ready(); }
    ToolboxConfig& Config() { return m_content.Config; }
    const ModelFolders& Folders() const { return m_folders; }
    std::string Xml(const std::string& name) const { return JoinPath(m_folders.XmlFolder, name); }
    std::string Ui(const std::string& name) const { return m_folders.ContentPath(name); }

    IndexPageFiles IndexFiles() const {
        const FileNames names = m_content.Config.Files();
        return {Xml(names.File_IndexUG),        Xml(names.File_IndexNonUG),
                Xml(names.File_IndexAUG),       Xml(names.File_IndexCombined1),
                Xml(names.File_IndexCombined2), Xml(names.File_IndexSort_XSL),
                Xml(names.File_Index_XSL),      Xml(names.File_IndexContent_XSL),
                Ui(names.File_Index),           Ui(names.File_IndexContent),
                m_content.Config.ConfigPath()};
    }

    // The labels as the English string table gives them.
    static IndexLabels EnglishIndexLabels() {
        const StringTable strings = MainStringTable("en_US.UTF-8");
        return {strings.Text(119), strings.Text(120)};
    }

private:
    testsupport::TempFolder m_program;
    ModelContent m_content;
    ModelFolders m_folders;
};

} // namespace kaldo::testsupport
