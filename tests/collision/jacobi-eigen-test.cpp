#include "collision/build/jacobi-eigen.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

TEST(JacobiEigen, DiagonalMatrixGivesIdentityAndTheDiagonal) {
  double A[3][3] = {{3, 0, 0}, {0, -2, 0}, {0, 0, 7}};
  double V[3][3], d[3];
  JacobiEigen(V, d, A);
  const double I[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
  for (int i = 0; i < 3; i++)
    for (int j = 0; j < 3; j++) EXPECT_EQ(V[i][j], I[i][j]);
  EXPECT_EQ(d[0], 3);
  EXPECT_EQ(d[1], -2);
  EXPECT_EQ(d[2], 7);
}

// Random symmetric matrices: A V = V diag(d), V orthonormal, the upper triangle driven to zero,
// and garbage below the diagonal changes nothing, bit for bit.
TEST(JacobiEigen, DecomposesSymmetricMatricesAndIgnoresTheLowerTriangle) {
  std::mt19937_64 rng(3);
  std::uniform_real_distribution<double> entry(-10, 10);
  for (int trial = 0; trial < 500; trial++) {
    double S[3][3];
    for (int i = 0; i < 3; i++)
      for (int j = i; j < 3; j++) S[i][j] = S[j][i] = entry(rng);
    if (trial % 5 == 0) S[0][1] = S[1][0] = 0;  // some partly diagonal ones

    double A[3][3], G[3][3];
    std::memcpy(A, S, sizeof A);
    std::memcpy(G, S, sizeof G);
    G[1][0] = entry(rng);
    G[2][0] = std::numeric_limits<double>::quiet_NaN();
    G[2][1] = 1e300;

    double V[3][3], d[3], VG[3][3], dG[3];
    JacobiEigen(V, d, A);
    JacobiEigen(VG, dG, G);
    EXPECT_EQ(std::memcmp(V, VG, sizeof V), 0);
    EXPECT_EQ(std::memcmp(d, dG, sizeof d), 0);
    EXPECT_EQ(A[0][1], 0);
    EXPECT_EQ(A[0][2], 0);
    EXPECT_EQ(A[1][2], 0);

    for (int i = 0; i < 3; i++)
      for (int k = 0; k < 3; k++) {
        double av = 0, dot = 0;
        for (int j = 0; j < 3; j++) {
          av += S[i][j] * V[j][k];
          dot += V[j][i] * V[j][k];
        }
        EXPECT_NEAR(av, d[k] * V[i][k], 1e-9);
        EXPECT_NEAR(dot, i == k ? 1.0 : 0.0, 1e-12);
      }
  }
}

// A NaN entry never converges: the message is printed and the outputs are left as they were.
TEST(JacobiEigen, NonConvergenceLeavesTheOutputsUntouched) {
  double A[3][3] = {{1, std::numeric_limits<double>::quiet_NaN(), 0}, {0, 2, 0}, {0, 0, 3}};
  double V[3][3] = {{5, 5, 5}, {5, 5, 5}, {5, 5, 5}};
  double d[3] = {6, 6, 6};
  testing::internal::CaptureStderr();
  JacobiEigen(V, d, A);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "eigen: too many iterations in Jacobi transform.\n");
  for (int i = 0; i < 3; i++) {
    EXPECT_EQ(d[i], 6);
    for (int j = 0; j < 3; j++) EXPECT_EQ(V[i][j], 5);
  }
}
