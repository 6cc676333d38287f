// Browser panes need the link schemes and the shared GL contexts set up before the
// application object exists, so these tests bring their own main.
#include "main/browser/LinkSchemes.h"
#include "platform/WebEngineEnvironment.h"
#include "tests/support/WebEngineTestEnvironment.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    kaldo::testsupport::SetWebEngineTestDefaults();
    kaldo::PrepareWebEngineEnvironment(); // as the program does
    kaldo::ShareRenderersWithinSites();
    kaldo::testsupport::NamesBeforeTheEngine() = kaldo::testsupport::EnvironmentNames();

    testing::InitGoogleTest(&argc, argv);
    kaldo::RegisterLinkSchemes();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
