#include "face-normal.h"

#include <cmath>

namespace {

// a b - c d, with the sign and the zero of the exact value: rounding is monotonic, so unequal
// rounded products order as the exact ones do; equal rounded products are told apart by their
// rounding errors, which fma yields exactly.
double DifferenceOfProducts(double a, double b, double c, double d) {
  const double ab = a * b, cd = c * d;
  if (ab != cd) return ab - cd;
  return std::fma(a, b, -cd) - std::fma(c, d, -cd);
}

}  // namespace

Vec3 FaceNormal(const Vec3& a, const Vec3& b, const Vec3& c) {
  // The edges of float vertices are exact in double unless the vertices differ in size by more
  // than 2^29, and a double cross product of float edges can neither overflow nor underflow.
  const double e1[3] = {double(b.x) - a.x, double(b.y) - a.y, double(b.z) - a.z};
  const double e2[3] = {double(c.x) - a.x, double(c.y) - a.y, double(c.z) - a.z};
  const double n[3] = {DifferenceOfProducts(e1[1], e2[2], e1[2], e2[1]),
                       DifferenceOfProducts(e1[2], e2[0], e1[0], e2[2]),
                       DifferenceOfProducts(e1[0], e2[1], e1[1], e2[0])};
  const double length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
  if (!(length > 0) || !std::isfinite(length)) return Vec3();

  Vec3 normal = Cross(b - a, c - a);
  normal.Normalize();
  // A length lost to overflow or underflow leaves a NaN, a zero or a vector of the wrong length.
  if (std::fabs(Dot(normal, normal) - 1.0f) < 2e-6f) return normal;
  return Vec3(static_cast<float>(n[0] / length), static_cast<float>(n[1] / length),
              static_cast<float>(n[2] / length));
}
