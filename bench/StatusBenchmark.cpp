#include "bench/SampleModel.h"
#include "main/pages/PageTransformer.h"
#include "main/status/StatusPages.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace kaldo::bench {
namespace {

// The footer and trouble-solution pages of the sample content, as rebuilt when a status
// retrieval starts (status 1) and when it reports a usable document (status 0).
void FooterRebuild(benchmark::State& state) {
    const auto status = static_cast<StatusValue>(state.range(0));
    const StagedSampleModel model(state);
    if (!model.Ready(state))
        return;
    const ToolboxConfig& config = model.Config;
    const ModelFolders& folders = model.Folders;
    const StatusPageFiles files = StatusPageFilesFor(folders, config.Files(), config.ConfigPath());
    std::filesystem::copy_file(std::string(KALDO_TEST_DATA_DIR) + "/status/ready.xml",
                               files.StatusDocument,
                               std::filesystem::copy_options::overwrite_existing);

    StatusFacts facts;
    facts.PrinterIsNetworked = true;
    facts.PrinterAddress = "192.168.1.40";
    facts.DisplayToner = config.DisplayToner();
    facts.StatusOverUsb = config.StatusOverUSB();
    const PageTransformer transformer;
    for (auto _ : state) {
        StatusInfo info;
        FillStatusInfo(info, status, facts);
        if (BuildFooterPages(status, info, files, config.Language_L10N(), transformer) !=
            ResultCode::Ok) {
            state.SkipWithError("footer build failed");
            break;
        }
    }
}
BENCHMARK(FooterRebuild)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kaldo::bench
