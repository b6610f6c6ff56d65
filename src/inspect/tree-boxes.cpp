#include "inspect/tree-boxes.h"

#include <algorithm>
#include <climits>

#include "collision/cq.h"

int TreeHeight(const CQ_Model& model) {
  if (!model.IsBuilt()) return -1;
  int height = 0;
  // Only depths are needed; placing the boxes on the way costs little next to drawing them.
  VisitTreeBoxes(
      model, INT_MAX,
      [](const CQ_TreeBox& box, void* context) {
        int& deepest = *static_cast<int*>(context);
        if (box.leaf) deepest = std::max(deepest, box.depth);
      },
      &height);
  return height;
}

void TreeBoxesAtDepth(const CQ_Model& model, int depth, std::vector<OrientedBox>& out) {
  out.clear();
  struct Cut {
    int depth;
    std::vector<OrientedBox>* out;
  } cut{depth, &out};
  VisitTreeBoxes(
      model, depth,
      [](const CQ_TreeBox& box, void* context) {
        const Cut& at = *static_cast<const Cut*>(context);
        if (box.leaf || box.depth == at.depth) at.out->push_back(box);
      },
      &cut);
}
