#pragma once
// The collision query library: triangle-mesh models with bounding-volume trees, the query that
// reports the intersecting triangle pairs of two placed models, a ray cast and a visit of a
// model's tree. Double precision throughout; it knows nothing of bodies. The headers included
// here are the library's whole interface.
#include "bv.h"
#include "collide-result.h"
#include "collide.h"
#include "cq-model.h"
#include "model-tri.h"
#include "ray-cast.h"
#include "status.h"
#include "tree-visit.h"
