#pragma once
#include "bv.h"
#include "model-tri.h"

// Builds the bounding-volume tree over the tri_count (>= 1) triangles of tris into bvs, which has
// room for 2 * tri_count - 1 BVs, reordering the triangles in place. Top-down: each node is
// oriented along the principal axes of its vertices, fitted, and split at the vertex centroid
// along its largest spread; children are numbered depth-first, siblings adjacent. Finally every
// BV is made relative to its parent. Returns the number of BVs used.
int BuildHierarchy(ModelTri tris[], int tri_count, BV bvs[]);
