#pragma once
// The oriented boxes of a collision model's bounding-volume tree, placed in model coordinates,
// for the demo's view of the tree. A built model keeps each box relative to its parent's; these
// compose the placements from the root down.

#include <vector>

class CQ_Model;

struct OrientedBox {
  double center[3];        // model coordinates
  double axes[3][3];       // columns: the box's axes in model coordinates (unit length)
  double half_extents[3];  // along the three axes
};

// The height of a built model's tree: the depth of its deepest leaf, the root being at depth 0.
// -1 for a model that is not built.
int TreeHeight(const CQ_Model& model);

// The boxes of the tree cut at `depth`: every node at that depth and every leaf above it, so that
// together they hold every triangle. Depth 0 gives the root alone; depths below the tree's
// height give every leaf. out is cleared first; it stays empty for a model that is not built.
void TreeBoxesAtDepth(const CQ_Model& model, int depth, std::vector<OrientedBox>& out);
