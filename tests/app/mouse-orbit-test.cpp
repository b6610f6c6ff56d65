#include "app/mouse-orbit.h"

#include <gtest/gtest.h>

#include "app/app-globals.h"
#include "app/mouse-navigation.h"

namespace {

constexpr int kLeft = 0;
constexpr int kMiddle = 1;
constexpr int kRight = 2;
constexpr int kPressed = 0;
constexpr int kReleased = 1;

TEST(MouseOrbit, LeftDragTurnsTheAzimuthAgainstTheDragAtMostTwentyDegreesPerEvent) {
  MouseOrbit orbit;
  PressOrRelease(orbit, kLeft, kPressed, 300, 50);
  EXPECT_TRUE(orbit.left_down);
  EXPECT_EQ(orbit.last_x, 300);
  Drag(orbit, 310, 50);  // 10 pixels right, whatever last_x was before the press
  EXPECT_EQ(orbit.azimuth, -10);
  Drag(orbit, 410, 50);  // 100 pixels in one event: limited
  EXPECT_EQ(orbit.azimuth, -30);
  EXPECT_EQ(orbit.last_x, 410);
  Drag(orbit, 310, 50);  // 100 back
  EXPECT_EQ(orbit.azimuth, -10);
  EXPECT_EQ(orbit.polar, 1) << "the right button is not held";
  PressOrRelease(orbit, kLeft, kReleased, 310, 50);
  EXPECT_FALSE(orbit.left_down);
  Drag(orbit, 0, 0);
  EXPECT_EQ(orbit.azimuth, -10);
}

TEST(MouseOrbit, AzimuthReachingAFullTurnIsSetToZeroNotReduced) {
  MouseOrbit orbit;
  orbit.azimuth = 350;
  PressOrRelease(orbit, kLeft, kPressed, 100, 0);
  Drag(orbit, 85, 0);  // 15 left: 365, replaced by 0
  EXPECT_EQ(orbit.azimuth, 0);

  // Sweep across the boundary one degree at a time: the value jumps to 0 exactly at 360.
  orbit.azimuth = 355;
  for (int x = 84, expected = 356; expected < 360; --x, ++expected) {
    Drag(orbit, x, 0);
    EXPECT_EQ(orbit.azimuth, expected);
  }
  Drag(orbit, 80, 0);
  EXPECT_EQ(orbit.azimuth, 0);

  orbit.azimuth = -359;
  Drag(orbit, 81, 0);
  EXPECT_EQ(orbit.azimuth, 0) << "-360 is a full turn as well";
}

TEST(MouseOrbit, RightDragKeepsThePolarAngleBetweenOneAndOneHundredEighty) {
  MouseOrbit orbit;
  PressOrRelease(orbit, kRight, kPressed, 0, 400);
  EXPECT_TRUE(orbit.right_down);
  EXPECT_EQ(orbit.last_y, 400);
  for (int y = 400; y >= 0; y -= 20) Drag(orbit, 0, y);  // upwards: the eye goes down
  EXPECT_EQ(orbit.polar, 180);
  for (int y = 0; y <= 4000; y += 50) Drag(orbit, 0, y);  // far down: towards the top view
  EXPECT_EQ(orbit.polar, 1);
  EXPECT_EQ(orbit.azimuth, 0);
}

TEST(MouseOrbit, BothButtonsUpdateBothAnglesAndTheMiddleButtonNothing) {
  MouseOrbit orbit;
  orbit.polar = 90;
  PressOrRelease(orbit, kLeft, kPressed, 100, 100);
  PressOrRelease(orbit, kRight, kPressed, 100, 100);
  Drag(orbit, 105, 97);
  EXPECT_EQ(orbit.azimuth, -5);
  EXPECT_EQ(orbit.polar, 93);

  MouseOrbit untouched;
  PressOrRelease(untouched, kMiddle, kPressed, 5, 5);
  Drag(untouched, 50, 50);
  EXPECT_FALSE(untouched.left_down);
  EXPECT_FALSE(untouched.right_down);
  EXPECT_EQ(untouched.last_x, -1);
  EXPECT_EQ(untouched.last_y, -1);
  EXPECT_EQ(untouched.azimuth, 0);
  EXPECT_EQ(untouched.polar, 1);
}

TEST(MouseOrbit, EyeStaysAtTheViewDistanceAndStartsAlmostAboveTheOrigin) {
  const Vec3 start = OrbitEye(0, 1);
  EXPECT_NEAR(start.x, 2.0943f, 1e-4f);
  EXPECT_NEAR(start.y, 119.9817f, 1e-4f);
  EXPECT_EQ(start.z, 0.0f);

  const Vec3 below = OrbitEye(0, 180);
  EXPECT_NEAR(below.y, -120.0f, 1e-3f);
  // Turning the azimuth to 90 moves the eye from +x towards -z.
  const Vec3 quarter = OrbitEye(90, 90);
  EXPECT_NEAR(quarter.x, 0.0f, 1e-3f);
  EXPECT_NEAR(quarter.z, -120.0f, 1e-3f);
  // And a drag to the right (azimuth lowered) moves it towards +z.
  EXPECT_GT(OrbitEye(-10, 90).z, 0.0f);

  for (int azimuth = -359; azimuth < 360; azimuth += 7) {
    for (int polar = 1; polar <= 180; polar += 11) {
      EXPECT_NEAR(OrbitEye(azimuth, polar).Length(), view_distance, 1e-3f);
    }
  }
}

// The wheel moves the eye along its line of sight, within the zoom's limits; Home brings back the
// start-up view bit for bit, whatever the tilt, turn and zoom.
TEST(MouseOrbit, TheWheelZoomsAndHomeRestoresTheStartView) {
  MouseOrbit orbit;
  const Vec3 start = OrbitEye(orbit.azimuth, orbit.polar, orbit.distance);
  orbit.left_down = true;
  Drag(orbit, 20, 0);
  orbit.right_down = true;
  orbit.last_y = 0;
  Drag(orbit, 20, -20);
  Zoom(orbit, 2);
  EXPECT_FLOAT_EQ(orbit.distance, 120.0f * 0.9f * 0.9f);
  const Vec3 zoomed = OrbitEye(orbit.azimuth, orbit.polar, orbit.distance);
  EXPECT_NEAR(zoomed.Length(), orbit.distance, 1e-3f);
  Zoom(orbit, 100);
  EXPECT_EQ(orbit.distance, kNearestViewDistance);
  Zoom(orbit, -100);
  EXPECT_EQ(orbit.distance, kFarthestViewDistance);
  RestoreStartView(orbit);
  EXPECT_TRUE(orbit.left_down && orbit.right_down) << "buttons held stay held";
  const Vec3 home = OrbitEye(orbit.azimuth, orbit.polar, orbit.distance);
  EXPECT_EQ(home.x, start.x);
  EXPECT_EQ(home.y, start.y);
  EXPECT_EQ(home.z, start.z);
}

TEST(MouseOrbit, UpdateEyeMovesOnlyTheCamerasEye) {
  const MouseOrbit saved = mouse_orbit;
  const Vec3 target = camera.target;
  mouse_orbit.azimuth = 30;
  mouse_orbit.polar = 60;
  UpdateEye();
  const Vec3 expected = OrbitEye(30, 60);
  EXPECT_EQ(camera.eye.x, expected.x);
  EXPECT_EQ(camera.eye.y, expected.y);
  EXPECT_EQ(camera.eye.z, expected.z);
  EXPECT_EQ(camera.target.x, target.x);
  mouse_orbit = saved;
}

}  // namespace
