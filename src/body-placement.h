#pragma once
// A body's pose in the collision library's terms: the rotation matrix of its orientation (as the
// single-precision formula gives it, widened entry by entry) and its position widened to double.
// A model point p is placed at R p + T.

#include "math/quaternion.h"
#include "math/vec3.h"

struct BodyPlacement {
  double R[3][3] = {};
  double T[3] = {};

  BodyPlacement() = default;
  BodyPlacement(const Quaternion& orientation, const Vec3& position) {
    const Mat3 rotation = orientation.ToMatrix();
    for (int r = 0; r < 3; ++r)
      for (int c = 0; c < 3; ++c) R[r][c] = rotation(r, c);
    MoveTo(position);
  }

  void MoveTo(const Vec3& position) {
    T[0] = position.x;
    T[1] = position.y;
    T[2] = position.z;
  }
};
