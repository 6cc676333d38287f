#pragma once

#include "main/content/ModelFolders.h"
#include "main/content/ToolboxConfig.h"
#include "main/pages/HeaderPage.h"
#include "main/pages/index/IndexPages.h"
#include "main/search/SearchPage.h"
#include "main/status/StatusInfo.h"

#include <string>

namespace kaldo {

// The inputs of the page builders, filled the way the main program fills them for the
// selected model: texts of the user's language, paths below the model's folders.

// The language code the program hands to the merge of the configuration pieces.
std::string ProgramLanguageCode();

// A file of the model's XML folder.
std::string XmlFolderPath(const ModelFolders& folders, const std::string& name);

HeaderLabels HeaderLabelsFor(const ToolboxConfig& config);
HeaderPageFiles HeaderPageFilesFor(const ModelFolders& folders, const FileNames& names);

IndexLabels ProgramIndexLabels();
IndexPageFiles IndexPageFilesFor(const ModelFolders& folders, const ToolboxConfig& config);

SearchLabels ProgramSearchLabels();
// The text of the search box before anything is typed; searching it shows the empty page.
std::string SearchPrompt();
SearchPageFiles SearchPageFilesFor(const ModelFolders& folders, const ToolboxConfig& config);

// The footer's facts for a printer with `config` loaded; networked when its address is known.
StatusFacts StatusFactsFor(const ToolboxConfig& config, UpdateState updateState);

} // namespace kaldo
