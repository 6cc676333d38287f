#include "platform/WebEngineEnvironment.h"

#include <QByteArray>
#include <QtGlobal>

#include <unistd.h>

namespace kaldo {

void PrepareWebEngineEnvironment() {
    if (::geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    if (qgetenv("QT_QPA_PLATFORM") == "offscreen" &&
        qEnvironmentVariableIsEmpty("QTWEBENGINE_CHROMIUM_FLAGS"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
    // The engine sets this for the graphics driver as it starts. Adding a variable moves the
    // environment, under any thread that reads it at the time (libcups and name lookups do);
    // set before such threads exist, the engine's start only writes the value again.
    if (!qEnvironmentVariableIsSet("force_s3tc_enable"))
        qputenv("force_s3tc_enable", "true");
}

void ShareRenderersWithinSites() {
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    for (const char* model : {"--process-per-site", "--process-per-tab", "--single-process",
                              "--renderer-process-limit"}) {
        if (flags.contains(model))
            return;
    }
    if (!flags.isEmpty())
        flags += ' ';
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags + "--process-per-site");
}

} // namespace kaldo
