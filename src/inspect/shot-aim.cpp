#include "inspect/shot-aim.h"

#include <algorithm>
#include <cmath>

namespace {
// Closer than this to the shooter's centre the pointer gives no direction worth shooting along.
constexpr float kLeastAimLength = 0.01f;
}  // namespace

std::optional<Vec3> PointOnPlane(const Vec3& origin, const Vec3& direction, float height) {
  // origin + t direction has y = height at t = (height - origin.y) / direction.y, wanted t > 0.
  if (direction.y == 0.0f) return std::nullopt;
  const float t = (height - origin.y) / direction.y;
  if (!(t > 0.0f)) return std::nullopt;
  Vec3 point = origin + t * direction;
  point.y = height;  // exactly on the plane, whatever the rounding
  return point;
}

std::optional<Shot> AimShot(const Vec3& shooter, const Vec3& press, const Vec3& pointer, double screen_pixels) {
  Vec3 direction(pointer.x - shooter.x, 0.0f, pointer.z - shooter.z);
  if (direction.Length() < kLeastAimLength) return std::nullopt;
  direction.Normalize();
  if (screen_pixels < kClickPixels) return Shot{direction, kClickShotSpeed};
  const Vec3 drag(pointer.x - press.x, 0.0f, pointer.z - press.z);
  return Shot{direction, std::clamp(drag.Length(), kSlowestAimedShot, kFastestAimedShot)};
}
