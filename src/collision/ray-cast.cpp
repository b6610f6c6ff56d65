#include "ray-cast.h"

#include <cmath>
#include <utility>
#include <vector>

#include "cq-model.h"
#include "matrix.h"

namespace {

// p in the frame whose axes are the columns of R and whose origin lies at c: R^T (p - c).
void IntoFrame(const double R[3][3], const double c[3], const double p[3], double out[3]) {
  const double d[3] = {p[0] - c[0], p[1] - c[1], p[2] - c[2]};
  for (int k = 0; k < 3; ++k) out[k] = R[0][k] * d[0] + R[1][k] * d[1] + R[2][k] * d[2];
}

// A ray expressed in one box's frame (origin at the box centre, axes the box's).
struct FramedRay {
  int node;
  double origin[3];
  double direction[3];
};

// Where the ray, in the box's own frame, enters the box of half sides h: the entry t, clamped to
// 0 when it starts inside; a negative value when it misses or the box lies behind it. The sides
// are padded by a billionth of the box's size, far above the rounding of the frames composed
// down the tree, so that a flat leaf box (a triangle has no thickness) is never missed by it.
double EntryIntoBox(const FramedRay& ray, const double h[3]) {
  const double size = std::fabs(h[0]) + std::fabs(h[1]) + std::fabs(h[2]) + 1.0;
  const double pad = 1e-9 * size;
  double enter = 0.0;
  double leave = HUGE_VAL;
  for (int k = 0; k < 3; ++k) {
    const double half = h[k] + pad;
    const double o = ray.origin[k];
    const double d = ray.direction[k];
    if (d == 0.0) {
      if (o < -half || o > half) return -1.0;
      continue;
    }
    double t0 = (-half - o) / d;
    double t1 = (half - o) / d;
    if (t0 > t1) std::swap(t0, t1);
    if (t0 > enter) enter = t0;
    if (t1 < leave) leave = t1;
    if (enter > leave) return -1.0;
  }
  return enter;
}

}  // namespace

double RayMeetsTriangle(const double origin[3], const double direction[3], const double v0[3], const double v1[3],
                        const double v2[3]) {
  const double e1[3] = {v1[0] - v0[0], v1[1] - v0[1], v1[2] - v0[2]};
  const double e2[3] = {v2[0] - v0[0], v2[1] - v0[1], v2[2] - v0[2]};
  double p[3];
  VecCross(p, direction, e2);
  const double det = VecDot(e1, p);
  if (det == 0.0) return -1.0;
  const double inv = 1.0 / det;
  const double s[3] = {origin[0] - v0[0], origin[1] - v0[1], origin[2] - v0[2]};
  // Barycentric coordinates (u, v) of the crossing of the triangle's plane.
  const double u = VecDot(s, p) * inv;
  if (u < 0.0 || u > 1.0) return -1.0;
  double q[3];
  VecCross(q, s, e1);
  const double v = VecDot(direction, q) * inv;
  if (v < 0.0 || u + v > 1.0) return -1.0;
  const double t = VecDot(e2, q) * inv;
  return t > 0.0 ? t : -1.0;
}

bool CastRay(const CQ_Model& model, const double R[3][3], const double T[3], const double origin[3],
             const double direction[3], double& nearest, int& triangle) {
  if (!model.IsBuilt()) return false;
  const BV* bvs = model.bv_list();
  // The ray in model coordinates: a model point p lies at R p + T.
  double model_origin[3], model_direction[3];
  IntoFrame(R, T, origin, model_origin);
  const double zero[3] = {0, 0, 0};
  IntoFrame(R, zero, direction, model_direction);

  bool found = false;
  std::vector<FramedRay> stack;
  stack.reserve(64);
  // Each node's rotation and box centre place it in its parent's box frame, the root's in the
  // model frame.
  FramedRay root{0, {}, {}};
  IntoFrame(bvs[0].rotation, bvs[0].box_center, model_origin, root.origin);
  IntoFrame(bvs[0].rotation, zero, model_direction, root.direction);
  stack.push_back(root);
  while (!stack.empty()) {
    const FramedRay ray = stack.back();
    stack.pop_back();
    const BV& bv = bvs[ray.node];
    const double entry = EntryIntoBox(ray, bv.half_extents);
    if (entry < 0.0 || entry >= nearest) continue;
    if (bv.child_code < 0) {
      const ModelTri& tri = model.tri_list()[-(bv.child_code + 1)];
      const double t = RayMeetsTriangle(model_origin, model_direction, tri.vert1, tri.vert2, tri.vert3);
      if (t > 0.0 && t < nearest) {
        nearest = t;
        triangle = tri.id;
        found = true;
      }
      continue;
    }
    for (int c = 0; c < 2; ++c) {
      const BV& child = bvs[bv.child_code + c];
      FramedRay down{bv.child_code + c, {}, {}};
      IntoFrame(child.rotation, child.box_center, ray.origin, down.origin);
      IntoFrame(child.rotation, zero, ray.direction, down.direction);
      stack.push_back(down);
    }
  }
  return found;
}
