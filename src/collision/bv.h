#pragma once
// One node of a model's bounding-volume tree: at once an oriented box and a rectangle swept by a
// sphere, both sharing one orientation.
//
// While the tree is built, rotation, rect_origin and box_center are in model coordinates. Once the
// model is built they are relative to the parent node: rotation maps the node's axes into the
// parent's axes, box_center is measured from the parent's box centre and rect_origin from the
// parent's rect_origin, both in the parent's axes. The root's parent frame is the model frame.
struct BV {
  double rotation[3][3] = {};    // columns: the BV's axes, largest vertex spread first
  double rect_origin[3] = {};    // corner of the swept rectangle (least x, least y, middle z)
  double rect_lengths[2] = {};   // rectangle sides along the first and second axes, never negative
  double radius = 0;             // radius of the sphere swept over the rectangle
  double box_center[3] = {};     // centre of the oriented box
  double half_extents[3] = {};   // half side lengths of the box along the BV's axes
  // >= 0: internal node whose children are BVs child_code and child_code + 1.
  // <  0: leaf covering the triangle at position -(child_code + 1) of the model's triangle list.
  int child_code = 0;
};
