#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "math/mat3.h"
#include "math/quaternion.h"
#include "math/vec3.h"

namespace {
void ExpectVec(const Vec3& v, float x, float y, float z, float tol = 1e-6f) {
  EXPECT_NEAR(v.x, x, tol);
  EXPECT_NEAR(v.y, y, tol);
  EXPECT_NEAR(v.z, z, tol);
}
// A quaternion in double precision, multiplied the slow way: q1 q2 as the 4 x 4 matrix of left
// multiplication by q1 applied to the column (s, x, y, z) of q2.
struct DoubleQuaternion {
  double c[4];  // s, x, y, z
};

DoubleQuaternion Widen(const Quaternion& q) { return {{q.s, q.v.x, q.v.y, q.v.z}}; }

DoubleQuaternion Multiply(const DoubleQuaternion& a, const DoubleQuaternion& b) {
  const double s = a.c[0], x = a.c[1], y = a.c[2], z = a.c[3];
  const double left[4][4] = {{s, -x, -y, -z}, {x, s, -z, y}, {y, z, s, -x}, {z, -y, x, s}};
  DoubleQuaternion p = {{0, 0, 0, 0}};
  for (int r = 0; r < 4; ++r)
    for (int k = 0; k < 4; ++k) p.c[r] += left[r][k] * b.c[k];
  return p;
}

// A rotation quaternion drawn uniformly, rounded to floats.
Quaternion RandomUnitQuaternion(std::mt19937& random) {
  std::normal_distribution<double> normal(0.0, 1.0);
  double c[4], n = 0;
  for (double& x : c) {
    x = normal(random);
    n += x * x;
  }
  n = std::sqrt(n);
  return Quaternion(static_cast<float>(c[0] / n), static_cast<float>(c[1] / n), static_cast<float>(c[2] / n),
                    static_cast<float>(c[3] / n));
}

// Components of any size from 0.01 to 100, either sign: neither unit nor perpendicular.
Quaternion RandomQuaternion(std::mt19937& random) {
  std::uniform_real_distribution<float> unit(-1.0f, 1.0f), exponent(-2.0f, 2.0f);
  const float scale = std::pow(10.0f, exponent(random));
  return Quaternion(scale * unit(random), scale * unit(random), scale * unit(random), scale * unit(random));
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

// General operands, neither perpendicular nor unit, against the product written as a matrix
// acting on the second quaternion; and for rotations, the matrix of a product is the product
// of the matrices (q1 q2 turns by q2 first, then by q1).
TEST(Quaternion, ProductOfGeneralOperandsAndOfRotations) {
  std::mt19937 random(12);
  for (int n = 0; n < 2000; ++n) {
    const Quaternion a = RandomQuaternion(random), b = RandomQuaternion(random);
    const Quaternion p = a * b;
    const DoubleQuaternion expected = Multiply(Widen(a), Widen(b));
    const float got[4] = {p.s, p.v.x, p.v.y, p.v.z};
    const double size = std::sqrt(a.SquaredLength()) * std::sqrt(b.SquaredLength());
    for (int k = 0; k < 4; ++k) ASSERT_NEAR(got[k], expected.c[k], 1e-6 * size) << n << " component " << k;

    const Quaternion q1 = RandomUnitQuaternion(random), q2 = RandomUnitQuaternion(random);
    const Mat3 product = (q1 * q2).ToMatrix();
    const Mat3 m1 = q1.ToMatrix(), m2 = q2.ToMatrix();
    for (int r = 0; r < 3; ++r)
      for (int c = 0; c < 3; ++c) {
        double composed = 0;
        for (int k = 0; k < 3; ++k) composed += static_cast<double>(m1(r, k)) * m2(k, c);
        ASSERT_NEAR(product(r, c), composed, 2e-6) << n << " entry " << r << c;
      }
  }
}

// The matrix of a unit quaternion turns a vector exactly as the sandwich q (0, v) q* does.
TEST(Quaternion, MatrixTurnsVectorsAsTheQuaternionSandwich) {
  std::mt19937 random(13);
  std::uniform_real_distribution<float> coordinate(-5.0f, 5.0f);
  for (int n = 0; n < 2000; ++n) {
    const Quaternion q = RandomUnitQuaternion(random);
    const Vec3 v(coordinate(random), coordinate(random), coordinate(random));
    const DoubleQuaternion conjugate = {{q.s, -q.v.x, -q.v.y, -q.v.z}};
    const DoubleQuaternion turned = Multiply(Multiply(Widen(q), {{0, v.x, v.y, v.z}}), conjugate);
    const Vec3 got = q.ToMatrix() * v;
    ASSERT_NEAR(got.x, turned.c[1], 1e-5) << n;
    ASSERT_NEAR(got.y, turned.c[2], 1e-5) << n;
    ASSERT_NEAR(got.z, turned.c[3], 1e-5) << n;
  }
}

TEST(Vec3AndMat3, CrossAndProductsAgainstDoubleArithmetic) {
  std::mt19937 random(14);
  std::uniform_real_distribution<float> entry(-3.0f, 3.0f);
  for (int n = 0; n < 500; ++n) {
    const Vec3 a(entry(random), entry(random), entry(random)), b(entry(random), entry(random), entry(random));
    const Vec3 c = Cross(a, b);
    // The cross product is perpendicular to both factors and |a x b|^2 = |a|^2 |b|^2 - (a.b)^2.
    const double ab = static_cast<double>(a.x) * b.x + static_cast<double>(a.y) * b.y + static_cast<double>(a.z) * b.z;
    const double aa = static_cast<double>(a.x) * a.x + static_cast<double>(a.y) * a.y + static_cast<double>(a.z) * a.z;
    const double bb = static_cast<double>(b.x) * b.x + static_cast<double>(b.y) * b.y + static_cast<double>(b.z) * b.z;
    ASSERT_NEAR(Dot(c, a), 0.0, 1e-4);
    ASSERT_NEAR(Dot(c, b), 0.0, 1e-4);
    ASSERT_NEAR(Dot(c, c), aa * bb - ab * ab, 1e-3);
    ASSERT_GT(Dot(Cross(Vec3(1, 0, 0), Vec3(0, 1, 0)), Vec3(0, 0, 1)), 0.0f) << "right-handed";

    Mat3 m, k;
    for (float& x : m.m) x = entry(random);
    for (float& x : k.m) x = entry(random);
    const Mat3 mk = m * k;
    const Vec3 mv = m * a;
    for (int r = 0; r < 3; ++r) {
      double row_times_a = 0;
      for (int j = 0; j < 3; ++j) {
        double sum = 0;
        for (int i = 0; i < 3; ++i) sum += static_cast<double>(m.m[3 * r + i]) * k.m[3 * i + j];
        ASSERT_NEAR(mk(r, j), sum, 1e-5);
        row_times_a += static_cast<double>(m.m[3 * r + j]) * (j == 0 ? a.x : j == 1 ? a.y : a.z);
      }
      ASSERT_NEAR(r == 0 ? mv.x : r == 1 ? mv.y : mv.z, row_times_a, 1e-5);
    }
  }
}

// The scale is the float nearest 1/sqrt(n2), n2 being the float squared length: worked out in
// double and rounded once. Rounding the square root to float first moves about a quarter of the
// results by one float step, so the sweep checks bit for bit.
TEST(Quaternion, NormaliseScalesByTheFloatNearestTheInverseSquareRoot) {
  std::mt19937 random(15);
  int rounded_twice_differs = 0;
  const int samples = 20000;
  for (int n = 0; n < samples; ++n) {
    const Quaternion q = RandomQuaternion(random);
    const float n2 = q.s * q.s + q.v.x * q.v.x + q.v.y * q.v.y + q.v.z * q.v.z;
    Quaternion normalised = q;
    normalised.Normalize();
    if (!(n2 > 0.0001f)) {
      ASSERT_EQ(normalised.s, q.s) << "too short to normalise: left as it is";
      ASSERT_EQ(normalised.v.z, q.v.z);
      continue;
    }
    const float scale = static_cast<float>(1.0 / std::sqrt(static_cast<double>(n2)));
    ASSERT_EQ(normalised.s, q.s * scale) << n;
    ASSERT_EQ(normalised.v.x, q.v.x * scale) << n;
    ASSERT_EQ(normalised.v.y, q.v.y * scale) << n;
    ASSERT_EQ(normalised.v.z, q.v.z * scale) << n;
    const float rounded_twice = 1.0f / std::sqrt(n2);
    rounded_twice_differs += (q.v.x * rounded_twice != q.v.x * scale || q.s * rounded_twice != q.s * scale) ? 1 : 0;
  }
  EXPECT_GT(rounded_twice_differs, samples / 20) << "the sweep must tell the two roundings apart";
}

// The arccosine in double, then the factor 360 / pi, rounded once; the float arccosine gives
// another float for some 5 % of inputs. The vector part's squared length must exceed 0.0001.
TEST(Quaternion, ToAxisAngleTakesTheArccosineInDouble) {
  std::mt19937 random(16);
  int float_arccosine_differs = 0;
  const int samples = 20000;
  for (int n = 0; n < samples; ++n) {
    const Quaternion q = RandomUnitQuaternion(random);
    const float n2 = q.v.x * q.v.x + q.v.y * q.v.y + q.v.z * q.v.z;
    if (!(n2 > 0.001f)) continue;
    float angle = 0;
    Vec3 axis;
    q.ToAxisAngle(angle, axis);
    const float expected = static_cast<float>(std::acos(static_cast<double>(q.s)) * 114.59155902616465);
    ASSERT_EQ(angle, expected) << "s = " << q.s;
    ASSERT_EQ(axis.x, (1.0f / n2) * q.v.x);
    ASSERT_EQ(axis.z, (1.0f / n2) * q.v.z);
    const float with_float_arccosine = static_cast<float>(std::acos(q.s) * 114.59155902616465);
    float_arccosine_differs += with_float_arccosine != expected ? 1 : 0;
  }
  EXPECT_GT(float_arccosine_differs, samples / 100) << "the sweep must tell the two arccosines apart";

  // Either side of the threshold: a vector part of squared length 0.0001 (as a float) has no
  // usable axis, the next one up has.
  float angle = -1;
  Vec3 axis;
  Quaternion(0.5f, 0.01f, 0, 0).ToAxisAngle(angle, axis);
  EXPECT_EQ(angle, 0.0f);
  EXPECT_EQ(axis.y, 1.0f);
  Quaternion(0.5f, 0.0100001f, 0, 0).ToAxisAngle(angle, axis);
  EXPECT_FLOAT_EQ(angle, 120.0f);
  EXPECT_GT(axis.x, 99.0f);
}
