#include "inspect/contact-geometry.h"

#include "base/assertion.h"
#include "rb-system.h"

namespace {

const RigidBody& BodyOf(const RBSystem& system, uint32_t index) {
  QUORVEL_ASSERT(index < system.BodyCount());
  return *system.Body(index);
}

// Triangle id of body's model, placed at its pose: R v + position.
PlacedTriangle Place(const RigidBody& body, int id, bool environment) {
  QUORVEL_ASSERT(id >= 0);
  const MeshTriangle& triangle = body.render_model.TriangleAt(static_cast<unsigned>(id));
  const Mat3 rotation = body.orientation.ToMatrix();
  PlacedTriangle placed;
  for (int k = 0; k < 3; ++k) placed.vertex[k] = rotation * triangle.vertex[k] + body.position;
  placed.environment = environment;
  return placed;
}

}  // namespace

void PlaceTouchingTriangles(const ContactRecord& record, const RBSystem& bodies, const RBSystem& environment,
                            std::vector<PlacedTriangle>& out) {
  out.clear();
  for (const TouchingTriangles& pair : record.touching) {
    out.push_back(Place(BodyOf(bodies, pair.body), pair.triangle, false));
    const RBSystem& other_system = pair.other_is_environment ? environment : bodies;
    out.push_back(Place(BodyOf(other_system, pair.other), pair.other_triangle, pair.other_is_environment));
  }
}

void PlaceWallArrows(const ContactRecord& record, const RBSystem& bodies, const RBSystem& environment,
                     float length, std::vector<WallArrow>& out) {
  out.clear();
  for (const WallNormalUsed& wall : record.walls) {
    const Vec3 centre = BodyOf(bodies, wall.body).position;
    const PlacedTriangle placed = Place(BodyOf(environment, wall.environment_body), wall.triangle, true);
    Vec3 plane_normal = Cross(placed.vertex[1] - placed.vertex[0], placed.vertex[2] - placed.vertex[0]);
    plane_normal.Normalize();
    const Vec3 from = centre - Dot(centre - placed.vertex[0], plane_normal) * plane_normal;
    Vec3 direction = wall.normal;
    direction.Normalize();
    out.push_back({from, from - length * direction, wall.bounced});
  }
}
