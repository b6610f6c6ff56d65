#pragma once
// Picking a body with a ray, as the demo does under the mouse pointer: the ray is cast against
// the triangles of every body's collision model, placed at the body's pose, and the nearest
// triangle it meets wins. Each model's tree of oriented boxes prunes the triangles the ray
// cannot meet.

#include <cstdint>

#include "math/vec3.h"
#include "body-placement.h"

class CQ_Model;
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

// One model placed by `placement`: when the ray meets a triangle at some t with 0 < t < nearest,
// sets nearest to the smallest such t and triangle to its id and returns true; otherwise
// returns false and changes nothing. The model must be built.
bool RayHitsModel(const CQ_Model& model, const BodyPlacement& placement, const double origin[3],
                  const double direction[3], double& nearest, int& triangle);

// The ray parameter t > 0 at which origin + t direction meets triangle (v0, v1, v2), either
// face, all in one frame; a negative value when it does not (or runs parallel to its plane).
double RayMeetsTriangle(const double origin[3], const double direction[3], const double v0[3], const double v1[3],
                        const double v2[3]);
