#include "build/build-hierarchy.h"

#include <utility>

#include "build/fit-bv.h"
#include "build/jacobi-eigen.h"
#include "matrix.h"

namespace {

// m times the covariance matrix of the run's 3 * count vertices. Only its eigenvectors and the
// ranking of its eigenvalues matter to the build.
void VertexCovariance(double M[3][3], const ModelTri run[], int count) {
  double S[3] = {0, 0, 0};
  double Sxx = 0, Syy = 0, Szz = 0, Sxy = 0, Sxz = 0, Syz = 0;
  for (int i = 0; i < count; i++) {
    const double* verts[3] = {run[i].vert1, run[i].vert2, run[i].vert3};
    for (const double* v : verts) {
      S[0] += v[0];
      S[1] += v[1];
      S[2] += v[2];
      Sxx += v[0] * v[0];
      Syy += v[1] * v[1];
      Szz += v[2] * v[2];
      Sxy += v[0] * v[1];
      Sxz += v[0] * v[2];
      Syz += v[1] * v[2];
    }
  }
  const double m = 3 * count;
  M[0][0] = Sxx - S[0] * S[0] / m;
  M[1][1] = Syy - S[1] * S[1] / m;
  M[2][2] = Szz - S[2] * S[2] / m;
  M[0][1] = Sxy - S[0] * S[1] / m;
  M[0][2] = Sxz - S[0] * S[2] / m;
  M[1][2] = Syz - S[1] * S[2] / m;
  M[1][0] = M[0][1];
  M[2][0] = M[0][2];
  M[2][1] = M[1][2];
}

void VertexCentroid(double mean[3], const ModelTri run[], int count) {
  // Vertex by vertex, as the covariance sums them.
  double S[3] = {0, 0, 0};
  for (int i = 0; i < count; i++) {
    const double* verts[3] = {run[i].vert1, run[i].vert2, run[i].vert3};
    for (const double* v : verts)
      for (int k = 0; k < 3; k++) S[k] += v[k];
  }
  const double m = 3.0 * count;
  for (int k = 0; k < 3; k++) mean[k] = S[k] / m;
}

// Moves the triangles whose centroid projects onto axis at or below c to the front of the run,
// in one pass, and returns how many there are; a split that would leave one side empty becomes
// the middle of the run's current order, so both sides are non-empty for count >= 2.
int PartitionTris(ModelTri run[], int count, const double axis[3], double c) {
  int k = 0;
  for (int i = 0; i < count; i++) {
    const ModelTri& t = run[i];
    const double x = ((t.vert1[0] + t.vert2[0] + t.vert3[0]) * axis[0] +
                      (t.vert1[1] + t.vert2[1] + t.vert3[1]) * axis[1] +
                      (t.vert1[2] + t.vert2[2] + t.vert3[2]) * axis[2]) / 3;
    if (x <= c) {
      std::swap(run[i], run[k]);
      k++;
    }
  }
  if (k == 0 || k == count) k = count / 2;
  return k;
}

// Orientation of a node: the eigenvectors of the largest and the middle eigenvalue of the
// vertex covariance, and their cross product. Ties rank by position as the comparisons fall.
void NodeOrientation(double R[3][3], const ModelTri run[], int count) {
  double M[3][3];
  VertexCovariance(M, run, count);
  // Set beforehand so that a decomposition that does not converge leaves defined values.
  double E[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
  double s[3] = {M[0][0], M[1][1], M[2][2]};
  JacobiEigen(E, s, M);

  int min, mid, max;
  if (s[0] > s[1]) {
    max = 0;
    min = 1;
  } else {
    min = 0;
    max = 1;
  }
  if (s[2] < s[min]) {
    mid = min;
    min = 2;
  } else if (s[2] > s[max]) {
    mid = max;
    max = 2;
  } else {
    mid = 2;
  }
  (void)min;  // the smallest spread's direction is the cross product below

  for (int i = 0; i < 3; i++) {
    R[i][0] = E[i][max];
    R[i][1] = E[i][mid];
  }
  R[0][2] = E[1][max] * E[2][mid] - E[1][mid] * E[2][max];
  R[1][2] = E[0][mid] * E[2][max] - E[0][max] * E[2][mid];
  R[2][2] = E[0][max] * E[1][mid] - E[0][mid] * E[1][max];
}

// The lists a build fills: the triangles it reorders and the BVs it numbers.
struct Tree {
  ModelTri* tris;
  BV* bvs;
  int bv_count;
};

// Builds BV b over the count triangles from position first of the triangle list. Children are
// numbered when their parent is built, before either is built: depth-first, siblings adjacent.
void BuildNode(Tree& model, int b, int first, int count) {
  ModelTri* run = model.tris + first;
  double R[3][3];
  NodeOrientation(R, run, count);
  BV& bv = model.bvs[b];
  FitBV(&bv, R, run, count);

  if (count == 1) {
    bv.child_code = -(first + 1);
    return;
  }
  const int child = model.bv_count;
  bv.child_code = child;
  model.bv_count += 2;

  // Split at the vertex centroid along the direction of largest spread.
  const double axis[3] = {R[0][0], R[1][0], R[2][0]};
  double mean[3];
  VertexCentroid(mean, run, count);
  const double c = axis[0] * mean[0] + axis[1] * mean[1] + axis[2] * mean[2];
  const int k = PartitionTris(run, count, axis, c);

  BuildNode(model, child, first, k);
  BuildNode(model, child + 1, first + k, count - k);
}

// Post-order, so that every child is converted while its parent still stands in model
// coordinates. Afterwards a point y of a node's box frame lies at rotation y + box_center in its
// parent's box frame.
void MakeParentRelative(const Tree& model, int b, const double parentR[3][3],
                        const double parentRect[3], const double parentBox[3]) {
  BV& bv = model.bvs[b];
  if (bv.child_code >= 0) {
    MakeParentRelative(model, bv.child_code, bv.rotation, bv.rect_origin, bv.box_center);
    MakeParentRelative(model, bv.child_code + 1, bv.rotation, bv.rect_origin, bv.box_center);
  }
  double d[3];
  MatTransposeMul(bv.rotation, parentR, bv.rotation);
  VecSub(d, bv.rect_origin, parentRect);
  MatTransposeVec(bv.rect_origin, parentR, d);
  VecSub(d, bv.box_center, parentBox);
  MatTransposeVec(bv.box_center, parentR, d);
}

}  // namespace

int BuildHierarchy(ModelTri tris[], int tri_count, BV bvs[]) {
  Tree tree{tris, bvs, 1};
  BuildNode(tree, 0, 0, tri_count);
  const double identity[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
  const double zero[3] = {0, 0, 0};
  MakeParentRelative(tree, 0, identity, zero, zero);
  return tree.bv_count;
}
