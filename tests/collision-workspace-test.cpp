// The collision passes' shortcuts against the plain queries they stand in for: a replayed answer
// and a skipped pair must be what the query would have said, bit for bit.

#include "collision-workspace.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

#include "body-fixture.h"
#include "fingerprint.h"
#include "body-placement.h"
#include "quiet-scene.h"

namespace {

#ifdef QUORVEL_SANITIZED
constexpr int kFrames = 150;
constexpr int kPlacements = 300;
#else
constexpr int kFrames = 1500;
constexpr int kPlacements = 4000;
#endif

// Runs a break shot for `frames` iterations and returns the fingerprint after every 50th.
std::vector<uint64_t> Fingerprints(unsigned seed, bool rk4, unsigned bodies, bool shortcuts, PassCounters* totals) {
  BreakShot shot(seed, rk4, bodies);
  CollisionWorkspace& workspace = shot.scene.bodies_system.Workspace();
  workspace.shortcuts.replay = shortcuts;
  workspace.shortcuts.skip_balls_apart = shortcuts;
  std::vector<uint64_t> prints;
  IterationStats stats;
  for (int frame = 1; frame <= kFrames; ++frame) {
    shot.Iterate(0.1f, &stats);
    totals->replayed += stats.body.replayed + stats.wall.replayed;
    totals->skipped += stats.body.skipped;
    totals->contacts += stats.body.contacts + stats.wall.contacts;
    if (frame % 50 == 0) prints.push_back(StateFingerprint(shot.scene.bodies_system));
  }
  return prints;
}

}  // namespace

// Seeded break shots with both integrators, and a crowded box, run with and without the
// shortcuts: the states agree bit for bit all along, while the shortcuts did save queries.
TEST(CollisionWorkspace, ShortcutsChangeNoResult) {
  struct Case {
    unsigned seed;
    bool rk4;
    unsigned bodies;
  } cases[] = {{1, false, 10}, {2, true, 10}, {5, false, 10}, {3, true, 40}};
  for (const Case& c : cases) {
    PassCounters with, without;
    EXPECT_EQ(Fingerprints(c.seed, c.rk4, c.bodies, true, &with), Fingerprints(c.seed, c.rk4, c.bodies, false, &without))
        << "seed " << c.seed << (c.rk4 ? " RK4 " : " Euler ") << c.bodies << " bodies";
    EXPECT_GT(with.replayed, 0) << c.seed;
    EXPECT_GT(with.skipped, 0) << c.seed;
    EXPECT_EQ(without.replayed + without.skipped, 0);
    EXPECT_GT(with.contacts, 0) << "the shot must hit something";
    EXPECT_EQ(with.contacts, without.contacts);
  }
}

// Two spheres at random orientations, their centres swept across the touching distance (about
// 1.96 for these meshes) and well beyond: the workspace's answer is the query's, its first pair
// included, whether it skipped, replayed or queried.
TEST(CollisionWorkspace, AnswersAgreeWithTheQueryAcrossTheTouchingDistance) {
  Bodies bodies(2);
  CollisionWorkspace& workspace = bodies.system.Workspace();
  workspace.BeginBodyPass(2);
  CQ_CollideResult direct;
  std::mt19937 random(17);
  std::uniform_real_distribution<float> distance(1.6f, 2.6f), unit(-1.0f, 1.0f);
  int touching = 0;
  for (int n = 0; n < kPlacements; ++n) {
    Vec3 direction(unit(random), unit(random), unit(random));
    direction.Normalize();
    bodies[0].orientation = RandomOrientation(random);
    bodies[1].orientation = RandomOrientation(random);
    bodies[0].position = Vec3(unit(random), unit(random), unit(random));
    bodies[1].position = bodies[0].position + distance(random) * direction;
    const BodyPlacement p0(bodies[0].orientation, bodies[0].position), p1(bodies[1].orientation, bodies[1].position);
    CollideModels(&direct, p0.R, p0.T, &bodies[0].collision_model(), p1.R, p1.T, &bodies[1].collision_model(),
                  StopAtFirstContact);
    for (int again = 0; again < 2; ++again) {  // the second time is replayed or skipped
      const QueryAnswer answer = workspace.BodiesTouch(0, bodies[0], 1, bodies[1]);
      ASSERT_EQ(answer.touching, direct.HasContact()) << n;
      if (answer.touching) {
        EXPECT_EQ(answer.first.first_id, direct.pair_list[0].first_id) << n;
        EXPECT_EQ(answer.first.second_id, direct.pair_list[0].second_id) << n;
      }
    }
    touching += direct.HasContact() ? 1 : 0;
  }
  EXPECT_GT(touching, kPlacements / 10);
  EXPECT_GT(workspace.body_counters.skipped, kPlacements / 10);
  EXPECT_GT(workspace.body_counters.replayed, kPlacements / 10);
}

// A replay needs every input bit for bit: one body moved by the smallest float step, or turned
// by one, or given another model, is queried again.
TEST(CollisionWorkspace, AnyChangedInputIsQueriedAgain) {
  Bodies bodies(3);
  bodies.Place(0, Vec3(0, 0, 0), Vec3());
  bodies.Place(1, Vec3(1.97f, 0, 0), Vec3());
  bodies[2].LoadModels(DataFile("sphere02.tris").c_str(), 1.0f);
  CollisionWorkspace& workspace = bodies.system.Workspace();
  workspace.BeginBodyPass(3);
  auto ask = [&] {
    const int queries = workspace.body_counters.queries;
    workspace.BodiesTouch(0, bodies[0], 1, bodies[1]);
    return workspace.body_counters.queries - queries;
  };
  EXPECT_EQ(ask(), 1);
  EXPECT_EQ(ask(), 0) << "same inputs: replayed";
  bodies[1].position.x = std::nextafter(bodies[1].position.x, 3.0f);
  EXPECT_EQ(ask(), 1);
  EXPECT_EQ(ask(), 0);
  bodies[0].orientation.v.y = std::nextafter(0.0f, 1.0f);
  EXPECT_EQ(ask(), 1);
  bodies[0].orientation.v.y = -0.0f;  // the same value, other bits
  EXPECT_EQ(ask(), 1);
  bodies[1].ShareModels(bodies[2]);
  EXPECT_EQ(ask(), 1) << "another model";
}
