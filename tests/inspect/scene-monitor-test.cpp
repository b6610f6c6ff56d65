// What the demo's views watch: the frame rate, the contact highlights fading over wall time, and
// the histories fed by every iteration, all on a made-up clock.

#include "inspect/scene-monitor.h"

#include <gtest/gtest.h>

#include "force-list.h"
#include "rb-system.h"

TEST(SceneMonitor, FrameRateCountsFramesOverHalfSecondWindows) {
  SceneMonitor monitor;
  const double frame = 1.0 / 64;
  EXPECT_EQ(monitor.frames_per_second(), 0.0);
  for (int k = 0; k < 32; ++k) monitor.AfterFrame(3.0 + k * frame);
  EXPECT_EQ(monitor.frames_per_second(), 0.0) << "the first window is not full yet";
  monitor.AfterFrame(3.0 + 32 * frame);
  EXPECT_EQ(monitor.frames_per_second(), 64.0);
  for (int k = 1; k <= 10; ++k) monitor.AfterFrame(3.5 + k * 0.05);
  EXPECT_DOUBLE_EQ(monitor.frames_per_second(), 20.0);
}

// A contact lights a body fully at its wall time; the light falls linearly to nothing 0.3 s
// later and stays out, while a new contact lights it again.
TEST(ContactFade, FadesLinearlyOverThreeTenthsOfASecond) {
  ForceList forces;
  RBSystem system(3, &forces);
  ContactFade fade;
  EXPECT_EQ(fade.Strength(0, 0.0), 0.0f) << "nothing noted yet";
  system.Body(1)->render_model.MarkCollided();
  fade.Note(system, 10.0);
  EXPECT_EQ(fade.Strength(1, 10.0), 1.0f);
  EXPECT_EQ(fade.Strength(0, 10.0), 0.0f) << "a body that did not touch";
  EXPECT_EQ(fade.Strength(2, 10.0), 0.0f);
  EXPECT_EQ(fade.Strength(7, 10.0), 0.0f) << "a body the fade does not know";
  float previous = 1.0f;
  for (int ms = 1; ms <= 400; ++ms) {
    const float s = fade.Strength(1, 10.0 + ms / 1000.0);
    if (ms < 300) {
      EXPECT_NEAR(s, 1.0 - ms / 300.0, 1e-6) << ms;
      EXPECT_LT(s, previous) << ms;
      EXPECT_GT(s, 0.0f) << ms;
    } else {
      EXPECT_EQ(s, 0.0f) << ms;
    }
    previous = s;
  }
  system.Body(1)->render_model.ClearCollided();
  fade.Note(system, 10.1);
  EXPECT_NEAR(fade.Strength(1, 10.15), 0.5f, 1e-6) << "no new contact: the old one keeps fading";
  system.Body(1)->render_model.MarkCollided();
  fade.Note(system, 10.2);
  EXPECT_EQ(fade.Strength(1, 10.2), 1.0f);
  fade.Forget();
  EXPECT_EQ(fade.Strength(1, 10.2), 0.0f);
}

TEST(SceneMonitor, EveryIterationFeedsTheHistoriesAndTheFade) {
  ForceList forces;
  RBSystem system(2, &forces);
  for (uint32_t i = 0; i < 2; ++i) system.Body(i)->SetMass(2.0f);
  system.Body(0)->linear_momentum = Vec3(4, 0, 0);  // energy 16 / 4 = 4
  system.Body(1)->render_model.MarkCollided();
  SceneMonitor monitor;
  EXPECT_FALSE(monitor.has_last_iteration()) << "nothing run yet: no costs to show";
  IterationStats stats;
  stats.body.contacts = 1;
  stats.wall.contacts = 3;
  monitor.AfterIteration(system, stats, 1.0);
  EXPECT_TRUE(monitor.has_last_iteration());
  monitor.ForgetLastIteration();  // Reset
  EXPECT_FALSE(monitor.has_last_iteration());
  stats.body.contacts = 0;
  system.Body(0)->linear_momentum = Vec3(2, 0, 0);
  monitor.AfterIteration(system, stats, 2.0);

  EXPECT_TRUE(monitor.has_last_iteration()) << "the next iteration after Reset";
  EXPECT_EQ(monitor.iterations(), 2u);
  EXPECT_EQ(monitor.last_iteration().body.contacts, 0);
  EXPECT_EQ(monitor.last_iteration().wall.contacts, 3);
  float bins[2];
  monitor.kinetic_energy().Resample(2.0, 2.0, bins, 2);
  EXPECT_EQ(bins[0], 4.0f);
  EXPECT_EQ(bins[1], 1.0f);
  monitor.body_contacts().Resample(2.0, 2.0, bins, 2);
  EXPECT_EQ(bins[0], 1.0f);
  EXPECT_EQ(bins[1], 0.0f);
  monitor.wall_contacts().Resample(2.0, 2.0, bins, 2);
  EXPECT_EQ(bins[1], 3.0f);
  EXPECT_EQ(monitor.fade().Strength(1, 2.0), 1.0f);
}
