#pragma once

#include <functional>

class QObject;

namespace kaldo {

// Runs `call` later from the event loop of the thread `context` lives on (the main thread for
// every caller), never inside the caller. Any thread may post; the call is dropped when
// `context` is deleted before it runs.
void PostToMain(QObject* context, std::function<void()> call);

} // namespace kaldo
