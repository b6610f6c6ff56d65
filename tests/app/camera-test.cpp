#include "app/camera.h"

#include <gtest/gtest.h>

namespace {

TEST(Camera, ConstructionAndLens) {
  Camera lens(50.0f);
  EXPECT_EQ(lens.eye.x, 100.0f);
  EXPECT_EQ(lens.up.y, 1.0f);
  EXPECT_EQ(lens.near_plane, 50.0f);
  EXPECT_EQ(lens.far_plane, 1000.0f);
  // Twice atan(12 / 50) in degrees.
  EXPECT_NEAR(lens.FieldOfViewY(), 26.9915, 1e-3);
  // A longer lens sees less.
  EXPECT_LT(Camera(100.0f).FieldOfViewY(), lens.FieldOfViewY());

  lens.SetView(Vec3(1, 2, 3), Vec3(4, 5, 6), Vec3(0, 0, 1));
  lens.SetEye(7, 8, 9);
  lens.SetNearPlane(40);
  lens.SetFarPlane(400);
  EXPECT_EQ(lens.eye.z, 9.0f);
  EXPECT_EQ(lens.target.x, 4.0f);
  EXPECT_EQ(lens.up.z, 1.0f);
  EXPECT_EQ(lens.near_plane, 40.0f);
  EXPECT_EQ(lens.far_plane, 400.0f);
}

}  // namespace
