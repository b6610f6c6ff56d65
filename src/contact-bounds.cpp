#include "contact-bounds.h"

#include <cmath>
#include <initializer_list>
#include <limits>

#include "collision/cq.h"
#include "collision/matrix.h"

namespace {

double Norm(const double a[3]) { return std::sqrt(VecDot(a, a)); }

// Squared distance from p to the segment (a, b).
double SquaredDistanceToSegment(const double p[3], const double a[3], const double b[3]) {
  double ab[3], ap[3];
  VecSub(ab, b, a);
  VecSub(ap, p, a);
  const double length2 = VecDot(ab, ab);
  double t = length2 > 0 ? VecDot(ap, ab) / length2 : 0;
  t = t < 0 ? 0 : (t > 1 ? 1 : t);
  double d[3];
  for (int k = 0; k < 3; ++k) d[k] = ap[k] - t * ab[k];
  return VecDot(d, d);
}

// Squared distance from p to the triangle (a, b, c), never more than the true one by more than
// rounding: the nearest of its three edges, or its plane where p projects inside it. Points that
// project just outside (within a billionth) also take the plane's distance, which can only be
// smaller. A triangle of zero area is its edges.
double SquaredDistanceToTriangle(const double p[3], const double a[3], const double b[3], const double c[3]) {
  double best = SquaredDistanceToSegment(p, a, b);
  for (double edge : {SquaredDistanceToSegment(p, b, c), SquaredDistanceToSegment(p, c, a)})
    if (edge < best) best = edge;
  double ab[3], ac[3], n[3];
  VecSub(ab, b, a);
  VecSub(ac, c, a);
  VecCross(n, ab, ac);
  const double nn = VecDot(n, n);
  if (!(nn > 0)) return best;
  const double* corners[3] = {a, b, c};
  for (int k = 0; k < 3; ++k) {
    double edge[3], to_p[3], side[3];
    VecSub(edge, corners[(k + 1) % 3], corners[k]);
    VecSub(to_p, p, corners[k]);
    VecCross(side, edge, to_p);
    if (VecDot(n, side) < -1e-9 * nn) return best;  // projects outside this edge
  }
  double ap[3];
  VecSub(ap, p, a);
  const double height = VecDot(ap, n);
  const double plane = height * height / nn;
  return plane < best ? plane : best;
}

bool AllFinite(const double v[3]) { return std::isfinite(v[0]) && std::isfinite(v[1]) && std::isfinite(v[2]); }

}  // namespace

double RotationError(const double R[3][3]) {
  double G[3][3];
  MatTransposeMul(G, R, R);
  double worst = 0;
  for (int i = 0; i < 3; ++i) {
    double row = 0;
    for (int j = 0; j < 3; ++j) row += std::fabs(G[i][j] - (i == j ? 1.0 : 0.0));
    if (!(row <= worst)) worst = row;  // a NaN row wins, and stays NaN
  }
  return std::isfinite(worst) ? worst : std::numeric_limits<double>::infinity();
}

// The query places model 2's triangles into model 1's coordinates with R1^T (R2 v + T2 - T1). In
// the world the two meshes lie within (1 + e) r of their placed centres, e being each rotation's
// error; carried back by R1^T, distances shrink at most to sqrt(1 - e1) of themselves and model
// 1's own points are off by E1 p, |E1 p| <= e1 (|c1| + r1). So a world gap between the balls of
// more than those terms (doubled, for e up to a half, and for either model taken first) is a gap
// in the query's coordinates too. The millionth of the coordinates' size on top exceeds the
// query's rounding by ten orders of magnitude. Rotations further from one than that are not
// trusted at all.
bool BallsApart(const PlacedBall& a, const PlacedBall& b) {
  if (!(a.rotation_error <= 0.5 && b.rotation_error <= 0.5)) return false;
  double d[3];
  VecSub(d, a.center, b.center);
  const double size = std::fabs(a.center[0]) + std::fabs(a.center[1]) + std::fabs(a.center[2]) +
                      std::fabs(b.center[0]) + std::fabs(b.center[1]) + std::fabs(b.center[2]) + a.radius +
                      b.radius + 1.0;
  const double reach = (1 + a.rotation_error) * a.radius + (1 + b.rotation_error) * b.radius +
                       2 * (a.rotation_error * (a.offset + a.radius) + b.rotation_error * (b.offset + b.radius)) +
                       1e-6 * size;
  return VecDot(d, d) > reach * reach;  // false for anything not finite
}

bool BallClearOfTriangles(const double center[3], double radius, const Placement& p1, const CQ_Model& model2,
                          const Placement& p2) {
  if (!model2.IsBuilt() || model2.tri_count() > kMaxScannedTriangles) return false;
  if (!AllFinite(center) || !std::isfinite(radius)) return false;
  double rel_rotation[3][3], rel_translation[3], d[3];
  MatTransposeMul(rel_rotation, p1.R, p2.R);
  VecSub(d, p2.T, p1.T);
  MatTransposeVec(rel_translation, p1.R, d);
  for (int i = 0; i < model2.tri_count(); ++i) {
    const ModelTri& t = model2.tri_list()[i];
    double q1[3], q2[3], q3[3];
    MatVecAdd(q1, rel_rotation, t.vert1, rel_translation);
    MatVecAdd(q2, rel_rotation, t.vert2, rel_translation);
    MatVecAdd(q3, rel_rotation, t.vert3, rel_translation);
    if (!AllFinite(q1) || !AllFinite(q2) || !AllFinite(q3)) return false;
    // Rounding of the distance is relative to the points' size; a millionth of it covers it.
    const double size = Norm(center) + Norm(q1) + Norm(q2) + Norm(q3) + radius + 1.0;
    const double reach = radius + 1e-6 * size;
    if (!(SquaredDistanceToTriangle(center, q1, q2, q3) > reach * reach)) return false;
  }
  return true;
}
