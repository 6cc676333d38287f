#include "setup/ProgressStepper.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using kaldo::NextProgress;
using kaldo::ProgressState;

TEST(ProgressStepperTest, EachTickMovesOneFurtherThanTheLast) {
    ProgressState state;
    std::vector<int> positions;
    for (int i = 0; i < 5; ++i) {
        state = NextProgress(state);
        positions.push_back(state.Position);
    }
    EXPECT_EQ(positions, (std::vector<int>{1, 3, 6, 10, 15}));
    EXPECT_EQ(state.Counter, 5);
}

TEST(ProgressStepperTest, StopsAtTheEndOfTheRange) {
    const ProgressState state = NextProgress({190, 19});
    EXPECT_EQ(state.Position, kaldo::kProgressMaximum);
    EXPECT_EQ(state.Counter, 20);
}

TEST(ProgressStepperTest, TickAfterTheEndStartsOver) {
    const ProgressState state = NextProgress({200, 20});
    EXPECT_EQ(state.Position, 0);
    EXPECT_EQ(state.Counter, 0);
}

TEST(ProgressStepperTest, PositionJustBelowTheEndStillMoves) {
    EXPECT_EQ(NextProgress({199, 3}).Position, 200);
}

TEST(ProgressStepperTest, RunsThroughTheRangeInTwentyTicksAndRepeats) {
    ProgressState state;
    int ticks = 0;
    while (state.Position < kaldo::kProgressMaximum) {
        state = NextProgress(state);
        ++ticks;
    }
    EXPECT_EQ(ticks, 20);
    state = NextProgress(state);
    EXPECT_EQ(state.Position, 0);
    EXPECT_EQ(NextProgress(state).Position, 1);
}

} // namespace
