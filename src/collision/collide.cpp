#include "collide.h"

#include <chrono>
#include <cmath>

#include "box-axes.h"
#include "lane-pair.h"
#include "matrix.h"
#include "overlap.h"
#include "placement-check.h"

namespace {

// Wall clock in seconds, to the millisecond.
double WallSeconds() {
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                      std::chrono::system_clock::now().time_since_epoch())
                      .count();
  return static_cast<double>(ms / 1000) + static_cast<double>(ms % 1000) / 1000.0;
}

// Length of the swept rectangle's diagonal plus the sphere's diameter: decides which tree is
// descended.
inline double Size(const BV& bv) {
  return std::sqrt(bv.rect_lengths[0] * bv.rect_lengths[0] +
                   bv.rect_lengths[1] * bv.rect_lengths[1]) +
         2 * bv.radius;
}

// Size of an internal BV, computed when the traversal first needs it and handed down with it.
inline double SizeIfInternal(const BV& bv) { return bv.child_code >= 0 ? Size(bv) : 0.0; }

struct Query {
  CQ_CollideResult* result;
  const BV* bvs1;
  const BV* bvs2;
  const ModelTri* tris1;
  const ModelTri* tris2;
  int flag;
};

bool Stop(const Query& q) { return q.flag == StopAtFirstContact && q.result->num_pairs > 0; }

void TestLeaves(const Query& q, const BV& B1, const BV& B2) {
  CQ_CollideResult& result = *q.result;
  result.tri_test_count++;
  const ModelTri& t1 = q.tris1[-(B1.child_code + 1)];
  const ModelTri& t2 = q.tris2[-(B2.child_code + 1)];
  // The second triangle in the first model's coordinates, from the stored model coordinates.
  double q1[3], q2[3], q3[3];
  MatVecAdd(q1, result.rel_rotation, t2.vert1, result.rel_translation);
  MatVecAdd(q2, result.rel_rotation, t2.vert2, result.rel_translation);
  MatVecAdd(q3, result.rel_rotation, t2.vert3, result.rel_translation);
  if (TrianglesContact(t1.vert1, t1.vert2, t1.vert3, q1, q2, q3)) result.AddPair(t1.id, t2.id);
}

// The placements of a node's two children, one per lane, and their box half sides.
struct Children {
  Pair R[3][3];
  Pair T[3];
  Pair half[3];
};

// One lane of a Children block: the placement (R, T) of one pair of nodes, read in place.
struct Placement {
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
void PlaceFirstChildren(const BV& K0, const BV& K1, const Placement& p, Children& c) {
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
void PlaceSecondChildren(const BV& K0, const BV& K1, const Placement& p, Children& c) {
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
void CollideBelow(const Query& q, const Placement& p, int b1, double size1, int b2,
                  double size2) {
  const BV& B1 = q.bvs1[b1];
  const BV& B2 = q.bvs2[b2];
  const bool leaf1 = B1.child_code < 0;
  const bool leaf2 = B2.child_code < 0;
  if (leaf1 && leaf2) {
    TestLeaves(q, B1, B2);
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
    const Placement pc = {&c, lane};
    const double size = SizeIfInternal(kids[lane]);
    if (first)
      CollideBelow(q, pc, child + lane, size, b2, size2);
    else
      CollideBelow(q, pc, b1, size1, child + lane, size);
    if (Stop(q)) return;
  }
}

bool IsBuilt(const CQ_Model* model) {
  // A built model whose lists were released by a failed BeginModel has no tree to walk.
  return model->state == 2 && model->bv_count > 0;
}

}  // namespace

int CollideModels(CQ_CollideResult* result, const double R1[3][3], const double T1[3],
                  const CQ_Model* model1, const double R2[3][3], const double T2[3], const CQ_Model* model2,
                  int flag) {
  const double t0 = WallSeconds();
  if (!IsBuilt(model1) || !IsBuilt(model2)) return StatusModelNotBuilt;

  result->bv_test_count = 0;
  result->tri_test_count = 0;
  result->num_pairs = 0;

  // model2 in model1's coordinates: p -> rel_rotation p + rel_translation.
  double d[3];
  MatTransposeMul(result->rel_rotation, R1, R2);
  VecSub(d, T2, T1);
  MatTransposeVec(result->rel_translation, R1, d);
  if (!RelativePlacementIsFinite(result->rel_rotation, result->rel_translation))
    return StatusNonFinitePlacement;

  // The roots' rotation and box centre are in model coordinates: place root 2's box frame in
  // root 1's box frame.
  const BV& B1 = model1->bv_list[0];
  const BV& B2 = model2->bv_list[0];
  double R[3][3], T[3], c2[3];
  MatMul(R, result->rel_rotation, B2.rotation);
  MatTransposeMul(R, B1.rotation, R);
  MatVecAdd(c2, result->rel_rotation, B2.box_center, result->rel_translation);
  VecSub(d, c2, B1.box_center);
  MatTransposeVec(T, B1.rotation, d);

  const Query q = {result, model1->bv_list, model2->bv_list, model1->tri_list, model2->tri_list,
                   flag};
  result->bv_test_count++;
  if (!BoxesDisjoint(R, T, B1.half_extents, B2.half_extents)) {
    Children root;  // the roots' placement in lane 0
    for (int i = 0; i < 3; i++) {
      for (int j = 0; j < 3; j++) root.R[i][j][0] = R[i][j];
      root.T[i][0] = T[i];
    }
    CollideBelow(q, Placement{&root, 0}, 0, SizeIfInternal(B1), 0, SizeIfInternal(B2));
  }

  result->query_seconds = WallSeconds() - t0;
  return StatusOk;
}
