#include "face-normal.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

namespace {

bool IsFiniteUnit(const Vec3& n) {
  return std::isfinite(n.x) && std::isfinite(n.y) && std::isfinite(n.z) &&
         std::fabs(Dot(n, n) - 1.0f) < 2e-6f;
}

bool SameBits(const Vec3& a, const Vec3& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// The normal as single-precision arithmetic gives it, where that works.
Vec3 FloatNormal(const Vec3& a, const Vec3& b, const Vec3& c) {
  Vec3 n = Cross(b - a, c - a);
  n.Normalize();
  return n;
}

}  // namespace

// A right triangle in the floor plane, scaled through every power of two a float holds: its
// normal is (0, 0, 1) at every scale. In single precision alone it was wrong at 208 of these 277
// sizes (64 of them NaN): wherever the cross product's squared length leaves the float range,
// beyond about 2^32 and below about 2^-32.
TEST(FaceNormal, EveryScaleOfARightTriangleGetsTheSameUnitNormal) {
  for (int k = -149; k <= 127; k++) {
    const float s = std::ldexp(1.0f, k);
    const Vec3 n = FaceNormal(Vec3(0, 0, 0), Vec3(s, 0, 0), Vec3(0, s, 0));
    EXPECT_EQ(n.x, 0.0f) << "2^" << k;
    EXPECT_EQ(n.y, 0.0f) << "2^" << k;
    EXPECT_EQ(n.z, 1.0f) << "2^" << k;
    // The same triangle centred on the origin, spanning -s .. s, and turned over.
    const Vec3 m = FaceNormal(Vec3(-s, -s, 0), Vec3(-s, s, 0), Vec3(s, -s, 0));
    EXPECT_EQ(m.z, -1.0f) << "2^" << k;
  }
}

// Triangles with nonzero area at random sizes from the smallest float to the largest, in random
// directions: a finite unit normal along the cross product worked in double.
TEST(FaceNormal, RandomTrianglesOfEverySizeGetFiniteUnitNormals) {
  std::mt19937_64 rng(6);
  std::uniform_int_distribution<int> coord(-1000, 1000), exponent(-149, 117);
  int redone = 0;
  for (int n = 0; n < 100000; n++) {
    const int k = exponent(rng);
    auto point = [&]() {
      return Vec3(std::ldexp(static_cast<float>(coord(rng)), k), std::ldexp(static_cast<float>(coord(rng)), k),
                  std::ldexp(static_cast<float>(coord(rng)), k));
    };
    const Vec3 a = point(), b = point(), c = point();
    // Integers times 2^k: the cross product in double is exact.
    const double e1[3] = {double(b.x) - a.x, double(b.y) - a.y, double(b.z) - a.z};
    const double e2[3] = {double(c.x) - a.x, double(c.y) - a.y, double(c.z) - a.z};
    const double x[3] = {e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2],
                         e1[0] * e2[1] - e1[1] * e2[0]};
    const double len = std::sqrt(x[0] * x[0] + x[1] * x[1] + x[2] * x[2]);
    const Vec3 normal = FaceNormal(a, b, c);
    if (len == 0) {
      EXPECT_EQ(Dot(normal, normal), 0.0f);
      continue;
    }
    ASSERT_TRUE(IsFiniteUnit(normal)) << "2^" << k << ": " << normal.x << " " << normal.y << " " << normal.z;
    EXPECT_GT((normal.x * x[0] + normal.y * x[1] + normal.z * x[2]) / len, 1 - 1e-6) << "2^" << k;
    redone += !SameBits(normal, FloatNormal(a, b, c));
  }
  EXPECT_GT(redone, 10000) << "the sizes should reach beyond single precision's reach";
}

// Triangles of ordinary size keep the single-precision normal bit for bit; triangles without
// area have none, even where single precision made one up or gave NaN.
TEST(FaceNormal, OrdinaryTrianglesKeepTheirNormalAndFlatOnesHaveNone) {
  std::mt19937_64 rng(7);
  std::uniform_real_distribution<float> coord(-20.0f, 20.0f);
  for (int n = 0; n < 100000; n++) {
    const Vec3 a(coord(rng), coord(rng), coord(rng)), b(coord(rng), coord(rng), coord(rng)),
        c(coord(rng), coord(rng), coord(rng));
    ASSERT_TRUE(SameBits(FaceNormal(a, b, c), FloatNormal(a, b, c))) << n;
  }
  const Vec3 zero(0, 0, 0), p(1, 2, 3), twice(2, 4, 6), huge(1e30f, 1e30f, 0), huger(2e30f, 2e30f, 0);
  const Vec3 flat[][3] = {{p, p, p}, {zero, p, p}, {zero, p, twice}, {p, zero, twice}, {zero, huge, huger}};
  for (const auto& t : flat) {
    const Vec3 n = FaceNormal(t[0], t[1], t[2]);
    EXPECT_EQ(n.x, 0.0f);
    EXPECT_EQ(n.y, 0.0f);
    EXPECT_EQ(n.z, 0.0f);
  }
  const float inf = INFINITY;
  const Vec3 n = FaceNormal(zero, Vec3(inf, 0, 0), Vec3(0, 1, 0));
  EXPECT_EQ(Dot(n, n), 0.0f) << "a vertex at infinity: no normal";
}
