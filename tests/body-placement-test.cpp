#include "body-placement.h"

#include <gtest/gtest.h>

#include <random>

// The collision query places a model point p at R p + T. For a body that must be where the body
// itself is drawn and moved: its rotation matrix turning p, then its position added. Turned
// bodies at seeded orientations, so that a transposed or reordered matrix shows.
TEST(BodyPlacement, PutsModelPointsWhereTheBodysRotationAndPositionDo) {
  std::mt19937 random(27);
  std::normal_distribution<float> normal(0.0f, 1.0f);
  for (int n = 0; n < 200; ++n) {
    Quaternion orientation(normal(random), normal(random), normal(random), normal(random));
    orientation.Normalize();
    const Vec3 position(10 * normal(random), 10 * normal(random), 10 * normal(random));
    const Vec3 p(normal(random), normal(random), normal(random));
    const Vec3 world = orientation.ToMatrix() * p + position;
    const BodyPlacement placement(orientation, position);
    const double model[3] = {p.x, p.y, p.z};
    const float expected[3] = {world.x, world.y, world.z};
    for (int i = 0; i < 3; ++i) {
      double placed = placement.T[i];
      for (int k = 0; k < 3; ++k) placed += placement.R[i][k] * model[k];
      ASSERT_NEAR(placed, expected[i], 1e-4) << n;
    }
  }
}
