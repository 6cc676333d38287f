// Browser panes need the link schemes and the shared GL contexts set up before the
// application object exists, so these tests bring their own main.
#include "main/browser/LinkSchemes.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // The same as the test's environment, for discovery and for runs by hand: no display,
    // no GPU, and no sandbox, which the engine refuses to start for root.
    const auto setDefault = [](const char* name, const char* value) {
        if (qEnvironmentVariableIsEmpty(name))
            qputenv(name, value);
    };
    setDefault("QT_QPA_PLATFORM", "offscreen");
    setDefault("QTWEBENGINE_DISABLE_SANDBOX", "1");
    setDefault("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu --no-sandbox");

    testing::InitGoogleTest(&argc, argv);
    kaldo::RegisterLinkSchemes();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
