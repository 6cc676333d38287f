#include "TestPaths.h"
#include "bench/BenchFolder.h"
#include "main/pages/PageTransformer.h"
#include "main/pages/index/IndexPages.h"
#include "main/shell/ContentInfoMerge.h"
#include "main/shell/ToolboxConfig.h"
#include "platform/Paths.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace kaldo::bench {
namespace {

// The index pages of the sample content, as built at start-up and on every printer change.
void IndexBuild(benchmark::State& state) {
    BenchFolder folder;
    const std::string content = folder.Path("presslane_3000");
    std::filesystem::copy(std::string(KALDO_CONTENT_DIR) + "/presslane_3000", content,
                          std::filesystem::copy_options::recursive);
    ToolboxConfig config;
    if (MergeContentInfo(JoinPath(content, "toolboxinfo.xml"), JoinPath(content, "tabinfo.xml"),
                         JoinPath(content, "toolbox.xml"), "EN") != 0 ||
        !config.Load(content, "KP3020")) {
        state.SkipWithError("sample content did not load");
        return;
    }
    const FileNames names = config.Files();
    auto xml = [&](const std::string& name) {
        return JoinPath(content, "xml/" + name);
    };
    auto ui = [&](const std::string& name) {
        return JoinPath(content, "ui/" + name);
    };
    const IndexPageFiles files{xml(names.File_IndexUG),
                               xml(names.File_IndexNonUG),
                               xml(names.File_IndexAUG),
                               xml(names.File_IndexCombined1),
                               xml(names.File_IndexCombined2),
                               xml(names.File_IndexSort_XSL),
                               xml(names.File_Index_XSL),
                               xml(names.File_IndexContent_XSL),
                               ui(names.File_Index),
                               ui(names.File_IndexContent),
                               config.ConfigPath()};
    const PageTransformer transformer;
    for (auto _ : state) {
        if (BuildIndexPages(files, {"Index", "0 - 9"}, "EN", transformer) != 0) {
            state.SkipWithError("index build failed");
            break;
        }
    }
}
BENCHMARK(IndexBuild)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kaldo::bench
