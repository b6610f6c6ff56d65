#pragma once
#include "cq-model.h"

// Builds the bounding-volume tree of a model whose triangle list holds tri_count triangles and
// whose bv_list has room for 2 * tri_count - 1 BVs, reordering the triangles in place. Top-down:
// each node is oriented along the principal axes of its vertices, fitted, and split at the
// vertex centroid along its largest spread; children are numbered depth-first, siblings
// adjacent. Finally every BV is made relative to its parent. Sets bv_count.
void BuildHierarchy(CQ_Model& model);
