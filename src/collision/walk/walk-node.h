#pragma once
// The tree walk's copy of one BV: what the query reads at every visit, laid out for its vector
// code, so that a visit reads two cache lines per child and loads whole rows instead of
// assembling them. A built model holds one per BV, in the same order, next to its BV list.
#include <cmath>

#include "bv.h"

// The size of a BV that decides which tree the walk descends: the length of its swept
// rectangle's diagonal plus its sphere's diameter. Both walks and the walk nodes compute it
// here, so that every descent compares the same doubles.
inline double BVSize(const BV& bv) {
  return std::sqrt(bv.rect_lengths[0] * bv.rect_lengths[0] + bv.rect_lengths[1] * bv.rect_lengths[1]) +
         2 * bv.radius;
}

struct WalkNode {
  // Row k of the BV's rotation (relative to its parent, as in the BV) in entries 0-2, and
  // component k of its box_center in entry 3.
  alignas(32) double rows[3][4];
  float half[4];    // WalkHalf of each of half_extents, entry 3 zero
  double size;      // the swept rectangle's diagonal plus the sphere's diameter; 0 for a leaf
  int child_code;   // as the BV's
};

// A half side as the walk's float box test takes it: rounded to float, and NaN where it is
// negative (as NaN stays), which the test hands to the double test.
float WalkHalf(double half);

// Fills walk[0 .. count) from the count BVs of a built tree.
void FillWalkNodes(const BV bvs[], int count, WalkNode walk[]);
