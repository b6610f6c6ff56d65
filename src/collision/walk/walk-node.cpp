#include "walk/walk-node.h"

#include <cmath>
#include <limits>
#include <new>

float WalkHalf(double half) {
  return half >= 0 ? static_cast<float>(half) : std::numeric_limits<float>::quiet_NaN();
}

void FillWalkNodes(const BV bvs[], int count, WalkNode walk[]) {
  for (int n = 0; n < count; n++) {
    const BV& bv = bvs[n];
    WalkNode* node = new (&walk[n]) WalkNode;
    for (int k = 0; k < 3; k++) {
      for (int j = 0; j < 3; j++) node->rows[k][j] = bv.rotation[k][j];
      node->rows[k][3] = bv.box_center[k];
      node->half[k] = WalkHalf(bv.half_extents[k]);
    }
    node->half[3] = 0;
    node->size = bv.child_code < 0 ? 0.0 : BVSize(bv);
    node->child_code = bv.child_code;
  }
}
