#pragma once

namespace kaldo {

// The progress bar shows activity, not progress: each tick moves it on by one more than the
// tick before, up to the end of its range, and the tick after the end starts it over.
struct ProgressState {
    int Position = 0;
    int Counter = 0;
};

constexpr int kProgressMaximum = 200;
constexpr int kProgressTickMs = 75;

constexpr ProgressState NextProgress(ProgressState state) {
    if (state.Position > kProgressMaximum - 1)
        return {0, 0};
    ++state.Counter;
    state.Position += state.Counter;
    if (state.Position > kProgressMaximum)
        state.Position = kProgressMaximum;
    return state;
}

} // namespace kaldo
