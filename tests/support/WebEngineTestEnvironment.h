#pragma once

#include <QByteArray>
#include <QtGlobal>

namespace kaldo::testsupport {

// What the web-engine tests run with, also when started by hand: no display, no GPU, and no
// sandbox, which the engine refuses to start for root. Before the application object exists.
inline void SetWebEngineTestDefaults() {
    const auto setDefault = [](const char* name, const char* value) {
        if (qEnvironmentVariableIsEmpty(name))
            qputenv(name, value);
    };
    setDefault("QT_QPA_PLATFORM", "offscreen");
    setDefault("QTWEBENGINE_DISABLE_SANDBOX", "1");
    setDefault("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu --no-sandbox");
}

} // namespace kaldo::testsupport
