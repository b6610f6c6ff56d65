// The ray under the mouse pointer against a forward projection written out from the look-at
// and perspective matrices the drawing library loads: every point projected to the window lies
// on the ray back through that window point.

#include "app/inspect/pick-ray.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "app/mouse-orbit.h"

namespace {

constexpr int kSize = 720;

// The demo's camera after the orbit angles have moved the eye.
Camera DemoCamera(int azimuth, int polar) {
  Camera camera(50.0f);
  camera.SetView(OrbitEye(azimuth, polar), Vec3(0, 0, 0), Vec3(0, 1, 0));
  camera.SetNearPlane(40.0f);
  camera.SetFarPlane(400.0f);
  return camera;
}

// Window coordinates (y down) of a world point: the eye frame of the look-at matrix, then the
// perspective divide, then the viewport, all in double.
void Project(const Camera& camera, const Vec3& p, double& wx, double& wy) {
  const double eye[3] = {camera.eye.x, camera.eye.y, camera.eye.z};
  double f[3] = {camera.target.x - eye[0], camera.target.y - eye[1], camera.target.z - eye[2]};
  const double fl = std::sqrt(f[0] * f[0] + f[1] * f[1] + f[2] * f[2]);
  for (double& c : f) c /= fl;
  const double up[3] = {camera.up.x, camera.up.y, camera.up.z};
  double s[3] = {f[1] * up[2] - f[2] * up[1], f[2] * up[0] - f[0] * up[2], f[0] * up[1] - f[1] * up[0]};
  const double sl = std::sqrt(s[0] * s[0] + s[1] * s[1] + s[2] * s[2]);
  for (double& c : s) c /= sl;
  const double u[3] = {s[1] * f[2] - s[2] * f[1], s[2] * f[0] - s[0] * f[2], s[0] * f[1] - s[1] * f[0]};
  const double d[3] = {p.x - eye[0], p.y - eye[1], p.z - eye[2]};
  const double xe = s[0] * d[0] + s[1] * d[1] + s[2] * d[2];
  const double ye = u[0] * d[0] + u[1] * d[1] + u[2] * d[2];
  const double ze = -(f[0] * d[0] + f[1] * d[1] + f[2] * d[2]);
  const double cot = 1.0 / std::tan(camera.FieldOfViewY() * 3.14159265358979323846 / 360.0);
  const double ndc_x = cot * xe / -ze;  // aspect 1
  const double ndc_y = cot * ye / -ze;
  wx = (ndc_x + 1) / 2 * kSize;
  wy = kSize - (ndc_y + 1) / 2 * kSize;
}

double DistanceToRay(const SightRay& ray, const Vec3& p) {
  const Vec3 d = p - ray.origin;
  return Cross(d, ray.direction).Length();
}

}  // namespace

TEST(PickRay, PointsProjectedToTheWindowLieOnTheRayBack) {
  std::mt19937 random(9);
  std::uniform_real_distribution<float> box_x(-15, 15), box_y(-1, 10), box_z(-20, 20);
  for (int polar : {1, 45, 90, 179}) {
    for (int azimuth : {0, -70, 200}) {
      const Camera camera = DemoCamera(azimuth, polar);
      for (int n = 0; n < 50; ++n) {
        const Vec3 p(box_x(random), box_y(random), box_z(random));
        double wx, wy;
        Project(camera, p, wx, wy);
        const SightRay ray = RayThroughWindowPoint(camera, wx, wy, kSize, kSize);
        EXPECT_NEAR(ray.direction.Length(), 1.0f, 1e-6f);
        EXPECT_LT(DistanceToRay(ray, p), 2e-3) << polar << " " << azimuth << " point " << n;
        // Back out at the point's height (where the ray is not nearly level): the point itself.
        Vec3 back;
        if (std::fabs(ray.direction.y) < 0.1f) continue;
        ASSERT_TRUE(PointAtHeight(ray, p.y, back));
        EXPECT_LT((back - p).Length(), 2e-2f) << polar << " " << azimuth << " point " << n;
        EXPECT_EQ(back.y, p.y);
      }
    }
  }
}

// A level ray never meets a level plane, and a plane behind the eye is not met either.
TEST(PickRay, PointAtHeightRefusesLevelRaysAndPlanesBehind) {
  Vec3 point(7, 7, 7);
  EXPECT_FALSE(PointAtHeight({Vec3(0, 5, 0), Vec3(1, 0, 0)}, 0, point));
  EXPECT_FALSE(PointAtHeight({Vec3(0, 5, 0), Vec3(0, 1, 0)}, 0, point));
  EXPECT_EQ(point.x, 7.0f) << "left alone";
  ASSERT_TRUE(PointAtHeight({Vec3(0, 5, 0), Vec3(0.6f, -0.8f, 0)}, 1, point));
  EXPECT_NEAR(point.x, 3.0f, 1e-5f);
  EXPECT_EQ(point.y, 1.0f);
}

// From the start-up view, body 9 of the rack, at (0, 0, -14.8), lies under the window point
// (545, 360) that the GUI test drags it from, and the window's centre looks at the origin.
TEST(PickRay, TheStartUpViewPutsTheRackWhereTheGuiTestLooks) {
  const Camera camera = DemoCamera(0, 1);
  const SightRay centre = RayThroughWindowPoint(camera, 360, 360, kSize, kSize);
  EXPECT_LT(DistanceToRay(centre, Vec3(0, 0, 0)), 1e-4);
  const SightRay body9 = RayThroughWindowPoint(camera, 545.5, 360.5, kSize, kSize);
  EXPECT_LT(DistanceToRay(body9, Vec3(0, 0, -14.8f)), 0.5) << "within half a ball";
}
