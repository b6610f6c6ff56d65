#pragma once
// The collision query written the plain way, which the tests hold the library's walk to and the
// collision benchmark gathers its box pairs with.
#include <cmath>
#include <functional>
#include <utility>
#include <vector>

#include "collision/cq.h"
#include "collision/matrix.h"
#include "collision/walk/overlap.h"

// The query written the plain way: one recursive call per visited pair of nodes, the box test
// of every visit made by BoxesDisjoint, the child placements by the matrix helpers. The library
// computes the same things in another arrangement; both must agree visit for visit.
struct PlainQuery {
  PlainQuery(const CQ_Model* model1, const CQ_Model* model2, int query_flag)
      : m1(model1), m2(model2), flag(query_flag) {}

  const CQ_Model* m1;
  const CQ_Model* m2;
  int flag;
  int bv_tests = 0;
  int tri_tests = 0;
  std::vector<std::pair<int, int>> pairs;
  double rel_rotation[3][3] = {};
  double rel_translation[3] = {};
  // When set, told of every visit: the placement and the two BVs whose boxes are tested.
  std::function<void(const double R[3][3], const double T[3], const BV& B1, const BV& B2)> on_visit;

  static double Size(const BV& bv) {
    return std::sqrt(bv.rect_lengths[0] * bv.rect_lengths[0] +
                     bv.rect_lengths[1] * bv.rect_lengths[1]) +
           2 * bv.radius;
  }

  bool Stopped() const { return flag == StopAtFirstContact && !pairs.empty(); }

  void Nodes(const double R[3][3], const double T[3], int b1, int b2) {
    bv_tests++;
    const BV& B1 = m1->bv_list()[b1];
    const BV& B2 = m2->bv_list()[b2];
    if (on_visit) on_visit(R, T, B1, B2);
    if (BoxesDisjoint(R, T, B1.half_extents, B2.half_extents)) return;
    const bool leaf1 = B1.child_code < 0, leaf2 = B2.child_code < 0;
    if (leaf1 && leaf2) {
      tri_tests++;
      const ModelTri& t1 = m1->tri_list()[-(B1.child_code + 1)];
      const ModelTri& t2 = m2->tri_list()[-(B2.child_code + 1)];
      double q1[3], q2[3], q3[3];
      MatVecAdd(q1, rel_rotation, t2.vert1, rel_translation);
      MatVecAdd(q2, rel_rotation, t2.vert2, rel_translation);
      MatVecAdd(q3, rel_rotation, t2.vert3, rel_translation);
      if (TrianglesContact(t1.vert1, t1.vert2, t1.vert3, q1, q2, q3)) pairs.push_back({t1.id, t2.id});
      return;
    }
    double Rc[3][3], Tc[3], d[3];
    if (leaf2 || (!leaf1 && Size(B1) > Size(B2))) {
      for (int c = B1.child_code; c <= B1.child_code + 1; c++) {
        const BV& K = m1->bv_list()[c];
        MatTransposeMul(Rc, K.rotation, R);
        VecSub(d, T, K.box_center);
        MatTransposeVec(Tc, K.rotation, d);
        Nodes(Rc, Tc, c, b2);
        if (Stopped()) return;
      }
    } else {
      for (int c = B2.child_code; c <= B2.child_code + 1; c++) {
        const BV& K = m2->bv_list()[c];
        MatMul(Rc, R, K.rotation);
        MatVecAdd(Tc, R, K.box_center, T);
        Nodes(Rc, Tc, b1, c);
        if (Stopped()) return;
      }
    }
  }

  void Run(const double R1[3][3], const double T1[3], const double R2[3][3], const double T2[3]) {
    double d[3], R[3][3], T[3], c2[3];
    MatTransposeMul(rel_rotation, R1, R2);
    VecSub(d, T2, T1);
    MatTransposeVec(rel_translation, R1, d);
    const BV& B1 = m1->bv_list()[0];
    const BV& B2 = m2->bv_list()[0];
    MatMul(R, rel_rotation, B2.rotation);
    MatTransposeMul(R, B1.rotation, R);
    MatVecAdd(c2, rel_rotation, B2.box_center, rel_translation);
    VecSub(d, c2, B1.box_center);
    MatTransposeVec(T, B1.rotation, d);
    Nodes(R, T, 0, 0);
  }
};
