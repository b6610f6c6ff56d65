#include "app/camera.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

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
}

// Twice the arctangent of 12 over the focal length, in degrees, worked out in double: the float
// arctangent of the two floats would give another field of view for nearly every focal length.
TEST(Camera, FieldOfViewTakesTheArctangentInDouble) {
  std::mt19937 random(17);
  std::uniform_real_distribution<float> focal(1.0f, 500.0f);
  int float_arctangent_differs = 0;
  const int samples = 5000;
  for (int n = 0; n < samples; ++n) {
    const float f = focal(random);
    const double expected = std::atan2(12.0, static_cast<double>(f)) * 114.59155902616465;
    ASSERT_EQ(Camera(f).FieldOfViewY(), expected) << "focal length " << f;
    float_arctangent_differs += std::atan2(film_half_height, f) * 114.59155902616465 != expected ? 1 : 0;
  }
  EXPECT_GT(float_arctangent_differs, samples / 2) << "the sweep must tell the two arctangents apart";
}

}  // namespace
