#pragma once
// A 3x3 float matrix kept as nine floats in reading order (row after row), the layout the
// rotation formulas and the collision placements copy from. Vectors are columns, multiplied on
// the right.

#include "math/vec3.h"

struct Mat3 {
  float m[9] = {1.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 1.0f};

  static Mat3 Identity() { return Mat3(); }

  void Set(float m00, float m01, float m02, float m10, float m11, float m12, float m20, float m21,
           float m22) {
    m[0] = m00, m[1] = m01, m[2] = m02;
    m[3] = m10, m[4] = m11, m[5] = m12;
    m[6] = m20, m[7] = m21, m[8] = m22;
  }

  float& operator()(int r, int c) { return m[3 * r + c]; }
  float operator()(int r, int c) const { return m[3 * r + c]; }

  Mat3 Transpose() const {
    Mat3 t;
    for (int r = 0; r < 3; ++r)
      for (int c = 0; c < 3; ++c) t(r, c) = (*this)(c, r);
    return t;
  }
};

inline Vec3 operator*(const Mat3& a, const Vec3& v) {
  return Vec3(a.m[0] * v.x + a.m[1] * v.y + a.m[2] * v.z, a.m[3] * v.x + a.m[4] * v.y + a.m[5] * v.z,
              a.m[6] * v.x + a.m[7] * v.y + a.m[8] * v.z);
}

inline Mat3 operator*(const Mat3& a, const Mat3& b) {
  Mat3 p;
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) p(r, c) = a(r, 0) * b(0, c) + a(r, 1) * b(1, c) + a(r, 2) * b(2, c);
  return p;
}
