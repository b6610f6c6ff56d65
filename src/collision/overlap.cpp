#include "overlap.h"

#include <cmath>

int BoxesDisjoint(const double B[3][3], const double T[3], const double a[3], const double b[3]) {
  // The padding keeps nearly parallel edge pairs, whose cross product is almost zero, from
  // separating boxes through rounding.
  double Bf[3][3];
  for (int r = 0; r < 3; r++)
    for (int c = 0; c < 3; c++) Bf[r][c] = std::fabs(B[r][c]) + 0.000001;

  // Face axes first: they are the cheapest and separate most pairs.
  double t = std::fabs(T[0]);
  if (t > a[0] + b[0] * Bf[0][0] + b[1] * Bf[0][1] + b[2] * Bf[0][2]) return 1;

  // T in box 2's axes, s[j] = T . Bj.
  double s = T[0] * B[0][0] + T[1] * B[1][0] + T[2] * B[2][0];
  t = std::fabs(s);
  if (t > b[0] + a[0] * Bf[0][0] + a[1] * Bf[1][0] + a[2] * Bf[2][0]) return 2;

  t = std::fabs(T[1]);
  if (t > a[1] + b[0] * Bf[1][0] + b[1] * Bf[1][1] + b[2] * Bf[1][2]) return 3;

  t = std::fabs(T[2]);
  if (t > a[2] + b[0] * Bf[2][0] + b[1] * Bf[2][1] + b[2] * Bf[2][2]) return 4;

  s = T[0] * B[0][1] + T[1] * B[1][1] + T[2] * B[2][1];
  t = std::fabs(s);
  if (t > b[1] + a[0] * Bf[0][1] + a[1] * Bf[1][1] + a[2] * Bf[2][1]) return 5;

  s = T[0] * B[0][2] + T[1] * B[1][2] + T[2] * B[2][2];
  t = std::fabs(s);
  if (t > b[2] + a[0] * Bf[0][2] + a[1] * Bf[1][2] + a[2] * Bf[2][2]) return 6;

  // Edge-pair axes Ai x Bj, grouped by box 1's axis.
  t = std::fabs(T[2] * B[1][0] - T[1] * B[2][0]);
  if (t > a[1] * Bf[2][0] + a[2] * Bf[1][0] + b[1] * Bf[0][2] + b[2] * Bf[0][1]) return 7;

  t = std::fabs(T[2] * B[1][1] - T[1] * B[2][1]);
  if (t > a[1] * Bf[2][1] + a[2] * Bf[1][1] + b[0] * Bf[0][2] + b[2] * Bf[0][0]) return 8;

  t = std::fabs(T[2] * B[1][2] - T[1] * B[2][2]);
  if (t > a[1] * Bf[2][2] + a[2] * Bf[1][2] + b[0] * Bf[0][1] + b[1] * Bf[0][0]) return 9;

  t = std::fabs(T[0] * B[2][0] - T[2] * B[0][0]);
  if (t > a[0] * Bf[2][0] + a[2] * Bf[0][0] + b[1] * Bf[1][2] + b[2] * Bf[1][1]) return 10;

  t = std::fabs(T[0] * B[2][1] - T[2] * B[0][1]);
  if (t > a[0] * Bf[2][1] + a[2] * Bf[0][1] + b[0] * Bf[1][2] + b[2] * Bf[1][0]) return 11;

  t = std::fabs(T[0] * B[2][2] - T[2] * B[0][2]);
  if (t > a[0] * Bf[2][2] + a[2] * Bf[0][2] + b[0] * Bf[1][1] + b[1] * Bf[1][0]) return 12;

  t = std::fabs(T[1] * B[0][0] - T[0] * B[1][0]);
  if (t > a[0] * Bf[1][0] + a[1] * Bf[0][0] + b[1] * Bf[2][2] + b[2] * Bf[2][1]) return 13;

  t = std::fabs(T[1] * B[0][1] - T[0] * B[1][1]);
  if (t > a[0] * Bf[1][1] + a[1] * Bf[0][1] + b[0] * Bf[2][2] + b[2] * Bf[2][0]) return 14;

  t = std::fabs(T[1] * B[0][2] - T[0] * B[1][2]);
  if (t > a[0] * Bf[1][2] + a[1] * Bf[0][2] + b[0] * Bf[2][1] + b[1] * Bf[2][0]) return 15;

  return 0;
}

