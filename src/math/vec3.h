#pragma once
// A single-precision 3-vector, a plain value. Column vector when multiplied by a Mat3.

#include <cmath>

struct Vec3 {
  float x = 0.0f;
  float y = 0.0f;
  float z = 0.0f;

  Vec3() = default;
  Vec3(float x_, float y_, float z_) : x(x_), y(y_), z(z_) {}

  Vec3& operator+=(const Vec3& b) {
    x += b.x;
    y += b.y;
    z += b.z;
    return *this;
  }
  Vec3& operator-=(const Vec3& b) {
    x -= b.x;
    y -= b.y;
    z -= b.z;
    return *this;
  }

  float Length() const { return std::sqrt(x * x + y * y + z * z); }

  // Divides by the length, stored as a float first; a zero vector stays zero, silently.
  void Normalize() {
    const float len = Length();
    if (len != 0.0f) {
      const float inv = 1.0f / len;
      x *= inv;
      y *= inv;
      z *= inv;
    }
  }

  void SetZero() { x = y = z = 0.0f; }
};

inline Vec3 operator+(const Vec3& a, const Vec3& b) { return Vec3(a.x + b.x, a.y + b.y, a.z + b.z); }
inline Vec3 operator-(const Vec3& a, const Vec3& b) { return Vec3(a.x - b.x, a.y - b.y, a.z - b.z); }
inline Vec3 operator*(float k, const Vec3& v) { return Vec3(k * v.x, k * v.y, k * v.z); }

inline float Dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

inline Vec3 Cross(const Vec3& a, const Vec3& b) {
  return Vec3(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
}
