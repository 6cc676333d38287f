#pragma once

#include <string>

namespace kaldo {

class ToolboxConfig;

// The working folders of the selected model, full paths resolved without regard to case.
struct ModelFolders {
    // The model's content folder; nothing outside it is handed to the desktop.
    std::string ContentFolder;
    std::string UiFolder;
    std::string XmlFolder;
    std::string DocumentFolder;
    std::string VideoFolder;

    // A file of the UI folder.
    std::string ContentPath(const std::string& name) const;
    // A file of the UI folder's "images" folder.
    std::string ImagePath(const std::string& name) const;
    // The page shown first in `tab`; `tab` becomes the current tab.
    std::string TabPagePath(const ToolboxConfig& config, int& currentTab, int tab) const;
    // Page `page` of the current tab (page 0 when out of range), which becomes its default.
    std::string TabSubPagePath(ToolboxConfig& config, int currentTab, int page) const;
};

// The folders named by the configuration's paths below `programFolder`. Creates the document
// and video folders; one that cannot be made is no error.
ModelFolders ComputeModelFolders(const std::string& programFolder, const ToolboxConfig& config);

// Puts the model's picture in place of the caption picture that the pages show, as a link to
// it. Failure is left to the caller to ignore.
bool InstallModelPicture(const ModelFolders& folders, const ToolboxConfig& config);

} // namespace kaldo
