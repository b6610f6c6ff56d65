#include "app/camera.h"

#include <GL/glu.h>

#include <cmath>

namespace {
// 360 / pi: turns the half angle in radians into the full angle in degrees.
constexpr double kTwiceRadiansToDegrees = 114.59155902616465;
}  // namespace

Camera::Camera(float focal_length_)
    : eye(100.0f, 0.0f, 0.0f),
      target(0.0f, 0.0f, 0.0f),
      up(0.0f, 1.0f, 0.0f),
      focal_length(focal_length_),
      near_plane(50.0f),
      far_plane(1000.0f) {}

void Camera::SetView(const Vec3& eye_point, const Vec3& target_point, const Vec3& up_direction) {
  eye = eye_point;
  target = target_point;
  up = up_direction;
}

void Camera::SetEye(float x, float y, float z) { eye = Vec3(x, y, z); }

double Camera::FieldOfViewY() const {
  // In double: std::atan2 of two floats would pick the float overload.
  return std::atan2(static_cast<double>(film_half_height), static_cast<double>(focal_length)) *
         kTwiceRadiansToDegrees;
}

void Camera::ApplyProjection(int width, int height) const {
  const double aspect = static_cast<double>(width) / static_cast<double>(height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(FieldOfViewY(), aspect, near_plane, far_plane);
  glMatrixMode(GL_MODELVIEW);
}

void Camera::ApplyView() const {
  glLoadIdentity();
  gluLookAt(eye.x, eye.y, eye.z, target.x, target.y, target.z, up.x, up.y, up.z);
}
