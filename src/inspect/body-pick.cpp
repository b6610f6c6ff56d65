#include "inspect/body-pick.h"

#include <cmath>

#include "collision/cq.h"
#include "rb-system.h"

PickHit PickBody(const RBSystem& system, const Vec3& origin, const Vec3& direction) {
  const double o[3] = {origin.x, origin.y, origin.z};
  const double d[3] = {direction.x, direction.y, direction.z};
  PickHit pick;
  double nearest = HUGE_VAL;
  for (uint32_t i = 0; i < system.BodyCount(); ++i) {
    const RigidBody& body = *system.Body(i);
    if (!body.collision_model().IsBuilt()) continue;
    const Placement placement(body.orientation, body.position);
    int triangle = -1;
    if (!CastRay(body.collision_model(), placement.R, placement.T, o, d, nearest, triangle)) continue;
    pick.hit = true;
    pick.body = i;
    pick.distance = nearest;
    pick.triangle = triangle;
  }
  if (pick.hit) {
    pick.point = Vec3(static_cast<float>(o[0] + nearest * d[0]), static_cast<float>(o[1] + nearest * d[1]),
                      static_cast<float>(o[2] + nearest * d[2]));
  }
  return pick;
}
