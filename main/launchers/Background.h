#pragma once

#include <functional>
#include <memory>
#include <utility>

namespace kaldo {

// Where the launchers put questions that may wait on the network or the desktop, so that the
// window never waits for them.
class Background {
public:
    virtual ~Background() = default;

    // Runs `work` away from the main thread, then `done` on the main thread. `done` does not
    // run when the wait was cancelled first or the window has closed.
    virtual void Run(std::function<void()> work, std::function<void()> done) = 0;
};

// Asks `question` in the background and hands its answer to `answer` on the main thread.
template <typename T>
void Ask(Background& background, std::function<T()> question, std::function<void(T)> answer) {
    auto value = std::make_shared<T>();
    background.Run([value, question = std::move(question)] { *value = question(); },
                   [value, answer = std::move(answer)] { answer(std::move(*value)); });
}

} // namespace kaldo
