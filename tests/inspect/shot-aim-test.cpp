// Aiming with the mouse and zooming with the wheel: the drag's floor points to a shot, and the
// eye's distance kept in its limits.

#include "inspect/shot-aim.h"

#include <gtest/gtest.h>

#include <cmath>

#include "inspect/view-zoom.h"

TEST(ShotAim, ADragGivesTheDirectionFromTheShooterAndASpeedFromItsLength) {
  const Vec3 shooter(0, 0, 15);
  // Pressed on the shooter, dragged 3 along x and 4 along -z: direction (0.6, 0, -0.8), speed 5.
  std::optional<Shot> shot = AimShot(shooter, shooter, Vec3(3, 0, 11), 60);
  ASSERT_TRUE(shot);
  EXPECT_FLOAT_EQ(shot->direction.x, 0.6f);
  EXPECT_EQ(shot->direction.y, 0.0f);
  EXPECT_FLOAT_EQ(shot->direction.z, -0.8f);
  EXPECT_FLOAT_EQ(shot->speed, 5.0f);
  // The pointer's height does not tilt the shot.
  shot = AimShot(shooter, shooter, Vec3(3, 7, 11), 60);
  EXPECT_EQ(shot->direction.y, 0.0f);
  EXPECT_FLOAT_EQ(shot->direction.x, 0.6f);
  // The speed is the drag's length, from where it was pressed, kept in 1..30.
  EXPECT_FLOAT_EQ(AimShot(shooter, Vec3(0, 0, 14.5f), Vec3(0, 0, 14), 20)->speed, kSlowestAimedShot);
  EXPECT_FLOAT_EQ(AimShot(shooter, shooter, Vec3(0, 0, -15), 400)->speed, kFastestAimedShot);
  EXPECT_FLOAT_EQ(AimShot(shooter, shooter, Vec3(0, 0, -14.9f), 400)->speed, 29.9f);
  // A click (under 4 pixels) shoots at 15 towards the clicked point, however far it lies.
  EXPECT_FLOAT_EQ(AimShot(shooter, Vec3(0, 0, -5), Vec3(0, 0, -5), 3.9)->speed, kClickShotSpeed);
  EXPECT_FLOAT_EQ(AimShot(shooter, Vec3(0, 0, -5), Vec3(0, 0, -5), 4.0)->speed, kSlowestAimedShot);
  // On the shooter's centre there is no direction.
  EXPECT_FALSE(AimShot(shooter, shooter, Vec3(0.005f, 0, 15), 10));
}

TEST(ShotAim, ARayMeetsTheFloorPlaneOnlyAhead) {
  // From (0, 120, 0) straight down: the plane y = 0 at the origin.
  std::optional<Vec3> p = PointOnPlane(Vec3(0, 120, 0), Vec3(0, -1, 0), 0);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->y, 0.0f);
  EXPECT_EQ(p->x, 0.0f);
  // Slanting: (0, 10, 0) along (3, -4, 0)/5 meets y = -2 at x = 9.
  p = PointOnPlane(Vec3(0, 10, 0), Vec3(0.6f, -0.8f, 0), -2);
  EXPECT_NEAR(p->x, 9.0f, 1e-5);
  EXPECT_FALSE(PointOnPlane(Vec3(0, 10, 0), Vec3(1, 0, 0), 0)) << "parallel";
  EXPECT_FALSE(PointOnPlane(Vec3(0, 10, 0), Vec3(0, 1, 0), 0)) << "looking away";
}

TEST(ViewZoom, TheWheelScalesTheDistanceWithinTheLimits) {
  EXPECT_FLOAT_EQ(ZoomViewDistance(kStartViewDistance, 1), 108.0f);
  EXPECT_FLOAT_EQ(ZoomViewDistance(kStartViewDistance, -1), 120.0f / 0.9f);
  EXPECT_FLOAT_EQ(ZoomViewDistance(ZoomViewDistance(kStartViewDistance, 3), -3), kStartViewDistance);
  // Notch by notch towards the scene: the distance falls until it rests on the nearest limit,
  // and away until the farthest.
  float d = kStartViewDistance;
  int notches = 0;
  while (d > kNearestViewDistance) {
    d = ZoomViewDistance(d, 1);
    ++notches;
  }
  EXPECT_EQ(d, kNearestViewDistance);
  EXPECT_EQ(notches, 6);  // 120 x 0.9^5 = 70.9, x 0.9^6 = 63.8
  EXPECT_EQ(ZoomViewDistance(kStartViewDistance, -100), kFarthestViewDistance);
  // The limits keep the box (farthest corner 26.93 from the origin) between the clip planes.
  const float corner = std::sqrt(15.0f * 15.0f + 10.0f * 10.0f + 20.0f * 20.0f);
  EXPECT_GT(kNearestViewDistance - corner, 40.0f);
  EXPECT_LT(kFarthestViewDistance + corner, 400.0f);
}
