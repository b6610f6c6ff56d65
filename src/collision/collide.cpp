#include "collide.h"

#include <chrono>
#include <cmath>

#include "matrix.h"
#include "overlap.h"

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

struct Query {
  CQ_CollideResult* result;
  const CQ_Model* m1;
  const CQ_Model* m2;
  int flag;
};

void TestLeaves(const Query& q, const BV& B1, const BV& B2) {
  CQ_CollideResult& result = *q.result;
  result.tri_test_count++;
  const ModelTri& t1 = q.m1->tri_list[-(B1.child_code + 1)];
  const ModelTri& t2 = q.m2->tri_list[-(B2.child_code + 1)];
  // The second triangle in the first model's coordinates, from the stored model coordinates.
  double q1[3], q2[3], q3[3];
  MatVecAdd(q1, result.rel_rotation, t2.vert1, result.rel_translation);
  MatVecAdd(q2, result.rel_rotation, t2.vert2, result.rel_translation);
  MatVecAdd(q3, result.rel_rotation, t2.vert3, result.rel_translation);
  if (TrianglesContact(t1.vert1, t1.vert2, t1.vert3, q1, q2, q3)) result.AddPair(t1.id, t2.id);
}

// (R, T) places BV b2 of the second model in the box frame of BV b1 of the first.
void CollideNodes(const Query& q, const double R[3][3], const double T[3], int b1, int b2) {
  CQ_CollideResult& result = *q.result;
  result.bv_test_count++;
  const BV& B1 = q.m1->bv_list[b1];
  const BV& B2 = q.m2->bv_list[b2];
  if (BoxesDisjoint(R, T, B1.half_extents, B2.half_extents)) return;

  const bool leaf1 = B1.child_code < 0;
  const bool leaf2 = B2.child_code < 0;
  if (leaf1 && leaf2) {
    TestLeaves(q, B1, B2);
    return;
  }

  double Rc[3][3], Tc[3];
  if (leaf2 || (!leaf1 && Size(B1) > Size(B2))) {
    // Descend the first tree: a child's rotation and centre are relative to B1.
    for (int c = B1.child_code; c <= B1.child_code + 1; c++) {
      const BV& K = q.m1->bv_list[c];
      double d[3];
      MatTransposeMul(Rc, K.rotation, R);
      VecSub(d, T, K.box_center);
      MatTransposeVec(Tc, K.rotation, d);
      CollideNodes(q, Rc, Tc, c, b2);
      if (q.flag == StopAtFirstContact && result.num_pairs > 0) return;
    }
  } else {
    for (int c = B2.child_code; c <= B2.child_code + 1; c++) {
      const BV& K = q.m2->bv_list[c];
      MatMul(Rc, R, K.rotation);
      MatVecAdd(Tc, R, K.box_center, T);
      CollideNodes(q, Rc, Tc, b1, c);
      if (q.flag == StopAtFirstContact && result.num_pairs > 0) return;
    }
  }
}

bool IsBuilt(const CQ_Model* model) {
  // A built model whose lists were released by a failed BeginModel has no tree to walk.
  return model->state == 2 && model->bv_count > 0;
}

}  // namespace

int CollideModels(CQ_CollideResult* result, const double R1[3][3], const double T1[3],
                  CQ_Model* model1, const double R2[3][3], const double T2[3], CQ_Model* model2,
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

  CollideNodes(Query{result, model1, model2, flag}, R, T, 0, 0);

  result->query_seconds = WallSeconds() - t0;
  return StatusOk;
}
