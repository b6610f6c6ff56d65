#pragma once
// The oriented boxes of a collision model's bounding-volume tree, placed in model coordinates,
// for the demo's view of the tree: the tree cut at a depth, and its height.

#include <vector>

#include "collision/tree-visit.h"

// A node's box placed in model coordinates, as the library's visit gives it.
using OrientedBox = CQ_TreeBox;

// The height of a built model's tree: the depth of its deepest leaf, the root being at depth 0.
// -1 for a model that is not built.
int TreeHeight(const CQ_Model& model);

// The boxes of the tree cut at `depth`: every node at that depth and every leaf above it, so that
// together they hold every triangle. Depth 0 gives the root alone; depths below the tree's
// height give every leaf. out is cleared first; it stays empty for a model that is not built.
void TreeBoxesAtDepth(const CQ_Model& model, int depth, std::vector<OrientedBox>& out);
