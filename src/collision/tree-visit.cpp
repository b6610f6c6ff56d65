#include "tree-visit.h"

#include <vector>

#include "cq-model.h"
#include "matrix.h"

namespace {

struct Visit {
  int node;
  CQ_TreeBox placed;  // the node's box in model coordinates
};

// A node's box in model coordinates from its parent's: a point y of the node's box frame lies
// at rotation y + box_center in the parent's box frame.
CQ_TreeBox Place(const CQ_TreeBox& parent, const BV& bv, int depth) {
  CQ_TreeBox box;
  MatMul(box.axes, parent.axes, bv.rotation);
  MatVecAdd(box.center, parent.axes, bv.box_center, parent.center);
  for (int k = 0; k < 3; ++k) box.half_extents[k] = bv.half_extents[k];
  box.depth = depth;
  box.leaf = bv.child_code < 0;
  return box;
}

}  // namespace

void VisitTreeBoxes(const CQ_Model& model, int max_depth, void (*visit)(const CQ_TreeBox& box, void* context),
                    void* context) {
  if (!model.IsBuilt()) return;
  const BV* bvs = model.bv_list();
  CQ_TreeBox frame{};  // the model frame: the root's parent
  for (int k = 0; k < 3; ++k) frame.axes[k][k] = 1.0;
  std::vector<Visit> stack;
  stack.push_back({0, Place(frame, bvs[0], 0)});
  while (!stack.empty()) {
    const Visit at = stack.back();
    stack.pop_back();
    visit(at.placed, context);
    if (at.placed.leaf || at.placed.depth >= max_depth) continue;
    const int first_child = bvs[at.node].child_code;
    for (int c = 1; c >= 0; --c) {
      stack.push_back({first_child + c, Place(at.placed, bvs[first_child + c], at.placed.depth + 1)});
    }
  }
}
