#pragma once
// The collision query library: triangle-mesh models with bounding-volume trees, and the query
// that reports the intersecting triangle pairs of two placed models. Double precision throughout;
// it knows nothing of bodies.
#include "bv.h"
#include "collide-result.h"
#include "collide.h"
#include "cq-model.h"
#include "build/fit-bv.h"
#include "build/jacobi-eigen.h"
#include "walk/matrix.h"
#include "model-tri.h"
#include "walk/overlap.h"
#include "status.h"
