// The tree walk with the double-precision box test, both children of a node side by side in
// the two lanes of a Pair (lane-pair.h): the baseline path, for the processor's baseline
// instruction set (SSE2 on x86-64) and for every processor without AVX2. Each lane
// computes exactly what BoxesDisjoint computes, so no bound is needed. On 128-bit registers this
// is the faster way: a float lane holds four values where a double lane holds two, but the
// single-precision test does more than twice the work (all 15 axes, and its bound), so it pays
// only with the eight float lanes of AVX (avx2-walk.cpp).
//
// In an unnamed namespace, as everything of the walk (see walk-paths.h).
#include <cmath>

#include "walk/lane-pair.h"  // before box-axes.h, whose template finds Abs(Pair) through it
#include "walk/box-axes.h"
#include "bv.h"
#include "cq-model.h"
#include "walk/walk-leaves.h"
#include "walk/walk-paths.h"

namespace {

// Size of an internal BV, computed when the walk first needs it and handed down with it.
inline double SizeIfInternal(const BV& bv) { return bv.child_code >= 0 ? BVSize(bv) : 0.0; }

// The placements of a node's two children, one per lane, and their box half sides.
struct Children {
  Pair R[3][3];
  Pair T[3];
  Pair half[3];
};

// One lane of a Children block: the placement (R, T) of one pair of nodes, read in place.
struct NodePlacement {
  const Children* block;
  int lane;
  double R(int i, int j) const { return block->R[i][j][lane]; }
  double T(int i) const { return block->T[i][lane]; }
};

inline Pair Lanes(double first, double second) { return Pair{first, second}; }

void LoadChildren(const BV& K0, const BV& K1, Pair rotation[3][3], Pair center[3], Pair half[3]) {
  for (int i = 0; i < 3; i++) {
    for (int j = 0; j < 3; j++) rotation[i][j] = Lanes(K0.rotation[i][j], K1.rotation[i][j]);
    center[i] = Lanes(K0.box_center[i], K1.box_center[i]);
    half[i] = Lanes(K0.half_extents[i], K1.half_extents[i]);
  }
}

// Children K of the first model's node, whose rotation and centre are relative to it, with
// (R, T) placing the second model's node in the parent's box frame:
// Rc = K.rotation^T R and Tc = K.rotation^T (T - K.box_center), as MatTransposeMul,
// VecSub and MatTransposeVec compute them.
void PlaceFirstChildren(const BV& K0, const BV& K1, const NodePlacement& p, Children& c) {
  Pair K[3][3], center[3];
  LoadChildren(K0, K1, K, center, c.half);
  for (int i = 0; i < 3; i++)
    for (int j = 0; j < 3; j++)
      c.R[i][j] = K[0][i] * p.R(0, j) + K[1][i] * p.R(1, j) + K[2][i] * p.R(2, j);
  Pair d[3];
  for (int k = 0; k < 3; k++) d[k] = p.T(k) - center[k];
  for (int i = 0; i < 3; i++) c.T[i] = K[0][i] * d[0] + K[1][i] * d[1] + K[2][i] * d[2];
}

// Children K of the second model's node: Rc = R K.rotation and Tc = R K.box_center + T, as
// MatMul and MatVecAdd compute them.
void PlaceSecondChildren(const BV& K0, const BV& K1, const NodePlacement& p, Children& c) {
  Pair K[3][3], center[3];
  LoadChildren(K0, K1, K, center, c.half);
  for (int i = 0; i < 3; i++)
    for (int j = 0; j < 3; j++)
      c.R[i][j] = p.R(i, 0) * K[0][j] + p.R(i, 1) * K[1][j] + p.R(i, 2) * K[2][j];
  for (int i = 0; i < 3; i++)
    c.T[i] = p.R(i, 0) * center[0] + p.R(i, 1) * center[1] + p.R(i, 2) * center[2] + p.T(i);
}

// Which of the two children's boxes are disjoint from the other node's box (half sides a or b,
// the same for both lanes): bit 0 for the first child, bit 1 for the second. The answers are
// those of BoxesDisjoint. The edge axes are skipped once both children are separated.
int SeparatedChildren(const Pair B[3][3], const Pair T[3], const Pair a[3], const Pair b[3]) {
  PairMask separated = {0, 0};
  RunBoxAxes(B, T, a, b, [&separated](int k, PairMask separates) {
    separated |= separates;
    return k == 6 && separated[0] && separated[1];
  });
  return (separated[0] ? 1 : 0) | (separated[1] ? 2 : 0);
}

void Broadcast(const double v[3], Pair out[3]) {
  for (int i = 0; i < 3; i++) out[i] = Lanes(v[i], v[i]);
}

// Goes on below a visited pair of nodes, BV b1 of the first model and BV b2 of the second, whose
// boxes overlap, p placing b2's box frame in b1's: tests the triangles of two leaves, or
// visits the two children of the larger node, first child first. size1 and size2 are the sizes
// of b1 and b2 when internal.
//
// Both children's box tests are computed together, one per lane, before the first child is gone
// into; each child's visit is still counted, and the second child visited, only in turn.
void CollideBelow(const Query& q, const NodePlacement& p, int b1, double size1, int b2,
                  double size2) {
  const BV& B1 = q.bvs1[b1];
  const BV& B2 = q.bvs2[b2];
  const bool leaf1 = B1.child_code < 0;
  const bool leaf2 = B2.child_code < 0;
  if (leaf1 && leaf2) {
    TestLeaves(q, B1.child_code, B2.child_code);
    return;
  }

  Children c;
  Pair other[3];
  int separated;
  const bool first = leaf2 || (!leaf1 && size1 > size2);
  const int child = first ? B1.child_code : B2.child_code;
  const BV* kids = first ? &q.bvs1[child] : &q.bvs2[child];
  if (first) {
    PlaceFirstChildren(kids[0], kids[1], p, c);
    Broadcast(B2.half_extents, other);
    separated = SeparatedChildren(c.R, c.T, c.half, other);
  } else {
    PlaceSecondChildren(kids[0], kids[1], p, c);
    Broadcast(B1.half_extents, other);
    separated = SeparatedChildren(c.R, c.T, other, c.half);
  }

  for (int lane = 0; lane < 2; lane++) {
    q.result->bv_test_count++;
    if (separated & (1 << lane)) continue;
    const NodePlacement pc = {&c, lane};
    const double size = SizeIfInternal(kids[lane]);
    if (first)
      CollideBelow(q, pc, child + lane, size, b2, size2);
    else
      CollideBelow(q, pc, b1, size1, child + lane, size);
    if (Stop(q)) return;
  }
}

// WalkPath::walk.
void Walk(CQ_CollideResult* result, const CQ_Model* m1, const CQ_Model* m2, int flag,
          const double R[3][3], const double T[3]) {
  const Query q = Start(result, m1, m2, flag);
  Children root;  // the roots' placement in lane 0
  for (int i = 0; i < 3; i++) {
    for (int j = 0; j < 3; j++) root.R[i][j][0] = R[i][j];
    root.T[i][0] = T[i];
  }
  CollideBelow(q, NodePlacement{&root, 0}, 0, SizeIfInternal(m1->bv_list()[0]), 0,
               SizeIfInternal(m2->bv_list()[0]));
}

// WalkPath::classify: the double test on each pair, side by side; never undecided.
int Classify(const double B[2][3][3], const double T[2][3], const double a[2][3],
             const double b[2][3]) {
  Pair rows[3][3], center[3], half1[3], half2[3];
  for (int i = 0; i < 3; i++) {
    for (int j = 0; j < 3; j++) rows[i][j] = Lanes(B[0][i][j], B[1][i][j]);
    center[i] = Lanes(T[0][i], T[1][i]);
    half1[i] = Lanes(a[0][i], a[1][i]);
    half2[i] = Lanes(b[0][i], b[1][i]);
  }
  return SeparatedChildren(rows, center, half1, half2);
}

}  // namespace

const WalkPath& BaselinePath() {
  static const WalkPath path = {"baseline", Walk, Classify};
  return path;
}
