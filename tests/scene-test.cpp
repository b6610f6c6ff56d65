// The shared scene over long seeded runs: break shots with both integrators at the smallest,
// the default and the largest step the panel allows.

#include "scene.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <iostream>

#include "body-placement.h"
#include "play-volume.h"
#include "quiet-scene.h"
#include "test-files.h"

namespace {

#ifdef QUORVEL_SANITIZED
constexpr int kSoakFrames = 1500;  // the sanitizers slow every query tenfold
#else
constexpr int kSoakFrames = 20000;
#endif

}  // namespace

TEST(Scene, SetUpAsTheDemoDoes) {
  QuietScene quiet(5);
  Scene& scene = quiet.scene;
  EXPECT_EQ(quiet.setup_text, "Initializing with model sphere03.tris\nPlease wait .............\nDone.\n");
  ASSERT_EQ(scene.bodies_system.BodyCount(), 10u);
  EXPECT_EQ(scene.global_forces.Count(), 20);
  EXPECT_EQ(scene.global_forces.Size(), 20);
  for (uint32_t i = 0; i < 10; ++i) {
    RigidBody& body = *scene.bodies_system.Body(i);
    EXPECT_EQ(scene.global_forces.Element(2 * i), scene.sliding_forces[i]);
    EXPECT_EQ(scene.global_forces.Element(2 * i + 1), scene.rolling_forces[i]);
    EXPECT_EQ(body.force_count, 2);
    EXPECT_EQ(scene.sliding_forces[i]->coefficient, 0.005f);
    EXPECT_EQ(scene.rolling_forces[i]->coefficient, 0.0f);
    EXPECT_EQ(scene.sliding_forces[i]->lever_arm.y, -1.0f);
    EXPECT_FALSE(body.IsRolling());
  }
  // The rack as Reset leaves it, after both passes. Three pairs of the diamond stand close
  // enough to touch: 4 and 7, 7 and 8, 8 and 9. At rest the higher index of a touching pair is
  // the one pushed, so bodies 7, 8 and 9 are nudged a few hundredths apart and 0 to 6 stay put.
  const Vec3 rack[10] = {{0, 0, 15},        {0, 0, -8},     {1.01f, 0, -9.7f},  {2.02f, 0, -11.4f},
                         {-1.01f, 0, -9.7f}, {0, 0, -11.4f}, {1.01f, 0, -13.1f}, {-2.01f, 0, -11.4f},
                         {-1.01f, 0, -13.1f}, {0, 0, -14.8f}};
  for (uint32_t i = 0; i < 10; ++i) {
    const Vec3 moved = scene.bodies_system.Body(i)->position - rack[i];
    if (i < 7) {
      EXPECT_EQ(moved.Length(), 0.0f) << "body " << i;
    } else {
      EXPECT_GT(moved.Length(), 0.0f) << "body " << i;
      EXPECT_LT(moved.Length(), 0.1f) << "body " << i;
    }
  }
  const RigidBody& box = *scene.environment_system.Body(0);
  EXPECT_EQ(box.mass, 1.0f);
  EXPECT_EQ(box.orientation.v.y, 1.0f);
  EXPECT_EQ(box.render_model.ntris(), 12);
}

TEST(Scene, StartRestoresSlidingAndRerackesWhileRunning) {
  BreakShot shot(9);
  Scene& scene = shot.scene;
  EXPECT_NEAR(scene.bodies_system.Body(0)->linear_momentum.Length(), 150.0f, 1e-3f);
  for (int n = 0; n < 40; ++n) shot.Iterate();
  scene.slide = 0.02f;
  scene.bodies_system.Body(4)->SetRolling();
  scene.rolling_forces[4]->SetCoefficient(0.005f);
  StartScene(scene, true);
  EXPECT_EQ(scene.bodies_system.Body(0)->position.z, 15.0f) << "re-racked before the new shot";
  EXPECT_EQ(scene.bodies_system.Body(1)->position.z, -8.0f);
  for (uint32_t i = 0; i < 10; ++i) {
    EXPECT_EQ(scene.sliding_forces[i]->coefficient, 0.02f);
    EXPECT_EQ(scene.rolling_forces[i]->coefficient, 0.0f);
    EXPECT_FALSE(scene.bodies_system.Body(i)->IsRolling());
  }
}

