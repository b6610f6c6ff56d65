#include "app/draw/body-transform.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "math/mat3.h"
#include "rigid-body.h"

namespace {

// Rotates v by angle_degrees about axis (any length), the way the drawing library's rotation
// does: Rodrigues' formula on the normalised axis.
Vec3 RotateLikeTheDrawing(float angle_degrees, Vec3 axis, const Vec3& v) {
  axis.Normalize();
  const double angle = angle_degrees * M_PI / 180.0;
  const double c = std::cos(angle);
  const double s = std::sin(angle);
  const Vec3 k_cross_v = Cross(axis, v);
  const double k_dot_v = Dot(axis, v);
  return Vec3(static_cast<float>(v.x * c + k_cross_v.x * s + axis.x * k_dot_v * (1 - c)),
              static_cast<float>(v.y * c + k_cross_v.y * s + axis.y * k_dot_v * (1 - c)),
              static_cast<float>(v.z * c + k_cross_v.z * s + axis.z * k_dot_v * (1 - c)));
}

TEST(BodyTransform, IdentityAndHalfTurnAboutY) {
  RigidBody body;
  body.position = Vec3(1.01f, 0.0f, -9.7f);
  BodyTransform transform = TransformOf(body);
  EXPECT_EQ(transform.translation.x, 1.01f);
  EXPECT_EQ(transform.translation.z, -9.7f);
  EXPECT_EQ(transform.angle_degrees, 0.0f);
  EXPECT_EQ(transform.axis.x, 0.0f);
  EXPECT_EQ(transform.axis.y, 1.0f);
  EXPECT_EQ(transform.axis.z, 0.0f);

  body.orientation = Quaternion(0.0f, 0.0f, 1.0f, 0.0f);
  transform = TransformOf(body);
  EXPECT_NEAR(transform.angle_degrees, 180.0f, 1e-4f);
  EXPECT_EQ(transform.axis.x, 0.0f);
  EXPECT_GT(transform.axis.y, 0.0f);
  EXPECT_EQ(transform.axis.z, 0.0f);

  body.orientation = Quaternion(0.7071068f, 0.7071068f, 0.0f, 0.0f);
  transform = TransformOf(body);
  EXPECT_NEAR(transform.angle_degrees, 90.0f, 1e-3f);
  EXPECT_GT(transform.axis.x, 0.0f);
}

// The drawn body must turn exactly as the simulation's rotation matrix says, or the texture
// would spin against the motion: compare the two for many orientations.
TEST(BodyTransform, DrawnRotationMatchesTheSimulationsRotationMatrix) {
  std::mt19937 random(7);
  std::normal_distribution<float> gauss(0.0f, 1.0f);
  const Vec3 probes[] = {Vec3(1, 0, 0), Vec3(0, 1, 0), Vec3(0, 0, 1), Vec3(0.3f, -0.5f, 0.8f)};
  for (int trial = 0; trial < 500; ++trial) {
    RigidBody body;
    body.orientation = Quaternion(gauss(random), gauss(random), gauss(random), gauss(random));
    body.orientation.Normalize();
    if (body.orientation.v.Length() < 0.02f) continue;  // drawn unturned on purpose
    const BodyTransform transform = TransformOf(body);
    const Mat3 rotation = body.orientation.ToMatrix();
    for (const Vec3& probe : probes) {
      const Vec3 drawn = RotateLikeTheDrawing(transform.angle_degrees, transform.axis, probe);
      const Vec3 simulated = rotation * probe;
      ASSERT_NEAR(drawn.x, simulated.x, 2e-3f) << trial;
      ASSERT_NEAR(drawn.y, simulated.y, 2e-3f) << trial;
      ASSERT_NEAR(drawn.z, simulated.z, 2e-3f) << trial;
    }
  }
}

}  // namespace
