#pragma once
// Visiting the oriented boxes of a built model's bounding-volume tree, each placed in model
// coordinates, for a program that draws or inspects the tree. The model keeps each box relative
// to its parent's; the visit composes the placements from the root down.

class CQ_Model;

struct CQ_TreeBox {
  double center[3];        // model coordinates
  double axes[3][3];       // columns: the box's axes in model coordinates (unit length)
  double half_extents[3];  // along the three axes
  int depth;               // the root is at depth 0
  bool leaf;               // the box of one triangle
};

// Calls visit(box, context) for every node of the tree down to max_depth, parents before their
// children, first child before second. Nothing is visited on a model that is not built.
void VisitTreeBoxes(const CQ_Model& model, int max_depth, void (*visit)(const CQ_TreeBox& box, void* context),
                    void* context);
