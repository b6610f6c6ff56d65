#pragma once
// A look-at view and a perspective lens given by a focal length, loaded into the drawing
// library's projection and modelview matrices.

#include "math/vec3.h"

// Half the height of the image frame (24), in the unit of the focal length: with the focal
// length it fixes the field of view.
constexpr float film_half_height = 24.0f * 0.5f;

class Camera {
 public:
  // Eye (100, 0, 0) looking at the origin with +y up; near plane 50, far plane 1000.
  explicit Camera(float focal_length);

  void SetView(const Vec3& eye_point, const Vec3& target_point, const Vec3& up_direction);
  void SetEye(float x, float y, float z);
  void SetNearPlane(float value) { near_plane = value; }
  void SetFarPlane(float value) { far_plane = value; }

  // The vertical field of view in degrees: twice atan(film_half_height / focal_length).
  double FieldOfViewY() const;

  // Loads the perspective projection for a viewport of width x height pixels and leaves the
  // modelview matrix selected. Needs a current drawing context.
  void ApplyProjection(int width, int height) const;

  // Replaces the modelview matrix with the look-at transform. Needs a current drawing context.
  void ApplyView() const;

  Vec3 eye;
  Vec3 target;
  Vec3 up;
  float focal_length;
  float near_plane;
  float far_plane;
};
