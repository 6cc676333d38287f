#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <set>
#include <string>

extern char** environ;

namespace kaldo::testsupport {

// The names of the process's environment variables.
inline std::set<std::string> EnvironmentNames() {
    std::set<std::string> names;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string text(*entry);
        names.insert(text.substr(0, text.find('=')));
    }
    return names;
}

// The names as the program's main leaves them, before the engine has started.
inline std::set<std::string>& NamesBeforeTheEngine() {
    static std::set<std::string> names;
    return names;
}

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