namespace {

inline void Sub(double out[3], const double a[3], const double b[3]) {
  out[0] = a[0] - b[0];
  out[1] = a[1] - b[1];
  out[2] = a[2] - b[2];
}

inline void Cross(double out[3], const double a[3], const double b[3]) {
  out[0] = a[1] * b[2] - a[2] * b[1];
  out[1] = a[2] * b[0] - a[0] * b[2];
  out[2] = a[0] * b[1] - a[1] * b[0];
}

inline double Dot(const double a[3], const double b[3]) {
  return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

}  // namespace

int ProjectionsOverlap(const double axis[3], const double p1[3], const double p2[3],
                       const double p3[3], const double q1[3], const double q2[3],
                       const double q3[3]) {
  const double P1 = Dot(axis, p1), P2 = Dot(axis, p2), P3 = Dot(axis, p3);
  const double Q1 = Dot(axis, q1), Q2 = Dot(axis, q2), Q3 = Dot(axis, q3);

  double max1 = P1, min1 = P1;
  if (P2 > max1) max1 = P2;
  if (P2 < min1) min1 = P2;
  if (P3 > max1) max1 = P3;
  if (P3 < min1) min1 = P3;

  double max2 = Q1, min2 = Q1;
  if (Q2 > max2) max2 = Q2;
  if (Q2 < min2) min2 = Q2;
  if (Q3 > max2) max2 = Q3;
  if (Q3 < min2) min2 = Q3;

  // Intervals that only touch overlap.
  if (min1 > max2) return 0;
  if (min2 > max1) return 0;
  return 1;
}

int TrianglesContact(const double P1[3], const double P2[3], const double P3[3],
                     const double Q1[3], const double Q2[3], const double Q3[3]) {
  // Everything relative to P1 keeps the projections small and the rounding comparable.
  double p1[3] = {0, 0, 0}, p2[3], p3[3], q1[3], q2[3], q3[3];
  Sub(p2, P2, P1);
  Sub(p3, P3, P1);
  Sub(q1, Q1, P1);
  Sub(q2, Q2, P1);
  Sub(q3, Q3, P1);

  double e[3][3], f[3][3];
  Sub(e[0], p2, p1);
  Sub(e[1], p3, p2);
  Sub(e[2], p1, p3);
  Sub(f[0], q2, q1);
  Sub(f[1], q3, q2);
  Sub(f[2], q1, q3);

  double axis[3];
  double np[3], nq[3];
  Cross(np, e[0], e[1]);
  if (!ProjectionsOverlap(np, p1, p2, p3, q1, q2, q3)) return 0;
  Cross(nq, f[0], f[1]);
  if (!ProjectionsOverlap(nq, p1, p2, p3, q1, q2, q3)) return 0;

  for (int i = 0; i < 3; i++)
    for (int j = 0; j < 3; j++) {
      Cross(axis, e[i], f[j]);
      if (!ProjectionsOverlap(axis, p1, p2, p3, q1, q2, q3)) return 0;
    }

  // In-plane edge normals; they separate coplanar triangles, where every other axis is zero or
  // the shared normal.
  for (int i = 0; i < 3; i++) {
    Cross(axis, e[i], np);
    if (!ProjectionsOverlap(axis, p1, p2, p3, q1, q2, q3)) return 0;
  }
  for (int j = 0; j < 3; j++) {
    Cross(axis, f[j], nq);
    if (!ProjectionsOverlap(axis, p1, p2, p3, q1, q2, q3)) return 0;
  }
  return 1;
}
