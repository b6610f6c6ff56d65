#pragma once
// An orientation as a single-precision quaternion: the scalar part s, then the vector part.
// The default value is the identity rotation.

#include "math/mat3.h"
#include "math/vec3.h"

struct Quaternion {
  float s = 1.0f;
  Vec3 v;

  Quaternion() = default;
  Quaternion(float s_, const Vec3& v_) : s(s_), v(v_) {}
  Quaternion(float s_, float x, float y, float z) : s(s_), v(x, y, z) {}

  static Quaternion Identity() { return Quaternion(); }

  void Set(float s_, const Vec3& v_) { s = s_, v = v_; }
  void Set(float s_, float x, float y, float z) { s = s_, v = Vec3(x, y, z); }

  float SquaredLength() const { return s * s + v.x * v.x + v.y * v.y + v.z * v.z; }

  // Scales to unit length only when the squared length exceeds 0.0001; a quaternion that small
  // carries no usable direction and is left as it is.
  void Normalize();

  // The rotation matrix of a unit quaternion (no normalisation here): world = R * body + position.
  Mat3 ToMatrix() const;

  // The rotation as an angle in degrees and an axis for drawing. The axis is not unit length
  // (only its direction matters); with almost no vector part: angle 0 about (0, 1, 0).
  void ToAxisAngle(float& angle_degrees, Vec3& axis) const;
};

inline Quaternion operator*(float k, const Quaternion& q) { return Quaternion(k * q.s, k * q.v); }

// The Hamilton product, a on the left: (sa sb - va . vb, (sa vb + sb va) + va x vb).
inline Quaternion operator*(const Quaternion& a, const Quaternion& b) {
  return Quaternion(a.s * b.s - Dot(a.v, b.v), (a.s * b.v + b.s * a.v) + Cross(a.v, b.v));
}
