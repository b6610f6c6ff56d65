#include "inspect/tree-boxes.h"

#include <algorithm>

#include "collision/cq.h"
#include "collision/walk/matrix.h"

namespace {

struct Visit {
  int node;
  int depth;
  OrientedBox placed;  // the node's box in model coordinates
};

// A node's box in model coordinates from its parent's: a point y of the node's box frame lies
// at rotation y + box_center in the parent's box frame.
OrientedBox Place(const OrientedBox& parent, const BV& bv) {
  OrientedBox box;
  MatMul(box.axes, parent.axes, bv.rotation);
  MatVecAdd(box.center, parent.axes, bv.box_center, parent.center);
  for (int k = 0; k < 3; ++k) box.half_extents[k] = bv.half_extents[k];
  return box;
}

// Calls on_node (visit, whether it is a leaf) for every node down to max_depth, parents before
// children.
template <typename OnNode>
void WalkTree(const CQ_Model& model, int max_depth, OnNode on_node) {
  if (model.state != 2) return;
  OrientedBox frame{};  // the model frame: the root's parent
  for (int k = 0; k < 3; ++k) frame.axes[k][k] = 1.0;
  std::vector<Visit> stack;
  stack.push_back({0, 0, Place(frame, model.bv_list[0])});
  while (!stack.empty()) {
    const Visit visit = stack.back();
    stack.pop_back();
    const BV& bv = model.bv_list[visit.node];
    const bool leaf = bv.child_code < 0;
    on_node(visit, leaf);
    if (leaf || visit.depth >= max_depth) continue;
    for (int c = 1; c >= 0; --c) {
      const int child = bv.child_code + c;
      stack.push_back({child, visit.depth + 1, Place(visit.placed, model.bv_list[child])});
    }
  }
}

}  // namespace

int TreeHeight(const CQ_Model& model) {
  if (model.state != 2) return -1;
  int height = 0;
  // Only depths are needed; placing the boxes on the way costs little next to drawing them.
  WalkTree(model, model.bv_count, [&](const Visit& visit, bool leaf) {
    if (leaf) height = std::max(height, visit.depth);
  });
  return height;
}

void TreeBoxesAtDepth(const CQ_Model& model, int depth, std::vector<OrientedBox>& out) {
  out.clear();
  WalkTree(model, depth, [&](const Visit& visit, bool leaf) {
    if (leaf || visit.depth == depth) out.push_back(visit.placed);
  });
}
