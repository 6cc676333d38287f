// A content folder's two configuration pieces, merged into toolbox.xml and loaded for a model
// as at start-up. Input: toolboxinfo.xml, tabinfo.xml, then optionally the model and the
// language code, separated by kPartSeparator.
#include "main/content/ContentFolders.h"
#include "platform/Paths.h"
#include "tests/fuzz/FuzzSupport.h"

#include <filesystem>

using namespace kaldo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<std::string> parts = fuzz::SplitInput(data, size, 4);
    const std::string folder = fuzz::Scratch() / "Data/content";
    std::filesystem::create_directories(folder);
    const std::string toolbox = JoinPath(folder, "toolbox.xml");
    std::filesystem::remove(toolbox);
    fuzz::WriteBytes(JoinPath(folder, "toolboxinfo.xml"), parts[0]);
    fuzz::WriteBytes(JoinPath(folder, "tabinfo.xml"), parts[1]);
    const std::string model = parts[2].empty() ? "KP3020" : parts[2];
    const std::string language = parts[3].empty() ? "EN" : parts[3];

    ToolboxConfig config = LoadModelContent(folder, model, language).Config;

    // What the window asks of a loaded configuration, with every tab and page number it can
    // come to, including the ones out of range.
    config.DefaultPageFile();
    const int tabs = int(config.Tabs().size());
    for (int tab = -1; tab <= tabs; ++tab) {
        config.TabPageFile(tab);
        const int pages = tab >= 0 && tab < tabs ? config.Tabs()[tab].PageCount : 1;
        for (int page = -1; page <= pages + 1 && page < 64; ++page)
            config.PageFile(tab, page);
    }
    std::vector<std::string> names;
    config.CollectFrames(names);
    config.CollectWebs(names);
    // The model folders are left out: making them creates folders the configuration names.
    return 0;
}
