#include "bench/SampleModel.h"
#include "main/pageinputs/PageInputs.h"
#include "main/pages/PageTransformer.h"
#include "main/pages/index/IndexPages.h"

#include <benchmark/benchmark.h>

namespace kaldo::bench {
namespace {

// The index pages of the sample content, as built at start-up and on every printer change.
void IndexBuild(benchmark::State& state) {
    const StagedSampleModel model(state);
    if (!model.Ready(state))
        return;
    const ToolboxConfig& config = model.Config;
    const ModelFolders& folders = model.Folders;
    const IndexPageFiles files = IndexPageFilesFor(folders, config);
    const PageTransformer transformer;
    for (auto _ : state) {
        if (BuildIndexPages(files, {"Index", "0 - 9"}, "EN", transformer) != ResultCode::Ok) {
            state.SkipWithError("index build failed");
            break;
        }
    }
}
BENCHMARK(IndexBuild)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kaldo::bench
