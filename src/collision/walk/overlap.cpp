#include "walk/overlap.h"

#include <algorithm>
#include <cmath>

#include "walk/box-axes.h"
#include "matrix.h"

int BoxesDisjoint(const double B[3][3], const double T[3], const double a[3], const double b[3]) {
  return RunBoxAxes(B, T, a, b, [](int, bool separates) { return separates; });
}

namespace {

// The cross product n of two edges a and b is lost in rounding when its square is this small
// against |a|^2 |b|^2: the triangle then has no plane to speak of (a segment or a point).
constexpr double kNoPlane = 1e-26;

inline bool HasNoPlane(const double n[3], const double a[3], const double b[3]) {
  return VecDot(n, n) <= kNoPlane * VecDot(a, a) * VecDot(b, b);
}

// The directions that separate a segment or a point from anything, which the normals, edge
// crosses and in-plane edge normals miss once a triangle has no plane: the perpendicular from
// each edge line of one triangle to each vertex of the other, d x (w x d) for an edge d and w
// from the edge to the vertex; and from each vertex to each vertex. With the other axes they are
// complete: two disjoint triangles are separated along the line between their closest points,
// and for every pair of features (vertex, edge or face) those can lie on, that line is one of
// these directions, an edge cross or a normal.
bool SeparatedWithoutAPlane(const double p[3][3], const double q[3][3], const double e[3][3],
                            const double f[3][3]) {
  double w[3], across[3], axis[3];
  for (int i = 0; i < 3; i++)
    for (int j = 0; j < 3; j++) {
      // Edge i of the first triangle starts at its vertex i, edge j of the second at its vertex j.
      VecSub(w, q[j], p[i]);
      VecCross(across, w, e[i]);
      VecCross(axis, e[i], across);
      if (!ProjectionsOverlap(axis, p[0], p[1], p[2], q[0], q[1], q[2])) return true;
      VecSub(w, p[i], q[j]);
      VecCross(across, w, f[j]);
      VecCross(axis, f[j], across);
      if (!ProjectionsOverlap(axis, p[0], p[1], p[2], q[0], q[1], q[2])) return true;
    }
  for (int i = 0; i < 3; i++)
    for (int j = 0; j < 3; j++) {
      VecSub(axis, q[j], p[i]);
      if (!ProjectionsOverlap(axis, p[0], p[1], p[2], q[0], q[1], q[2])) return true;
    }
  return false;
}

}  // namespace

