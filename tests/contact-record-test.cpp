// The record of the contacts the collision passes found: the touching triangle pair of a contact
// made by hand, the wall normal of a floor contact, nothing for bodies apart, and over seeded
// runs one entry per contact the passes counted, without changing the run.

#include "contact-record.h"

#include <gtest/gtest.h>

#include <cmath>

#include "body-fixture.h"
#include "collision-workspace.h"
#include "inspect/contact-geometry.h"
#include "fingerprint.h"
#include "quiet-scene.h"
#include "test-files.h"

namespace {

// Two triangles: 0 upright in the plane x = -1, 1 flat in the plane y = 0 between x = 0.5 and
// 1.5. A second body 2 + s further along x meets the first only with its triangle 0 against the
// first's triangle 1, while |s| < 0.5.
const char kTwoTriangles[] =
    "2\n"
    "-1 -0.5 -0.5  -1 0.5 -0.5  -1 0 0.5\n"
    "0.5 0 -0.5  1.5 0 -0.5  1 0 0.5\n";

struct TwoBodies {
  TwoBodies() : system(2, &forces) {
    const std::string file = WriteTempFile("two-triangles.tris", kTwoTriangles);
    for (uint32_t i = 0; i < 2; ++i) {
      system.Body(i)->SetMass(10.0f);
      system.Body(i)->LoadModels(file.c_str(), 1.0f);
    }
    system.Workspace().record = &record;
  }
  void Place(float s) {
    system.Body(0)->position = Vec3(0, 0, 0);
    system.Body(1)->position = Vec3(2 + s, 0, 0);
  }
  ForceList forces;
  RBSystem system;
  RBSystem no_environment{&forces};
  ContactRecord record;
};

}  // namespace

TEST(ContactRecord, AKnownTouchingPairIsReportedAndNothingWhenApart) {
  TwoBodies two;
  for (float s : {-0.3f, 0.0f, 0.3f}) {
    two.Place(s);
    two.system.ResolveBodyCollisions();
    two.system.ResolveEnvironmentCollisions(two.no_environment);
    ASSERT_EQ(two.record.touching.size(), 1u) << s;
    const TouchingTriangles& pair = two.record.touching[0];
    EXPECT_EQ(pair.body, 0u);
    EXPECT_EQ(pair.triangle, 1);
    EXPECT_FALSE(pair.other_is_environment);
    EXPECT_EQ(pair.other, 1u);
    EXPECT_EQ(pair.other_triangle, 0);
    EXPECT_TRUE(two.record.walls.empty());
  }
  for (float s : {0.7f, -0.7f, 3.0f}) {
    two.Place(s);
    two.system.ResolveBodyCollisions();
    EXPECT_TRUE(two.record.touching.empty()) << s << ": apart, and the last pass's pair is gone";
  }
}

// A ball just sunk into the floor of the box, away from the diagonal that splits the floor into
// its two triangles: it touches the floor triangle below it with a triangle at its bottom; the
// floor's stored normal points down, and the ball bounces.
TEST(ContactRecord, AFloorContactRecordsTheTriangleItsNormalAndTheBounce) {
  Bodies ball(1);
  Box box;
  ContactRecord record;
  ball.system.Workspace().record = &record;
  // The box is turned half a turn about y: world (5, -5) is model (-5, 5), in triangle 9.
  ball.Place(0, Vec3(5, -0.03f, -5), Vec3(0, -1, 0));
  ball.system.ResolveBodyCollisions();
  ball.system.ResolveEnvironmentCollisions(box.system);
  ASSERT_EQ(record.walls.size(), 1u);
  const WallNormalUsed& wall = record.walls[0];
  EXPECT_EQ(wall.body, 0u);
  EXPECT_EQ(wall.environment_body, 0u);
  EXPECT_EQ(wall.triangle, 9);
  EXPECT_EQ(wall.normal.y, -1.0f);
  EXPECT_TRUE(wall.bounced);
  ASSERT_EQ(record.touching.size(), 1u);
  const TouchingTriangles& pair = record.touching[0];
  EXPECT_TRUE(pair.other_is_environment);
  EXPECT_EQ(pair.other_triangle, 9);

  // Placed in the world: the floor triangle lies at y = -1, the ball's triangle at its bottom,
  // and the arrow stands on the floor below the ball, pointing up into the box.
  std::vector<PlacedTriangle> placed;
  PlaceTouchingTriangles(record, ball.system, box.system, placed);
  ASSERT_EQ(placed.size(), 2u);
  EXPECT_FALSE(placed[0].environment);
  EXPECT_TRUE(placed[1].environment);
  for (int k = 0; k < 3; ++k) {
    EXPECT_EQ(placed[1].vertex[k].y, -1.0f);
    EXPECT_LT(placed[0].vertex[k].y, ball[0].position.y - 0.9f) << "a triangle at the ball's bottom";
  }
  std::vector<WallArrow> arrows;
  PlaceWallArrows(record, ball.system, box.system, 3.0f, arrows);
  ASSERT_EQ(arrows.size(), 1u);
  EXPECT_NEAR(arrows[0].from.x, ball[0].position.x, 1e-5);
  EXPECT_NEAR(arrows[0].from.y, -1.0f, 1e-5);
  EXPECT_NEAR(arrows[0].from.z, ball[0].position.z, 1e-5);
  EXPECT_NEAR(arrows[0].to.y, 2.0f, 1e-5);
  EXPECT_TRUE(arrows[0].bounced);

  // Resting on the floor without moving into it: the contact is recorded, without a bounce.
  ball.Place(0, Vec3(5, -0.03f, -5), Vec3(1, 0, 0));
  ball.system.ResolveEnvironmentCollisions(box.system);
  ASSERT_EQ(record.walls.size(), 1u);
  EXPECT_FALSE(record.walls[0].bounced);
}

// Seeded break shots: after every iteration the record holds one pair per contact of both passes
// and one normal per wall contact, and a run that records ends bit for bit where one that does
// not ends.
TEST(ContactRecord, HoldsEveryContactOfTheLastIterationAndChangesNothing) {
#ifdef QUORVEL_SANITIZED
  const int iterations = 200;
#else
  const int iterations = 1500;
#endif
  for (unsigned seed : {3u, 4u}) {
    uint64_t prints[2];
    for (int recording = 0; recording < 2; ++recording) {
      BreakShot shot(seed);
      Scene& scene = shot.scene;
      ContactRecord record;
      if (recording) scene.bodies_system.Workspace().record = &record;
      int contacts = 0;
      for (int n = 0; n < iterations; ++n) {
        IterationStats stats;
        shot.Iterate(0.1f, &stats);
        contacts += stats.body.contacts + stats.wall.contacts;
        if (!recording) continue;
        ASSERT_EQ(record.touching.size(), static_cast<size_t>(stats.body.contacts + stats.wall.contacts)) << n;
        ASSERT_EQ(record.walls.size(), static_cast<size_t>(stats.wall.contacts)) << n;
        for (const TouchingTriangles& pair : record.touching) {
          ASSERT_LT(pair.body, 10u);
          ASSERT_GE(pair.triangle, 0);
          ASSERT_LT(pair.triangle, scene.bodies_system.Body(0)->render_model.ntris());
          if (!pair.other_is_environment) {
            ASSERT_LT(pair.body, pair.other) << "the pair's lower body first";
          }
        }
      }
      EXPECT_GT(contacts, 0) << "the shot met something";
      prints[recording] = StateFingerprint(scene.bodies_system);
    }
    EXPECT_EQ(prints[0], prints[1]) << "seed " << seed;
  }
}
