#include "math/quaternion.h"

#include <cmath>

void Quaternion::Normalize() {
  const float n2 = SquaredLength();
  if (n2 > 0.0001f) {
    // The scale is 1/sqrt(n2) worked out in double and rounded once to float; rounding the
    // square root to float first would move a quarter of the results by one float step.
    const float inv = static_cast<float>(1.0 / std::sqrt(static_cast<double>(n2)));
    s *= inv;
    v.x *= inv;
    v.y *= inv;
    v.z *= inv;
  }
}

Mat3 Quaternion::ToMatrix() const {
  const float x = v.x, y = v.y, z = v.z;
  Mat3 r;
  r.Set(1.0f - 2.0f * y * y - 2.0f * z * z, 2.0f * x * y - 2.0f * s * z, 2.0f * x * z + 2.0f * s * y,
        2.0f * x * y + 2.0f * s * z, 1.0f - 2.0f * x * x - 2.0f * z * z, 2.0f * y * z - 2.0f * s * x,
        2.0f * x * z - 2.0f * s * y, 2.0f * y * z + 2.0f * s * x, 1.0f - 2.0f * x * x - 2.0f * y * y);
  return r;
}

void Quaternion::ToAxisAngle(float& angle_degrees, Vec3& axis) const {
  const float n2 = v.x * v.x + v.y * v.y + v.z * v.z;
  if (n2 > 0.0001f) {
    // Twice the half angle, in degrees: 360 / pi.
    // The arccosine in double: std::acos of a float would pick the float overload.
    angle_degrees = static_cast<float>(std::acos(static_cast<double>(s)) * 114.59155902616465);
    axis = (1.0f / n2) * v;
  } else {
    angle_degrees = 0.0f;
    axis = Vec3(0.0f, 1.0f, 0.0f);
  }
}
