#pragma once
// The collision library's own double-precision 3x3 matrix and 3-vector helpers, for composing the
// placements a query takes (a model point p lies at R p + T). Matrices are row-major (M[i][j] is
// row i, column j). Every result is written to the first argument, which may be the same
// storage as any input.

inline void MatMul(double out[3][3], const double A[3][3], const double B[3][3]) {
  double r[3][3];
  for (int i = 0; i < 3; i++)
    for (int j = 0; j < 3; j++) r[i][j] = A[i][0] * B[0][j] + A[i][1] * B[1][j] + A[i][2] * B[2][j];
  for (int i = 0; i < 3; i++)
    for (int j = 0; j < 3; j++) out[i][j] = r[i][j];
}

// out = A^T * B.
inline void MatTransposeMul(double out[3][3], const double A[3][3], const double B[3][3]) {
  double r[3][3];
  for (int i = 0; i < 3; i++)
    for (int j = 0; j < 3; j++) r[i][j] = A[0][i] * B[0][j] + A[1][i] * B[1][j] + A[2][i] * B[2][j];
  for (int i = 0; i < 3; i++)
    for (int j = 0; j < 3; j++) out[i][j] = r[i][j];
}

// out = M * v + w.
inline void MatVecAdd(double out[3], const double M[3][3], const double v[3], const double w[3]) {
  double r[3];
  for (int i = 0; i < 3; i++) r[i] = M[i][0] * v[0] + M[i][1] * v[1] + M[i][2] * v[2] + w[i];
  for (int i = 0; i < 3; i++) out[i] = r[i];
}

// out = M^T * v.
inline void MatTransposeVec(double out[3], const double M[3][3], const double v[3]) {
  double r[3];
  for (int i = 0; i < 3; i++) r[i] = M[0][i] * v[0] + M[1][i] * v[1] + M[2][i] * v[2];
  for (int i = 0; i < 3; i++) out[i] = r[i];
}

// out = a - b.
inline void VecSub(double out[3], const double a[3], const double b[3]) {
  for (int i = 0; i < 3; i++) out[i] = a[i] - b[i];
}

// a . b.
inline double VecDot(const double a[3], const double b[3]) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

// out = a x b.
inline void VecCross(double out[3], const double a[3], const double b[3]) {
  const double r[3] = {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
  for (int i = 0; i < 3; i++) out[i] = r[i];
}
