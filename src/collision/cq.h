#pragma once
// The collision query library: triangle-mesh models with bounding-volume trees, the query that
// reports the intersecting triangle pairs of two placed models, a ray cast, a visit of a
// model's tree, and the reader of our mesh files. Double precision throughout; it knows nothing
// of bodies. The headers included here, with matrix.h, are the library's whole interface.
#include "bv.h"
#include "collide-result.h"
#include "collide.h"
#include "cq-model.h"
#include "model-tri.h"
#include "ray-cast.h"
#include "status.h"
#include "tree-visit.h"
#include "triangle-contact.h"
#include "tris-file.h"
#include "tris-model.h"
