// The simulation's part of the demo's frames, headless on seeded scenes: a paused run stepped one
// iteration at a time, or one paced by the clock, ends bit for bit where the same number of
// plain frames ends.

#include "inspect/frame-advance.h"

#include <gtest/gtest.h>

#include "fingerprint.h"
#include "quiet-scene.h"
#include "inspect/scene-monitor.h"

namespace {

#ifdef QUORVEL_SANITIZED
constexpr int kIterations = 120;
#else
constexpr int kIterations = 600;
#endif

constexpr double kFrame = 1.0 / 64;

// The state after `frames` frames of the default pacing, one iteration each.
uint64_t AfterPlainFrames(unsigned seed, bool rk4, float h, int frames) {
  BreakShot shot(seed, rk4);
  FramePacer pacer;
  for (int frame = 0; frame < frames; ++frame) EXPECT_EQ(AdvanceFrame(shot.scene, true, pacer, 0.0, h), 1);
  return StateFingerprint(shot.scene.bodies_system);
}

}  // namespace

// Paused, with single steps asked for now and then and idle frames between them, watched by a
// monitor that times every iteration: the same state as as many plain frames.
TEST(FrameAdvance, SingleStepsGiveTheStateOfAsManyFrames) {
  for (bool rk4 : {false, true}) {
    const unsigned seed = rk4 ? 77u : 76u;
    BreakShot shot(seed, rk4);
    Scene& scene = shot.scene;
    FramePacer pacer;
    pacer.TogglePause();
    SceneMonitor monitor;
    int taken = 0;
    double now = 0;
    for (int frame = 0; taken < kIterations; ++frame) {
      if (frame % 3 == 0) pacer.RequestSingleStep();
      now += kFrame;
      taken += AdvanceFrame(scene, true, pacer, now, 0.1f, &monitor, true);
    }
    EXPECT_EQ(monitor.iterations(), static_cast<uint64_t>(kIterations));
    EXPECT_EQ(StateFingerprint(scene.bodies_system), AfterPlainFrames(seed, rk4, 0.1f, kIterations))
        << (rk4 ? "RK4" : "Euler");
  }
}

// Real time on a made-up clock: 1/8 simulated second per 1/8 wall second.
TEST(FrameAdvance, RealTimeTakesTheIterationsTheClockAllows) {
  BreakShot shot(31);
  Scene& scene = shot.scene;
  FramePacer pacer;
  pacer.CycleMode();
  const float h = 0.125f;
  const int iterations = kIterations / 4;
  int taken = 0;
  int frames = 0;
  for (double now = 0; taken < iterations; now += kFrame, ++frames) taken += AdvanceFrame(scene, true, pacer, now, h);
  EXPECT_EQ(frames, iterations * 8 + 1) << "eight frames of 1/64 s per step, and the one that starts the clock";
  EXPECT_EQ(scene.bodies_system.time, iterations * h);
  EXPECT_EQ(StateFingerprint(scene.bodies_system), AfterPlainFrames(31, false, h, iterations));
}

TEST(FrameAdvance, NothingMovesBeforeStart) {
  QuietScene quiet(5);
  const uint64_t racked = StateFingerprint(quiet.scene.bodies_system);
  FramePacer pacer;
  SceneMonitor monitor;
  for (int frame = 0; frame < 40; ++frame)
    EXPECT_EQ(AdvanceFrame(quiet.scene, false, pacer, frame * kFrame, 0.2f, &monitor), 0);
  EXPECT_EQ(StateFingerprint(quiet.scene.bodies_system), racked);
  EXPECT_EQ(monitor.iterations(), 0u);
  EXPECT_GT(monitor.frames_per_second(), 0.0) << "frames are still counted";
}
