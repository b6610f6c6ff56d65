// The pacing of the demo's frames on a made-up clock: frames every 1/64 s and a step of 1/8, both
// exact in binary, so every boundary is where the arithmetic says and nothing waits for time.

#include "inspect/frame-pacer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

constexpr double kFrame = 1.0 / 64;
constexpr float kStep = 0.125f;

}  // namespace

TEST(FramePacer, EveryFrameTakesOneIterationWhateverTheClock) {
  FramePacer pacer;
  EXPECT_EQ(pacer.mode(), Pacing::kEveryFrame);
  EXPECT_FALSE(pacer.paused());
  for (double now : {0.0, 0.0, 1e-9, 5.0, 5.0, 1e6}) EXPECT_EQ(pacer.IterationsDue(now, kStep), 1) << now;
  pacer.RequestSingleStep();
  EXPECT_EQ(pacer.IterationsDue(1e6, kStep), 1) << "a single step asked for while running is no extra";
}

TEST(FramePacer, PausedFramesTakeOnlyTheSingleStepsAskedFor) {
  FramePacer pacer;
  pacer.TogglePause();
  ASSERT_TRUE(pacer.paused());
  for (int frame = 0; frame < 10; ++frame) EXPECT_EQ(pacer.IterationsDue(frame * kFrame, kStep), 0);
  pacer.RequestSingleStep();
  EXPECT_EQ(pacer.IterationsDue(1.0, kStep), 1);
  EXPECT_EQ(pacer.IterationsDue(1.0 + kFrame, kStep), 0) << "exactly one";
  pacer.RequestSingleStep();
  pacer.RequestSingleStep();
  EXPECT_EQ(pacer.IterationsDue(2.0, kStep), 1) << "one per frame";
  EXPECT_EQ(pacer.IterationsDue(2.0 + kFrame, kStep), 1);
  EXPECT_EQ(pacer.IterationsDue(2.0 + 2 * kFrame, kStep), 0);

  pacer.RequestSingleStep();
  pacer.Hold();  // a frame of a simulation that is not started
  EXPECT_EQ(pacer.IterationsDue(3.0, kStep), 0) << "dropped while not started";

  pacer.RequestSingleStep();
  pacer.TogglePause();
  EXPECT_FALSE(pacer.paused());
  EXPECT_EQ(pacer.IterationsDue(4.0, kStep), 1);
  pacer.TogglePause();
  EXPECT_EQ(pacer.IterationsDue(4.0 + kFrame, kStep), 0) << "a step waiting at the resume was dropped";
}

TEST(FramePacer, ModesCycleInOrderWithTheirNames) {
  FramePacer pacer;
  const Pacing expected[] = {Pacing::kRealTime, Pacing::kSlowTen, Pacing::kEveryFrame, Pacing::kRealTime};
  for (Pacing mode : expected) {
    pacer.CycleMode();
    EXPECT_EQ(pacer.mode(), mode);
  }
  EXPECT_STREQ(PacingName(Pacing::kEveryFrame), "every frame");
  EXPECT_STREQ(PacingName(Pacing::kRealTime), "real time");
  EXPECT_STREQ(PacingName(Pacing::kSlowTen), "slow x10");
}

// Over 20 wall seconds of frames, the iterations taken so far are at every frame exactly the
// whole number of steps (of h, or of 10 h) that fit into the time since the first frame.
TEST(FramePacer, RealTimeAndSlowTenFollowTheClockExactly) {
  for (Pacing mode : {Pacing::kRealTime, Pacing::kSlowTen}) {
    FramePacer pacer;
    while (pacer.mode() != mode) pacer.CycleMode();
    const double per_iteration = (mode == Pacing::kSlowTen ? 10.0 : 1.0) * kStep;
    const double start = 100.0;
    long taken = 0;
    for (int frame = 0; frame <= 20 * 64; ++frame) {
      const double now = start + frame * kFrame;
      taken += pacer.IterationsDue(now, kStep);
      ASSERT_EQ(taken, static_cast<long>(std::floor((now - start) / per_iteration)))
          << PacingName(mode) << " at frame " << frame;
    }
  }
}

TEST(FramePacer, TheFirstIterationComesAStepAfterTheClockStarts) {
  FramePacer pacer;
  pacer.CycleMode();  // real time
  EXPECT_EQ(pacer.IterationsDue(7.0, kStep), 0);
  EXPECT_EQ(pacer.IterationsDue(7.0 + kStep - kFrame, kStep), 0);
  EXPECT_EQ(pacer.IterationsDue(7.0 + kStep, kStep), 1) << "a full step of wall time is enough";

  // Time spent not started, or paused, is owed nothing.
  pacer.Hold();
  EXPECT_EQ(pacer.IterationsDue(50.0, kStep), 0);
  EXPECT_EQ(pacer.IterationsDue(50.0 + kStep, kStep), 1);
  pacer.TogglePause();
  EXPECT_EQ(pacer.IterationsDue(60.0, kStep), 0);
  pacer.TogglePause();
  EXPECT_EQ(pacer.IterationsDue(90.0, kStep), 0);
  EXPECT_EQ(pacer.IterationsDue(90.0 + kStep, kStep), 1);
  pacer.CycleMode();  // slow x10: the clock starts afresh
  EXPECT_EQ(pacer.IterationsDue(95.0, kStep), 0);
  EXPECT_EQ(pacer.IterationsDue(95.0 + 10 * kStep - kFrame, kStep), 0);
  EXPECT_EQ(pacer.IterationsDue(95.0 + 10 * kStep, kStep), 1);
}

// A frame far too slow for the clock takes the most a frame may and forgets the rest, so the
// next frame is not slower still; at the most, and one step more, it takes the most.
TEST(FramePacer, ASlowFrameTakesAtMostTheLimitAndOwesNothingMore) {
  const int most = FramePacer::kMostIterationsPerFrame;
  for (int steps_late : {most - 1, most, most + 1, 1000}) {
    FramePacer pacer;
    pacer.CycleMode();
    pacer.IterationsDue(0.0, kStep);
    EXPECT_EQ(pacer.IterationsDue(steps_late * static_cast<double>(kStep), kStep), std::min(steps_late, most))
        << steps_late;
    const int next = pacer.IterationsDue(steps_late * static_cast<double>(kStep) + kFrame, kStep);
    EXPECT_EQ(next, 0) << steps_late;
  }
}
