#include "app/inspect/pick-ray.h"

#include <cmath>
#include <optional>

#include "inspect/shot-aim.h"

namespace {

constexpr double kDegreesToRadians = 3.14159265358979323846 / 180.0;

Vec3 Unit(const Vec3& v) {
  Vec3 u = v;
  u.Normalize();
  return u;
}

Vec3 ViewDirection(const Camera& camera) { return Unit(camera.target - camera.eye); }

}  // namespace

SightRay RayThroughWindowPoint(const Camera& camera, double x, double y, int width, int height) {
  // The look-at frame: forward f, right s = f x up, true up u = s x f.
  const Vec3 f = ViewDirection(camera);
  const Vec3 s = Unit(Cross(f, camera.up));
  const Vec3 u = Cross(s, f);
  // Normalised device coordinates of the point, -1 .. 1 across the viewport, y up.
  const double nx = 2.0 * x / width - 1.0;
  const double ny = 1.0 - 2.0 * y / height;
  const double tan_half = std::tan(camera.FieldOfViewY() * 0.5 * kDegreesToRadians);
  const double aspect = static_cast<double>(width) / height;
  const float along_s = static_cast<float>(nx * tan_half * aspect);
  const float along_u = static_cast<float>(ny * tan_half);
  return {camera.eye, Unit(f + along_s * s + along_u * u)};
}


bool PointAtHeight(const SightRay& ray, float y, Vec3& point) {
  const std::optional<Vec3> met = PointOnPlane(ray.origin, ray.direction, y);
  if (!met) return false;
  point = *met;
  return true;
}
