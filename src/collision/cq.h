#pragma once
// The collision query library: triangle-mesh models with bounding-volume trees, and the query
// that reports the intersecting triangle pairs of two placed models. Double precision throughout;
// it knows nothing of bodies.
#include "bv.h"
#include "collide-result.h"
#include "collide.h"
#include "cq-model.h"
#include "fit-bv.h"
#include "jacobi-eigen.h"
#include "matrix.h"
#include "model-tri.h"
#include "overlap.h"
#include "status.h"
