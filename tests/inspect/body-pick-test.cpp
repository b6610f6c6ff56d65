// Picking bodies with rays: through a ball's centre it hits, beside it it misses, with the
// boundary where the ball's surface is; the nearest body wins; and the tree-pruned search finds
// exactly what a test of every triangle finds.

#include "inspect/body-pick.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "body-fixture.h"
#include "collision/cq.h"

namespace {

// The slow, obviously right answer: every triangle of the model, in model coordinates.
bool EveryTriangle(const CQ_Model& model, const Placement& placement, const double origin[3],
                   const double direction[3], double& nearest, int& triangle) {
  double o[3], d[3];  // R^T (origin - T) and R^T direction
  for (int c = 0; c < 3; ++c) {
    o[c] = d[c] = 0;
    for (int r = 0; r < 3; ++r) {
      o[c] += placement.R[r][c] * (origin[r] - placement.T[r]);
      d[c] += placement.R[r][c] * direction[r];
    }
  }
  bool found = false;
  for (int i = 0; i < model.tri_count(); ++i) {
    const ModelTri& tri = model.tri_list()[i];
    const double t = RayMeetsTriangle(o, d, tri.vert1, tri.vert2, tri.vert3);
    if (t > 0 && t < nearest) {
      nearest = t;
      triangle = tri.id;
      found = true;
    }
  }
  return found;
}

}  // namespace

// A ray straight down onto a ball at (3, 0, -2) hits its top; moved sideways it keeps hitting
// while it passes within the ball's inner radius and misses beyond the outer one (the mesh's
// vertices lie at 0.99 from the centre).
TEST(BodyPick, ARayThroughTheCentreHitsAndOneBesideMisses) {
  Bodies balls(1);
  balls.Place(0, Vec3(3, 0, -2), Vec3());
  const PickHit centre = PickBody(balls.system, Vec3(3, 50, -2), Vec3(0, -1, 0));
  ASSERT_TRUE(centre.hit);
  EXPECT_EQ(centre.body, 0u);
  EXPECT_NEAR(centre.distance, 50 - 0.99, 0.01);
  EXPECT_NEAR(centre.point.y, 0.99f, 0.01f);
  EXPECT_NEAR(centre.point.x, 3.0f, 1e-5f);
  EXPECT_GE(centre.triangle, 0);

  for (int step = 0; step <= 120; ++step) {
    const float offset = step * 0.01f;
    const PickHit beside = PickBody(balls.system, Vec3(3 + offset, 50, -2), Vec3(0, -1, 0));
    if (offset <= 0.97f) {
      EXPECT_TRUE(beside.hit) << offset;
    } else if (offset >= 1.0f) {
      EXPECT_FALSE(beside.hit) << offset;
    }
  }
  EXPECT_FALSE(PickBody(balls.system, Vec3(3, 50, -2), Vec3(0, 1, 0)).hit) << "the ball lies behind the ray";
  EXPECT_TRUE(PickBody(balls.system, Vec3(3, 0, -2), Vec3(0.3f, 1, 0)).hit) << "from inside, the far side";
}

TEST(BodyPick, TheNearestBodyWins) {
  Bodies balls(3);
  balls.Place(0, Vec3(0, 0, 10), Vec3());
  balls.Place(1, Vec3(0, 0, -10), Vec3());
  balls.Place(2, Vec3(5, 0, 0), Vec3());
  PickHit pick = PickBody(balls.system, Vec3(0, 0, 40), Vec3(0, 0, -2));
  ASSERT_TRUE(pick.hit);
  EXPECT_EQ(pick.body, 0u);
  EXPECT_NEAR(pick.distance, (40 - 10.99) / 2, 0.01) << "in lengths of the direction";
  pick = PickBody(balls.system, Vec3(0, 0, -40), Vec3(0, 0, 1));
  ASSERT_TRUE(pick.hit);
  EXPECT_EQ(pick.body, 1u);
  EXPECT_NEAR(pick.point.z, -10.99f, 0.01f);
}

// Rays from all around towards a turned and moved model, many of them grazing it: the search
// down the tree of boxes gives the same answer, bit for bit, as testing every triangle.
TEST(BodyPick, TheTreeSearchFindsWhatEveryTriangleFinds) {
  std::mt19937 random(2024);
  std::uniform_real_distribution<float> uniform(-1.0f, 1.0f);
  for (const char* file : {"sphere02.tris", "sphere04.tris", "box.tris"}) {
    Bodies bodies(1, file);
    const CQ_Model& model = bodies[0].collision_model();
    int hits = 0;
    for (int n = 0; n < 400; ++n) {
      const Quaternion q = RandomOrientation(random);
      const Vec3 at(5 * uniform(random), 5 * uniform(random), 5 * uniform(random));
      const Placement placement(q, at);
      // From a point 30 away towards a point within 1.2 of the model's origin (well beyond the
      // box's size for box.tris, whose faces are then met from inside).
      const Vec3 from = at + 30.0f * Vec3(uniform(random), uniform(random), uniform(random));
      const Vec3 towards = at + 1.2f * Vec3(uniform(random), uniform(random), uniform(random));
      const double o[3] = {from.x, from.y, from.z};
      const double d[3] = {towards.x - from.x, towards.y - from.y, towards.z - from.z};
      double fast = HUGE_VAL, slow = HUGE_VAL;
      int fast_triangle = -1, slow_triangle = -1;
      const bool fast_hit = CastRay(model, placement.R, placement.T, o, d, fast, fast_triangle);
      const bool slow_hit = EveryTriangle(model, placement, o, d, slow, slow_triangle);
      ASSERT_EQ(fast_hit, slow_hit) << file << " ray " << n;
      ASSERT_EQ(fast, slow) << file << " ray " << n;
      ASSERT_EQ(fast_triangle, slow_triangle) << file << " ray " << n;
      hits += fast_hit;
    }
    EXPECT_GT(hits, 100) << file;
    // A ray towards the middle of the box always meets one of its faces.
    if (model.tri_count() > 12) {
      EXPECT_LT(hits, 350) << file << ": some rays should miss";
    }
  }
}

TEST(BodyPick, RayMeetsTriangleFromEitherSideAndOnlyAhead) {
  const double v0[3] = {0, 0, 0}, v1[3] = {1, 0, 0}, v2[3] = {0, 1, 0};
  const double down[3] = {0, 0, -1}, up[3] = {0, 0, 1}, along[3] = {1, 0, 0};
  const double above[3] = {0.25, 0.25, 2}, below[3] = {0.25, 0.25, -2};
  EXPECT_DOUBLE_EQ(RayMeetsTriangle(above, down, v0, v1, v2), 2.0);
  EXPECT_DOUBLE_EQ(RayMeetsTriangle(below, up, v0, v1, v2), 2.0) << "the other face";
  EXPECT_LT(RayMeetsTriangle(above, up, v0, v1, v2), 0.0) << "behind the ray";
  EXPECT_LT(RayMeetsTriangle(above, along, v0, v1, v2), 0.0) << "parallel to the plane";
  // Across the edge x + y = 1: inside at 0.5 + 0.49, outside at 0.5 + 0.51.
  const double inside[3] = {0.49, 0.5, 1}, outside[3] = {0.51, 0.5, 1};
  EXPECT_GT(RayMeetsTriangle(inside, down, v0, v1, v2), 0.0);
  EXPECT_LT(RayMeetsTriangle(outside, down, v0, v1, v2), 0.0);
}
