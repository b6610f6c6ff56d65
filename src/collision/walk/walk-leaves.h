#pragma once
// What both versions of the tree walk share (baseline-walk.cpp, avx2-walk.cpp): the query's
// state and the triangle test at a pair of leaves. In an unnamed namespace, as everything of the
// walk (see walk-paths.h).
#include "bv.h"
#include "collide-result.h"
#include "cq-model.h"
#include "model-tri.h"
#include "walk/overlap.h"
#include "status.h"
#include "walk/walk-node.h"

namespace {

struct Query {
  CQ_CollideResult* result;
  const WalkNode* walk1;
  const WalkNode* walk2;
  const BV* bvs1;
  const BV* bvs2;
  const ModelTri* tris1;
  const ModelTri* tris2;
  int flag;
};

bool Stop(const Query& q) { return q.flag == StopAtFirstContact && q.result->num_pairs > 0; }

// M v + w, summed as MatVecAdd sums.
void Place(double out[3], const double M[3][3], const double v[3], const double w[3]) {
  for (int i = 0; i < 3; i++) out[i] = M[i][0] * v[0] + M[i][1] * v[1] + M[i][2] * v[2] + w[i];
}

// Tests the triangles of two leaves, given by their child codes, with contact, which gives
// TrianglesContact's answer.
template <class ContactTest>
void TestLeaves(const Query& q, int code1, int code2, ContactTest contact) {
  CQ_CollideResult& result = *q.result;
  result.tri_test_count++;
  const ModelTri& t1 = q.tris1[-(code1 + 1)];
  const ModelTri& t2 = q.tris2[-(code2 + 1)];
  // The second triangle in the first model's coordinates, from the stored model coordinates.
  double q1[3], q2[3], q3[3];
  Place(q1, result.rel_rotation, t2.vert1, result.rel_translation);
  Place(q2, result.rel_rotation, t2.vert2, result.rel_translation);
  Place(q3, result.rel_rotation, t2.vert3, result.rel_translation);
  if (contact(t1.vert1, t1.vert2, t1.vert3, q1, q2, q3)) result.AddPair(t1.id, t2.id);
}

Query Start(CQ_CollideResult* result, const CQ_Model* m1, const CQ_Model* m2, int flag) {
  return {result,       m1->walk_nodes(), m2->walk_nodes(), m1->bv_list(),
          m2->bv_list(), m1->tri_list(),   m2->tri_list(),   flag};
}

}  // namespace
