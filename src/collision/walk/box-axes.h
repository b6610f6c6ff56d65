#pragma once
// The 15 separating-axis tests of two oriented boxes, written once for any number type V that has
// +, -, *, > and Abs (BoxesDisjoint runs them on doubles).
//
// B: box 2's axes as the columns of a row-major rotation, T: box 2's centre, both in box 1's
// frame; a, b: the half side lengths of box 1 and box 2. Every |B| entry is padded by 0.000001 so
// that nearly parallel edge pairs, whose cross product is almost zero, do not separate boxes
// through rounding. Test k separates when t > limit; equality does not separate.
//
// After test k (1..15, in order) it calls on_test(k, t > limit); when that returns true the run
// stops and returns k. Returns 0 when all 15 tests ran.

#include <cmath>

inline double Abs(double x) { return std::fabs(x); }

template <class V, class OnTest>
inline int RunBoxAxes(const V B[3][3], const V T[3], const V a[3], const V b[3],
                      OnTest on_test) {
  V Bf[3][3];
  for (int r = 0; r < 3; r++)
    for (int c = 0; c < 3; c++) Bf[r][c] = Abs(B[r][c]) + 0.000001;

  // Face axes first: they are the cheapest and separate most pairs. Box 1's axis 0, box 2's
  // axis 0 (T . B0), box 1's axes 1 and 2, box 2's axes 1 and 2.
  if (on_test(1, Abs(T[0]) > a[0] + b[0] * Bf[0][0] + b[1] * Bf[0][1] + b[2] * Bf[0][2]))
    return 1;
  if (on_test(2, Abs(T[0] * B[0][0] + T[1] * B[1][0] + T[2] * B[2][0]) >
                     b[0] + a[0] * Bf[0][0] + a[1] * Bf[1][0] + a[2] * Bf[2][0]))
    return 2;
  if (on_test(3, Abs(T[1]) > a[1] + b[0] * Bf[1][0] + b[1] * Bf[1][1] + b[2] * Bf[1][2]))
    return 3;
  if (on_test(4, Abs(T[2]) > a[2] + b[0] * Bf[2][0] + b[1] * Bf[2][1] + b[2] * Bf[2][2]))
    return 4;
  if (on_test(5, Abs(T[0] * B[0][1] + T[1] * B[1][1] + T[2] * B[2][1]) >
                     b[1] + a[0] * Bf[0][1] + a[1] * Bf[1][1] + a[2] * Bf[2][1]))
    return 5;
  if (on_test(6, Abs(T[0] * B[0][2] + T[1] * B[1][2] + T[2] * B[2][2]) >
                     b[2] + a[0] * Bf[0][2] + a[1] * Bf[1][2] + a[2] * Bf[2][2]))
    return 6;

  // Edge-pair axes Ai x Bj, grouped by box 1's axis.
  if (on_test(7, Abs(T[2] * B[1][0] - T[1] * B[2][0]) >
                     a[1] * Bf[2][0] + a[2] * Bf[1][0] + b[1] * Bf[0][2] + b[2] * Bf[0][1]))
    return 7;
  if (on_test(8, Abs(T[2] * B[1][1] - T[1] * B[2][1]) >
                     a[1] * Bf[2][1] + a[2] * Bf[1][1] + b[0] * Bf[0][2] + b[2] * Bf[0][0]))
    return 8;
  if (on_test(9, Abs(T[2] * B[1][2] - T[1] * B[2][2]) >
                     a[1] * Bf[2][2] + a[2] * Bf[1][2] + b[0] * Bf[0][1] + b[1] * Bf[0][0]))
    return 9;
  if (on_test(10, Abs(T[0] * B[2][0] - T[2] * B[0][0]) >
                      a[0] * Bf[2][0] + a[2] * Bf[0][0] + b[1] * Bf[1][2] + b[2] * Bf[1][1]))
    return 10;
  if (on_test(11, Abs(T[0] * B[2][1] - T[2] * B[0][1]) >
                      a[0] * Bf[2][1] + a[2] * Bf[0][1] + b[0] * Bf[1][2] + b[2] * Bf[1][0]))
    return 11;
  if (on_test(12, Abs(T[0] * B[2][2] - T[2] * B[0][2]) >
                      a[0] * Bf[2][2] + a[2] * Bf[0][2] + b[0] * Bf[1][1] + b[1] * Bf[1][0]))
    return 12;
  if (on_test(13, Abs(T[1] * B[0][0] - T[0] * B[1][0]) >
                      a[0] * Bf[1][0] + a[1] * Bf[0][0] + b[1] * Bf[2][2] + b[2] * Bf[2][1]))
    return 13;
  if (on_test(14, Abs(T[1] * B[0][1] - T[0] * B[1][1]) >
                      a[0] * Bf[1][1] + a[1] * Bf[0][1] + b[0] * Bf[2][2] + b[2] * Bf[2][0]))
    return 14;
  if (on_test(15, Abs(T[1] * B[0][2] - T[0] * B[1][2]) >
                      a[0] * Bf[1][2] + a[1] * Bf[0][2] + b[0] * Bf[2][1] + b[1] * Bf[2][0]))
    return 15;
  return 0;
}
