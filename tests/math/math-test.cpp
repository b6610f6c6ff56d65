#include <gtest/gtest.h>

#include <cmath>

#include "math/mat3.h"
#include "math/quaternion.h"
#include "math/vec3.h"

namespace {
void ExpectVec(const Vec3& v, float x, float y, float z, float tol = 1e-6f) {
  EXPECT_NEAR(v.x, x, tol);
  EXPECT_NEAR(v.y, y, tol);
  EXPECT_NEAR(v.z, z, tol);
}
}  // namespace

TEST(Vec3, CrossDotAndNormalise) {
  ExpectVec(Cross(Vec3(1, 0, 0), Vec3(0, 1, 0)), 0, 0, 1);
  ExpectVec(Cross(Vec3(0, 1, 0), Vec3(1, 0, 0)), 0, 0, -1);
  EXPECT_EQ(Dot(Vec3(1, 2, 3), Vec3(4, -5, 6)), 12.0f);
  Vec3 v(3, 0, 4);
  v.Normalize();
  ExpectVec(v, 0.6f, 0, 0.8f);
  Vec3 zero;
  zero.Normalize();
  ExpectVec(zero, 0, 0, 0, 0);
  Vec3 a(1, 2, 3);
  a -= Vec3(1, 1, 1);
  a += 2.0f * Vec3(0, 0, 1);
  ExpectVec(a, 0, 1, 4, 0);
}

TEST(Mat3, RowMajorProductsAndTranspose) {
  Mat3 a;
  a.Set(1, 2, 3, 4, 5, 6, 7, 8, 9);
  EXPECT_EQ(a(0, 2), 3.0f);
  EXPECT_EQ(a.m[5], 6.0f) << "entry (1, 2) is element 5";
  ExpectVec(a * Vec3(1, 0, -1), -2, -2, -2, 0);
  Mat3 b;
  b.Set(0, 1, 0, 0, 0, 1, 1, 0, 0);  // a column permutation
  const Mat3 ab = a * b;
  EXPECT_EQ(ab(0, 0), 3.0f);
  EXPECT_EQ(ab(0, 1), 1.0f);
  EXPECT_EQ(ab(2, 2), 8.0f);
  const Mat3 t = a.Transpose();
  EXPECT_EQ(t(0, 2), 7.0f);
  EXPECT_EQ(t(2, 0), 3.0f);
}

TEST(Quaternion, ProductOrderAndIdentity) {
  const Quaternion i(0, 1, 0, 0), j(0, 0, 1, 0);
  const Quaternion ij = i * j, ji = j * i;
  EXPECT_EQ(ij.s, 0.0f);
  ExpectVec(ij.v, 0, 0, 1, 0);
  ExpectVec(ji.v, 0, 0, -1, 0);
  const Quaternion q(0.5f, -0.1f, 0.7f, 0.3f);
  const Quaternion left = Quaternion() * q, right = q * Quaternion();
  EXPECT_EQ(left.s, q.s);
  ExpectVec(left.v, q.v.x, q.v.y, q.v.z, 0);
  EXPECT_EQ(right.s, q.s);
  const Quaternion scaled = 2.0f * q;
  EXPECT_EQ(scaled.s, 1.0f);
  EXPECT_EQ(scaled.v.y, 1.4f);
}

// The threshold is strict: a squared length of 0.0001 or less is left alone.
TEST(Quaternion, NormaliseOnlyAboveTheThreshold) {
  Quaternion big(2, 0, 0, 0);
  big.Normalize();
  EXPECT_EQ(big.s, 1.0f);
  Quaternion small(0.005f, 0, 0, 0);
  small.Normalize();
  EXPECT_EQ(small.s, 0.005f);
  Quaternion edge(0.01f, 0, 0, 0);  // squared length rounds to the float nearest 0.0001
  edge.Normalize();
  EXPECT_EQ(edge.s, 0.01f);
  Quaternion above(0.0101f, 0, 0, 0);
  above.Normalize();
  EXPECT_FLOAT_EQ(above.s, 1.0f);
  Quaternion mixed(1, 1, 1, 1);
  mixed.Normalize();
  EXPECT_FLOAT_EQ(mixed.SquaredLength(), 1.0f);
}

TEST(Quaternion, MatrixOfIdentityAndHalfTurnAboutY) {
  const Mat3 identity = Quaternion().ToMatrix();
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) EXPECT_EQ(identity(r, c), r == c ? 1.0f : 0.0f);
  const Mat3 half_turn = Quaternion(0, 0, 1, 0).ToMatrix();
  ExpectVec(half_turn * Vec3(1, 2, 3), -1, 2, -3, 0);
  // A quarter turn about z takes x to y: the matrix maps body to world coordinates.
  const float c = std::sqrt(0.5f);
  ExpectVec(Quaternion(c, 0, 0, c).ToMatrix() * Vec3(1, 0, 0), 0, 1, 0);
}

TEST(Quaternion, ToAxisAngleInDegrees) {
  float angle = -1;
  Vec3 axis;
  Quaternion(0.7071068f, 0.7071068f, 0, 0).ToAxisAngle(angle, axis);
  EXPECT_NEAR(angle, 90.0f, 1e-4f);
  EXPECT_GT(axis.x, 0.0f);
  EXPECT_EQ(axis.y, 0.0f);
  Quaternion().ToAxisAngle(angle, axis);
  EXPECT_EQ(angle, 0.0f);
  ExpectVec(axis, 0, 1, 0, 0);
  Quaternion(0, 0, 1, 0).ToAxisAngle(angle, axis);
  EXPECT_FLOAT_EQ(angle, 180.0f);
  ExpectVec(axis, 0, 1, 0, 0);
  Quaternion(0.99999f, 0.001f, 0, 0).ToAxisAngle(angle, axis);  // vector part too small
  EXPECT_EQ(angle, 0.0f);
}
