#pragma once
// The triangle test of the AVX2 walk: TrianglesContact with its seventeen axes and their
// projections computed four axes at a time, one to a double lane. Each lane makes the very
// operations of the scalar test on the same doubles (the cross products of VecCross, the dot
// products of VecDot, the same minimum and maximum scans, no fused multiply-add), so every
// projection, and hence every answer, is the scalar test's bit for bit; only the order in which
// the axes are tried differs, which cannot change whether one of them separates. The two rare
// cases are left to TrianglesContact itself: a pair it would rescale, and a pair that no axis
// separates but that has a triangle without a plane, for which it tries more directions.
//
// In an unnamed namespace, as everything of the walk (see walk-paths.h).
#include "walk/overlap.h"
#include "walk/vector-lanes.h"

namespace {

// Four vectors, component by component: lane n of x, y and z is vector n.
struct FourVectors {
  D4 x, y, z;
};

inline FourVectors Lanes(const double* const v[4]) {
  return {D4{v[0][0], v[1][0], v[2][0], v[3][0]}, D4{v[0][1], v[1][1], v[2][1], v[3][1]},
          D4{v[0][2], v[1][2], v[2][2], v[3][2]}};
}

// a x b lane by lane, as VecCross forms it.
inline FourVectors Cross(const FourVectors& a, const FourVectors& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// axis . p on each lane's axis, summed as VecDot sums.
inline D4 Project(const FourVectors& axis, const double p[3]) {
  return axis.x * Splat(p[0]) + axis.y * Splat(p[1]) + axis.z * Splat(p[2]);
}

// x where take is set, else y (take a comparison's answer).
inline D4 Pick(D4 take, D4 x, D4 y) { return _mm256_blendv_pd(y, x, take); }

// Whether each lane's axis separates triangles p and q, as ProjectionsOverlap decides: the scans
// start at the first value and take a later one only when strictly larger, respectively smaller,
// and intervals that only touch overlap. One bit per lane.
inline int Separating(const FourVectors& axis, const double p[3][3], const double q[3][3]) {
  D4 max1 = Project(axis, p[0]), min1 = max1, max2 = Project(axis, q[0]), min2 = max2;
  for (int k = 1; k < 3; k++) {
    const D4 P = Project(axis, p[k]), Q = Project(axis, q[k]);
    max1 = Pick(reinterpret_cast<D4>(P > max1), P, max1);
    min1 = Pick(reinterpret_cast<D4>(P < min1), P, min1);
    max2 = Pick(reinterpret_cast<D4>(Q > max2), Q, max2);
    min2 = Pick(reinterpret_cast<D4>(Q < min2), Q, min2);
  }
  return _mm256_movemask_pd(reinterpret_cast<D4>((min1 > max2) | (min2 > max1)));
}

inline void Sub(double out[3], const double a[3], const double b[3]) {
  for (int i = 0; i < 3; i++) out[i] = a[i] - b[i];
}

// TrianglesContact(P1, P2, P3, Q1, Q2, Q3), the same answer.
inline int TrianglesContactInLanes(const double P1[3], const double P2[3], const double P3[3],
                                   const double Q1[3], const double Q2[3], const double Q3[3]) {
  double p[3][3], q[3][3];
  if (!ShiftTriangles(P1, P2, P3, Q1, Q2, Q3, p, q)) return TrianglesContact(P1, P2, P3, Q1, Q2, Q3);

  double e[3][3], f[3][3];
  Sub(e[0], p[1], p[0]);
  Sub(e[1], p[2], p[1]);
  Sub(e[2], p[0], p[2]);
  Sub(f[0], q[1], q[0]);
  Sub(f[1], q[2], q[1]);
  Sub(f[2], q[0], q[2]);
  // The normals np = e1 x e2 and nq = f1 x f2 in lanes 0 and 1, then the edge crosses in the
  // scalar test's order; the in-plane edge normals e_i x np and f_j x nq need the normals.
  const double* const g1a[4] = {e[0], f[0], e[0], e[0]};
  const double* const g1b[4] = {e[1], f[1], f[0], f[1]};
  const FourVectors first = Cross(Lanes(g1a), Lanes(g1b));
  if (Separating(first, p, q)) return 0;
  const double* const g2a[4] = {e[0], e[1], e[1], e[1]};
  const double* const g2b[4] = {f[2], f[0], f[1], f[2]};
  if (Separating(Cross(Lanes(g2a), Lanes(g2b)), p, q)) return 0;
  const double np[3] = {first.x[0], first.y[0], first.z[0]};
  const double nq[3] = {first.x[1], first.y[1], first.z[1]};
  const double* const g3a[4] = {e[2], e[2], e[2], e[0]};
  const double* const g3b[4] = {f[0], f[1], f[2], np};
  if (Separating(Cross(Lanes(g3a), Lanes(g3b)), p, q)) return 0;
  const double* const g4a[4] = {e[1], e[2], f[0], f[1]};
  const double* const g4b[4] = {np, np, nq, nq};
  if (Separating(Cross(Lanes(g4a), Lanes(g4b)), p, q)) return 0;
  const double* const g5a[4] = {f[2], f[2], f[2], f[2]};
  const double* const g5b[4] = {nq, nq, nq, nq};
  if (Separating(Cross(Lanes(g5a), Lanes(g5b)), p, q)) return 0;
  if (TrianglesNeedMoreAxes(np, nq, e, f)) return TrianglesContact(P1, P2, P3, Q1, Q2, Q3);
  return 1;
}

}  // namespace
