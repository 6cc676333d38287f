#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>

#include <functional>

namespace kaldo::testsupport {

// The main thread's event loop for a test without a window: the application, made once.
inline void EnsureApplication() {
    if (QCoreApplication::instance() != nullptr)
        return;
    static int argc = 1;
    static char name[] = "test";
    static char* argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);
}

// Bounded wait for what arrives through the main thread's event loop (reports posted to it,
// web pages loading): runs the loop until `condition` holds (true) or `limitMs` has passed.
inline bool WaitUntil(const std::function<bool()>& condition, int limitMs = 20000) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > limitMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

} // namespace kaldo::testsupport