int ProjectionsOverlap(const double axis[3], const double p1[3], const double p2[3],
                       const double p3[3], const double q1[3], const double q2[3],
                       const double q3[3]) {
  const double P1 = VecDot(axis, p1), P2 = VecDot(axis, p2), P3 = VecDot(axis, p3);
  const double Q1 = VecDot(axis, q1), Q2 = VecDot(axis, q2), Q3 = VecDot(axis, q3);

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

namespace {

// The triangle test proper, on the two triangles shifted so that the first vertex of the first
// is the origin.
int ContactOfShifted(const double p[3][3], const double q[3][3]) {
  const double *p1 = p[0], *p2 = p[1], *p3 = p[2], *q1 = q[0], *q2 = q[1], *q3 = q[2];

  double e[3][3], f[3][3];
  VecSub(e[0], p2, p1);
  VecSub(e[1], p3, p2);
  VecSub(e[2], p1, p3);
  VecSub(f[0], q2, q1);
  VecSub(f[1], q3, q2);
  VecSub(f[2], q1, q3);

  double axis[3];
  double np[3], nq[3];
  VecCross(np, e[0], e[1]);
  if (!ProjectionsOverlap(np, p1, p2, p3, q1, q2, q3)) return 0;
  VecCross(nq, f[0], f[1]);
  if (!ProjectionsOverlap(nq, p1, p2, p3, q1, q2, q3)) return 0;

  for (int i = 0; i < 3; i++)
    for (int j = 0; j < 3; j++) {
      VecCross(axis, e[i], f[j]);
      if (!ProjectionsOverlap(axis, p1, p2, p3, q1, q2, q3)) return 0;
    }

  // In-plane edge normals; they separate coplanar triangles, where every other axis is zero or
  // the shared normal.
  for (int i = 0; i < 3; i++) {
    VecCross(axis, e[i], np);
    if (!ProjectionsOverlap(axis, p1, p2, p3, q1, q2, q3)) return 0;
  }
  for (int j = 0; j < 3; j++) {
    VecCross(axis, f[j], nq);
    if (!ProjectionsOverlap(axis, p1, p2, p3, q1, q2, q3)) return 0;
  }
  // A segment or a point has no in-plane axes of its own. Triangles with a plane stop here, so
  // their answers stay those of the seventeen axes.
  if ((HasNoPlane(np, e[0], e[1]) || HasNoPlane(nq, f[0], f[1])) && SeparatedWithoutAPlane(p, q, e, f))
    return 0;
  return 1;
}

inline double LargestOf(double largest, const double v[3]) {
  return std::max(largest, std::max(std::fabs(v[0]), std::max(std::fabs(v[1]), std::fabs(v[2]))));
}

// The axes and projections are products of up to four coordinates of the shifted triangles: far
// beyond 2^64 in size they overflow and far below 2^-64 they underflow, and either can make an
// axis look overlapping or separating. Within these bounds, where every ordinary pair lies, they
// do neither.
inline bool AtWorkingScale(const double p[3][3], const double q[3][3]) {
  const double largest = LargestOf(LargestOf(LargestOf(LargestOf(LargestOf(0, p[1]), p[2]), q[0]), q[1]), q[2]);
  return largest <= 0x1p64 && (largest >= 0x1p-64 || largest == 0);
}

// Contact does not change when both triangles are scaled alike, and scaling by a power of two is
// exact: a pair beyond the working scale is tested at unit size. A shift that overflows is made
// again on the points scaled down by four. A coordinate that is not finite leaves nothing to tell
// apart: touching. Kept out of line, so that the common path keeps its registers to itself.
[[gnu::noinline]] int RescaledContact(const double* const points[6]) {
  const double pres[2] = {1.0, 0.25};
  for (double pre : pres) {
    double shifted[6][3];
    double largest = 0;
    bool finite = true;
    for (int k = 0; k < 6; k++)
      for (int i = 0; i < 3; i++) {
        shifted[k][i] = points[k][i] * pre - points[0][i] * pre;
        finite = finite && std::isfinite(shifted[k][i]);
        largest = std::fmax(largest, std::fabs(shifted[k][i]));
      }
    if (!finite) continue;
    if (largest == 0) return 1;
    int exponent;
    std::frexp(largest, &exponent);
    double p[3][3], q[3][3];
    for (int k = 0; k < 3; k++)
      for (int i = 0; i < 3; i++) {
        p[k][i] = std::ldexp(shifted[k][i], -exponent);
        q[k][i] = std::ldexp(shifted[3 + k][i], -exponent);
      }
    return ContactOfShifted(p, q);
  }
  return 1;
}

}  // namespace

int TrianglesContact(const double P1[3], const double P2[3], const double P3[3],
                     const double Q1[3], const double Q2[3], const double Q3[3]) {
  // Everything relative to P1 keeps the projections small and the rounding comparable.
  double p[3][3] = {{0, 0, 0}}, q[3][3];
  VecSub(p[1], P2, P1);
  VecSub(p[2], P3, P1);
  VecSub(q[0], Q1, P1);
  VecSub(q[1], Q2, P1);
  VecSub(q[2], Q3, P1);
  if (AtWorkingScale(p, q)) return ContactOfShifted(p, q);
  const double* const points[6] = {P1, P2, P3, Q1, Q2, Q3};
  return RescaledContact(points);
}
