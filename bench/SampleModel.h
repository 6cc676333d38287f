#pragma once

#include "TestPaths.h"
#include "bench/BenchFolder.h"
#include "main/content/ContentFolders.h"
#include "main/content/ModelFolders.h"
#include "main/content/ToolboxConfig.h"
#include "platform/Paths.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <utility>

namespace kaldo::bench {

// The sample content's first model, installed below `folder` as the program finds it
// (Data/presslane_3000) with its configuration merged and loaded.
inline bool StageSampleModel(const BenchFolder& folder, ToolboxConfig& config,
                             ModelFolders& folders) {
    const std::string content = folder.Path("Data/presslane_3000");
    std::error_code failure;
    std::filesystem::create_directories(content, failure);
    std::filesystem::copy(std::string(KALDO_CONTENT_DIR) + "/presslane_3000", content,
                          std::filesystem::copy_options::recursive, failure);
    if (failure)
        return false;
    ModelContent loaded = LoadModelContent(content, "KP3020", "EN");
    if (!loaded.Ready())
        return false;
    config = std::move(loaded.Config);
    folders = ComputeModelFolders(folder.Path(""), config);
    return true;
}

// The sample model staged in a folder of its own; a benchmark skips itself when it did not load.
struct StagedSampleModel {
    explicit StagedSampleModel(benchmark::State& state) {
        if (!StageSampleModel(Folder, Config, Folders))
            state.SkipWithError("sample content did not load");
    }
    bool Ready(const benchmark::State& state) const { return !state.error_occurred(); }

    BenchFolder Folder;
    ToolboxConfig Config;
    ModelFolders Folders;
};

} // namespace kaldo::bench
