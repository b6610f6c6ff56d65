#pragma once
#include "bv.h"
#include "model-tri.h"

// Stores R (a rotation, orthonormal columns, in the frame of the triangles' coordinates) as bv's
// rotation and fits bv's oriented box and swept rectangle around every vertex of the count
// (>= 1) triangles of run. child_code is left as it is. Never fails: when scratch storage cannot
// be obtained the vertices are re-projected on every pass instead, with identical results.
void FitBV(BV* bv, const double R[3][3], const ModelTri run[], int count);
