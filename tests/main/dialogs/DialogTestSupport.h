#pragma once

#include "main/content/ToolboxConfig.h"
#include "tests/support/TempFolder.h"

#include "TestPaths.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>

namespace kaldo::testsupport {

// The test configuration (English texts), loaded from a folder of its own.
inline std::unique_ptr<ToolboxConfig> LoadTestConfig(const kaldo::testsupport::TempFolder& folder) {
    std::filesystem::copy_file(std::string(KALDO_TEST_DATA_DIR) + "/launchers/toolbox.xml",
                               folder / "toolbox.xml",
                               std::filesystem::copy_options::overwrite_existing);
    auto config = std::make_unique<ToolboxConfig>();
    if (!config->Load(folder.Path(), "Presslane 3020"))
        return nullptr;
    return config;
}

// Once a modal dialog of type T is up (and `ready` agrees), hands it to `act`. Gives up
// after many tries, closing whatever modal dialog is up so that the test cannot hang.
template <typename T>
void WhenModal(std::function<void(T&)> act, std::function<bool()> ready = {}, int tries = 2000) {
    QTimer::singleShot(5, [act = std::move(act), ready = std::move(ready), tries]() mutable {
        auto* dialog = dynamic_cast<T*>(QApplication::activeModalWidget());
        if (dialog && (!ready || ready())) {
            act(*dialog);
            return;
        }
        if (tries <= 0) {
            ADD_FAILURE() << "the expected dialog did not come up";
            if (QWidget* modal = QApplication::activeModalWidget())
                modal->close();
            return;
        }
        WhenModal<T>(std::move(act), std::move(ready), tries - 1);
    });
}

} // namespace kaldo::testsupport