// The same seed gives the same run, bit for bit.
TEST(Scene, SeededRunsAreDeterministic) {
  float final_state[2][10 * BodyStateFloats];
  for (int run = 0; run < 2; ++run) {
    BreakShot shot(1234);
    for (int n = 0; n < 300; ++n) shot.Iterate();
    for (uint32_t i = 0; i < 10; ++i)
      shot.scene.bodies_system.Body(i)->GetState(&final_state[run][BodyStateFloats * i]);
  }
  EXPECT_EQ(std::memcmp(final_state[0], final_state[1], sizeof final_state[0]), 0);
}

TEST(Scene, PerformanceAnalysisSettlesTimesAndReports) {
  QuietScene quiet(3, 10, 0);  // the 20-triangle spheres keep 16384 iterations quick
  testing::internal::CaptureStderr();
  quiet.scene.bodies_system.RunPerformanceAnalysis(0.1f, quiet.scene.environment_system);
  const std::string text = testing::internal::GetCapturedStderr();
  const std::string head = "Waiting for no collisions.\nStarting performance analysis.\n";
  const std::string tail = " seconds per iteration.\n";
  ASSERT_EQ(text.compare(0, head.size(), head), 0) << text;
  ASSERT_GT(text.size(), head.size() + tail.size());
  ASSERT_EQ(text.compare(text.size() - tail.size(), tail.size(), tail), 0) << text;
  // The mean in the stream's scientific format: one digit, six after the point, an exponent.
  const std::string mean = text.substr(head.size(), text.size() - head.size() - tail.size());
  EXPECT_EQ(mean.size(), 12u) << mean;
  EXPECT_EQ(mean.find_first_not_of("0123456789.e-+"), std::string::npos) << mean;
  EXPECT_EQ(mean[1], '.');
  EXPECT_EQ(mean[8], 'e');
  EXPECT_GT(std::stod(mean), 0.0);
  EXPECT_GE(quiet.scene.bodies_system.time, 16384 * 0.1f * 0.99f);
  EXPECT_EQ(std::cerr.flags() & std::ios::floatfield, std::ios::fmtflags()) << "back to the default format";
}

struct SoakCase {
  bool rk4;
  float step;
};

void PrintTo(const SoakCase& c, std::ostream* out) { *out << (c.rk4 ? "RK4" : "Euler") << " step " << c.step; }

class Soak : public testing::TestWithParam<SoakCase> {};

