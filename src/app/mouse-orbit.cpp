#include "app/mouse-orbit.h"

#include <algorithm>
#include <cmath>

namespace {
// A drag event moves the view by at most this many degrees, so a jump of the pointer (leaving
// and re-entering the window) cannot spin the view.
constexpr int kMaxDegreesPerEvent = 20;
// Slightly below pi/180 (pick-ray.cpp converts with pi/180 itself); the orbit's angles are
// turned into radians with this factor, so the eye lies where it always has.
constexpr double kOrbitDegreesToRadians = 0.01745329251994;

constexpr int kLeftButton = 0;
constexpr int kRightButton = 2;
constexpr int kPressed = 0;
}  // namespace

void PressOrRelease(MouseOrbit& orbit, int button, int state, int x, int y) {
  if (button == kLeftButton) {
    orbit.last_x = x;
    orbit.left_down = state == kPressed;
  } else if (button == kRightButton) {
    orbit.last_y = y;
    orbit.right_down = state == kPressed;
  }
}

void Drag(MouseOrbit& orbit, int x, int y) {
  if (orbit.left_down) {
    const int dx = std::clamp(x - orbit.last_x, -kMaxDegreesPerEvent, kMaxDegreesPerEvent);
    orbit.azimuth -= dx;
    // Set back to zero, not reduced modulo 360: the view jumps by the excess.
    if (orbit.azimuth >= 360 || orbit.azimuth <= -360) orbit.azimuth = 0;
    orbit.last_x = x;
  }
  if (orbit.right_down) {
    const int dy = std::clamp(y - orbit.last_y, -kMaxDegreesPerEvent, kMaxDegreesPerEvent);
    orbit.polar = std::clamp(orbit.polar - dy, 1, 180);
    orbit.last_y = y;
  }
}

void Zoom(MouseOrbit& orbit, int notches) { orbit.distance = ZoomViewDistance(orbit.distance, notches); }

void RestoreStartView(MouseOrbit& orbit) {
  const MouseOrbit start;
  orbit.azimuth = start.azimuth;
  orbit.polar = start.polar;
  orbit.distance = start.distance;
}

Vec3 OrbitEye(int azimuth, int polar, float distance) {
  const double radius = distance;
  const double phi = polar * kOrbitDegreesToRadians;
  const double theta = azimuth * kOrbitDegreesToRadians;
  return Vec3(static_cast<float>(radius * std::sin(phi) * std::cos(theta)),
              static_cast<float>(radius * std::cos(phi)),
              static_cast<float>(-radius * std::sin(phi) * std::sin(theta)));
}
