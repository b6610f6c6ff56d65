#pragma once
// Picking a body with a ray, as the demo does under the mouse pointer: the ray is cast against
// the triangles of every body's collision model, placed at the body's pose, and the nearest
// triangle it meets wins (the collision library's CastRay, pruned by each model's tree).

#include <cstdint>

#include "math/vec3.h"
#include "placement.h"

class RBSystem;

struct PickHit {
  bool hit = false;
  uint32_t body = 0;    // index in the system
  double distance = 0;  // ray parameter t of the hit, in lengths of the ray's direction
  Vec3 point;           // world coordinates
  int triangle = -1;    // the model's triangle id
};

// The nearest point origin + t direction, t > 0, at which the ray meets a triangle of a body of
// the system (world coordinates; direction need not be unit length, but not zero). Triangles
// count from either side. Bodies whose model is not built are passed over. No hit: hit false.
PickHit PickBody(const RBSystem& system, const Vec3& origin, const Vec3& direction);
