// The tree walk with the single-precision box test, compiled with AVX2 (the build gives this file
// -mavx2 and no fused multiply-add, which would round the placements differently). Nothing here
// may run before the processor is known to have AVX2: the choice is made in walk-paths.cpp,
// compiled for the baseline. Everything is in an unnamed namespace and calls only out-of-line functions of the library, so
// no function compiled for AVX2 can stand in for a baseline one at link time.
//
// At a visited pair of nodes whose boxes overlap, the walk places both children of the node it
// descends (in double precision, exactly as the matrix helpers would, so each placement is the
// one a plain recursive walk computes), tests both children's boxes at once in single precision
// (box-classify.h), eight float lanes to a register, hands the few undecided ones to the double
// test, and then visits the children in turn, first child first. It reads the model's walk
// nodes (walk-node.h), laid out for these loads.
#include "walk/box-classify.h"
#include "cq-model.h"
#include "walk/vector-lanes.h"
#include "walk/walk-leaves.h"
#include "walk/walk-paths.h"
#include "walk/walk-node.h"

namespace {

// Node 2's box frame placed in node 1's: a point y of node 2's frame lies at R y + T. Rows of R
// and T are vectors; nothing reads their padding lanes.
struct NodePlacement {
  D4 R[3];
  D4 T;
};

// Row k of a node's rotation in lanes 0-2, component k of its box centre in lane 3.
D4 Row(const WalkNode& node, int k) {
  D4 row;
  __builtin_memcpy(&row, node.rows[k], sizeof row);
  return row;
}

// A node's half sides; those of two sibling nodes side by side; those of one node twice.
F4 Half(const WalkNode& node) {
  F4 half;
  __builtin_memcpy(&half, node.half, sizeof half);
  return half;
}
F8 Halves(const WalkNode kids[2]) { return Concat(Half(kids[0]), Half(kids[1])); }
F8 HalvesTwice(const WalkNode& node) { return Concat(Half(node), Half(node)); }

// Children K of the first model's node, whose rotation and centre are relative to it, with p
// placing the second model's node in the parent's box frame: R' = K.rotation^T R and
// T' = K.rotation^T (T - K.box_center), each entry summed as MatTransposeMul, VecSub and
// MatTransposeVec compute it.
void PlaceFirstChildren(const WalkNode kids[2], const NodePlacement& __restrict__ p,
                        NodePlacement* __restrict__ const c[2]) {
  for (int k = 0; k < 2; k++) {
    const WalkNode& K = kids[k];
    for (int i = 0; i < 3; i++)
      c[k]->R[i] = Splat(K.rows[0][i]) * p.R[0] + Splat(K.rows[1][i]) * p.R[1] +
                   Splat(K.rows[2][i]) * p.R[2];
    const D4 d0 = Splat(p.T[0]) - Splat(K.rows[0][3]), d1 = Splat(p.T[1]) - Splat(K.rows[1][3]),
             d2 = Splat(p.T[2]) - Splat(K.rows[2][3]);
    c[k]->T = Row(K, 0) * d0 + Row(K, 1) * d1 + Row(K, 2) * d2;
  }
}

// Children K of the second model's node: R' = R K.rotation and T' = R K.box_center + T, summed
// as MatMul and MatVecAdd sum them.
void PlaceSecondChildren(const WalkNode kids[2], const NodePlacement& __restrict__ p,
                         NodePlacement* __restrict__ const c[2]) {
  const D4 column0 = {p.R[0][0], p.R[1][0], p.R[2][0], 0.0};
  const D4 column1 = {p.R[0][1], p.R[1][1], p.R[2][1], 0.0};
  const D4 column2 = {p.R[0][2], p.R[1][2], p.R[2][2], 0.0};
  for (int k = 0; k < 2; k++) {
    const WalkNode& K = kids[k];
    const D4 K0 = Row(K, 0), K1 = Row(K, 1), K2 = Row(K, 2);
    for (int i = 0; i < 3; i++)
      c[k]->R[i] = Splat(p.R[i][0]) * K0 + Splat(p.R[i][1]) * K1 + Splat(p.R[i][2]) * K2;
    c[k]->T = column0 * Splat(K.rows[0][3]) + column1 * Splat(K.rows[1][3]) +
              column2 * Splat(K.rows[2][3]) + p.T;
  }
}

// The double test on child c's placement: the final word where single precision cannot tell.
bool DisjointInDouble(const NodePlacement& c, const double a[3], const double b[3]) {
  double R[3][3], T[3];
  for (int i = 0; i < 3; i++) {
    for (int j = 0; j < 3; j++) R[i][j] = c.R[i][j];
    T[i] = c.T[i];
  }
  return BoxesDisjoint(R, T, a, b) != 0;
}

// Goes on below a visited node pair (b1, b2) whose boxes overlap, p placing b2's box frame in
// b1's: tests the triangles of two leaves, or visits both children of the larger node (the
// second model's when the sizes are equal), first child first. Both children's box tests are
// made before the first child is gone into; each child's visit is still counted, and the second
// child visited, only in turn.
int CollideBelow(const Query& q, const NodePlacement& p, int b1, int b2) {
  const WalkNode& N1 = q.walk1[b1];
  const WalkNode& N2 = q.walk2[b2];
  const bool leaf1 = N1.child_code < 0;
  const bool leaf2 = N2.child_code < 0;
  if (leaf1 && leaf2) {
    TestLeaves(q, N1.child_code, N2.child_code);
    return 0;
  }

  const bool first = leaf2 || (!leaf1 && N1.size > N2.size);
  const int child = first ? N1.child_code : N2.child_code;
  const WalkNode* kids = first ? &q.walk1[child] : &q.walk2[child];
  NodePlacement c[2];
  NodePlacement* const places[2] = {&c[0], &c[1]};
  if (first)
    PlaceFirstChildren(kids, p, places);
  else
    PlaceSecondChildren(kids, p, places);

  // The children are box 1 when the first model is descended, box 2 otherwise.
  const F8 B[3] = {Join(c[0].R[0], c[1].R[0]), Join(c[0].R[1], c[1].R[1]),
                   Join(c[0].R[2], c[1].R[2])};
  const F8 T = Join(c[0].T, c[1].T);
  const F8 halves = Halves(kids);
  F8 a, b, a0, a1, a2;
  if (first) {
    a = halves;
    b = HalvesTwice(N2);
    a0 = Component<0>(halves);
    a1 = Component<1>(halves);
    a2 = Component<2>(halves);
  } else {
    a = HalvesTwice(N1);
    b = halves;
    a0 = Splat(N1.half[0]);
    a1 = Splat(N1.half[1]);
    a2 = Splat(N1.half[2]);
  }
  const BoxLanes lanes = ClassifyBoxes(B, T, a, b, a0, a1, a2);

  int visits = 0;
  for (int lane = 0; lane < 2; lane++) {
    visits++;
    bool apart = Apart(lanes, lane);
    if (!Proved(lanes, lane)) {
      const BV* bvs = first ? q.bvs1 : q.bvs2;
      const double* half = bvs[child + lane].half_extents;
      const double* other_half = first ? q.bvs2[b2].half_extents : q.bvs1[b1].half_extents;
      apart = first ? DisjointInDouble(c[lane], half, other_half)
                    : DisjointInDouble(c[lane], other_half, half);
    }
    if (apart) continue;
    if (first)
      visits += CollideBelow(q, c[lane], child + lane, b2);
    else
      visits += CollideBelow(q, c[lane], b1, child + lane);
    if (Stop(q)) return visits;
  }
  return visits;
}

// WalkPath::walk.
void Walk(CQ_CollideResult* result, const CQ_Model* m1, const CQ_Model* m2, int flag,
          const double R[3][3], const double T[3]) {
  const Query q = Start(result, m1, m2, flag);
  const NodePlacement roots = {{Load3(R[0]), Load3(R[1]), Load3(R[2])}, Load3(T)};
  result->bv_test_count += CollideBelow(q, roots, 0, 0);
}

// WalkPath::classify: the walk's box test on box pairs given in double precision.
int Classify(const double B[2][3][3], const double T[2][3], const double a[2][3],
             const double b[2][3]) {
  F8 rows[3], halves[2];
  for (int i = 0; i < 3; i++) rows[i] = Join(Load3(B[0][i]), Load3(B[1][i]));
  for (int k = 0; k < 2; k++) {
    const double* half = k == 0 ? a[0] : b[0];
    const double* other = k == 0 ? a[1] : b[1];
    // Float to double and back is exact.
    halves[k] = Join(D4{WalkHalf(half[0]), WalkHalf(half[1]), WalkHalf(half[2]), 0},
                     D4{WalkHalf(other[0]), WalkHalf(other[1]), WalkHalf(other[2]), 0});
  }
  const BoxLanes lanes =
      ClassifyBoxes(rows, Join(Load3(T[0]), Load3(T[1])), halves[0], halves[1],
                    Component<0>(halves[0]), Component<1>(halves[0]), Component<2>(halves[0]));
  int outcome = 0;
  for (int c = 0; c < 2; c++) {
    if (!Proved(lanes, c))
      outcome |= 4 << c;
    else if (Apart(lanes, c))
      outcome |= 1 << c;
  }
  return outcome;
}

}  // namespace

extern const WalkPath kAvx2Path;
const WalkPath kAvx2Path = {"avx2", Walk, Classify};