// Break shots run for thousands of frames: every float stays finite, every centre is inside the
// play volume after the body-body pass, and the closest approach of two centres right after that
// pass is recorded. It can fall below 1.9: the pass tests each pair once, and when a fast ball
// that sank deep into one neighbour is pushed back along the line of centres, it can land in a
// ball whose pair with it was already tested in this pass; the next pass separates them. So no
// pair may stay that close for more than a couple of frames.
TEST_P(Soak, BreakShotsStayFiniteInsideAndApart) {
  const SoakCase c = GetParam();
  QuietScene quiet(static_cast<unsigned>(1000 * c.step) + (c.rk4 ? 7 : 0));
  Scene& scene = quiet.scene;
  RBSystem& bodies = scene.bodies_system;
  if (c.rk4) bodies.SetRK4();
  // A random shot may miss the rack for a long while; these are aimed at one racked ball after
  // another, so every run is a break.
  int shots = 0;
  auto shoot = [&](bool started) {
    StartScene(scene, started);
    RigidBody& cue = *bodies.Body(0);
    Vec3 aim = bodies.Body(1 + shots++ % 9)->position - cue.position;
    aim.Normalize();
    cue.linear_momentum = cue.linear_momentum.Length() * aim;
  };
  shoot(false);
  float closest = 1e9f;
  int contacts = 0;
  int close_frames[10][10] = {};  // consecutive frames each pair spent closer than 1.9
  int longest_close = 0;
  for (int frame = 0; frame < kSoakFrames; ++frame) {
    if (frame % (kSoakFrames / 5) == kSoakFrames / 5 - 1) shoot(true);  // again, from the rack
    bodies.Step(c.step);
    bodies.ResolveBodyCollisions();
    for (uint32_t i = 0; i < 10; ++i) {
      ASSERT_TRUE(play_volume::Contains(bodies.Body(i)->position)) << "frame " << frame << " body " << i;
      for (uint32_t j = i + 1; j < 10; ++j) {
        const float d = (bodies.Body(i)->position - bodies.Body(j)->position).Length();
        closest = std::min(closest, d);
        close_frames[i][j] = d < 1.9f ? close_frames[i][j] + 1 : 0;
        longest_close = std::max(longest_close, close_frames[i][j]);
      }
    }
    contacts += bodies.collision_free ? 0 : 1;
    bodies.ResolveEnvironmentCollisions(scene.environment_system);
    ApplyRollingRule(scene);
    for (uint32_t i = 0; i < 10; ++i) {
      float state[BodyStateFloats];
      bodies.Body(i)->GetState(state);
      for (float f : state) ASSERT_TRUE(std::isfinite(f)) << "frame " << frame << " body " << i;
    }
  }
  RecordProperty("closest_centres", std::to_string(closest));
  std::printf("closest centres after the body pass: %.4f (%d frames with body contacts)\n", closest, contacts);
  EXPECT_LE(longest_close, 2) << "a pair stayed interpenetrating";
  EXPECT_GT(contacts, 0) << "the break shot must hit the rack";
}

INSTANTIATE_TEST_SUITE_P(EulerAndRK4, Soak,
                         testing::Values(SoakCase{false, 0.01f}, SoakCase{false, 0.1f}, SoakCase{false, 0.2f},
                                         SoakCase{true, 0.01f}, SoakCase{true, 0.1f}, SoakCase{true, 0.2f}),
                         [](const testing::TestParamInfo<SoakCase>& info) {
                           return std::string(info.param.rk4 ? "RK4" : "Euler") + "Step" +
                                  std::to_string(static_cast<int>(info.param.step * 100 + 0.5f));
                         });

// A crowded box: 300 bodies placed at random settle, and the iteration reported free of contacts
// truly is: no two meshes touch (every pair asked directly, without the broad phase). Dropping a
// body from a full grid cell or candidate list would leave pairs untested and touching.
TEST(Scene, ManyBodiesSettleWithNoMeshesTouching) {
  BreakShot shot(1, false, 300);
  RBSystem& bodies = shot.scene.bodies_system;
  int iterations = 0;
  do {
    RunSimulationIteration(bodies, shot.scene.environment_system, 0.1f);
    ASSERT_LT(++iterations, 5000) << "never settled";
  } while (!bodies.collision_free);

  CQ_CollideResult result;
  int touching = 0;
  for (uint32_t i = 0; i < bodies.BodyCount(); ++i) {
    const RigidBody& a = *bodies.Body(i);
    const BodyPlacement pa(a.orientation, a.position);
    for (uint32_t j = i + 1; j < bodies.BodyCount(); ++j) {
      const RigidBody& b = *bodies.Body(j);
      const BodyPlacement pb(b.orientation, b.position);
      CollideModels(&result, pa.R, pa.T, &a.collision_model(), pb.R, pb.T, &b.collision_model(), StopAtFirstContact);
      touching += result.HasContact() ? 1 : 0;
    }
  }
  EXPECT_EQ(touching, 0) << "after " << iterations << " iterations";
}
