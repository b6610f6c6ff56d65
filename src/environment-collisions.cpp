// The body-environment pass: every body is tested against every body of the environment (the
// box). A touching body is backed out along its own velocity until the meshes are disjoint; if
// it moves along the stored normal of the triangle it touched, that velocity component is
// reversed with restitution 0.6 and its spin re-aimed. The environment is never changed.

#include <algorithm>

#include "collision-workspace.h"
#include "rb-system.h"
#include "spin-rule.h"

namespace {

// Backing out moves 2 % of the velocity per iteration: an ordinary contact, made by one step of
// at most 0.2 time units, is undone within ten. Past this bound the velocity cannot separate
// the meshes (a body at rest, or one moving along the wall it was pushed into).
constexpr int kMaxBackingIterations = 50;
// Otherwise the body is moved against the touched triangle's stored normal, which points the way
// a body runs into that wall, in steps of this length, at most this many times.
constexpr float kNormalStep = 0.01f;
constexpr int kMaxNormalSteps = 1000;
// The walls give back this fraction of the speed into them (the box's coefficient of
// restitution); the bounce adds -(1 + restitution) times that speed along the normal.
constexpr float kWallRestitution = 0.6f;
constexpr float kBounceFactor = -(1.0f + kWallRestitution);
static_assert(kBounceFactor == -1.6f, "the factor in float, as the bounce has always used it");

// A zero normal: the touched triangle has no area, so no direction to go.
bool IsZero(const Vec3& v) { return v.x == 0.0f && v.y == 0.0f && v.z == 0.0f; }

// One body touching one environment body. `triangle` is the environment triangle of the last
// query that reported contact: the one whose stored normal the contact uses.
struct WallContact {
  CollisionWorkspace& workspace;
  uint32_t index;
  RigidBody& body;
  uint32_t environment_index;
  const RigidBody& environment;
  int triangle = -1;
  CollidePair first_pair = {-1, -1};  // of the query that found the contact
  int queries = 0;

  bool Touching() {
    const QueryAnswer answer = workspace.TouchesEnvironment(index, body, environment_index, environment);
    if (answer.touching) {
      triangle = answer.first.second_id;
      if (queries == 0) first_pair = answer.first;
    }
    ++queries;
    return answer.touching;
  }

  // The stored normal of the touched triangle, in the environment's model coordinates. A
  // triangle of zero area has none; then another touched triangle that has one stands in for
  // it, and if none has, the zero vector says there is no direction to go.
  Vec3 TouchedNormal() {
    Vec3 n = NormalOf(triangle);
    if (!IsZero(n)) return n;
    const CQ_CollideResult& all = workspace.AllEnvironmentPairs(index, body, environment_index, environment);
    for (int k = 0; k < all.num_pairs; ++k) {
      n = NormalOf(all.pair_list[k].second_id);
      if (!IsZero(n)) {
        triangle = all.pair_list[k].second_id;
        return n;
      }
    }
    return Vec3();
  }

  Vec3 NormalOf(int id) const {
    Vec3 n = environment.render_model.TriangleAt(static_cast<unsigned>(id)).face_normal;
    n.Normalize();
    return n;
  }
};

// Moves the body until its mesh and the environment's are disjoint. A body running into the
// wall backs out along its own velocity. A body at rest, or moving along or away from the wall
// it touches, would never get free that way, or only by passing through the wall and out of the
// box; it steps off the wall against the stored normal instead. Without any normal to go by, it
// stays where it is.
void BackOut(WallContact& c) {
  if (static_cast<double>(Dot(c.body.velocity, c.TouchedNormal())) > RBSystem::kApproachSpeed) {
    const Vec3 back = -0.02f * c.body.velocity;
    for (int n = 0; n < kMaxBackingIterations; ++n) {
      c.body.position += back;
      if (!c.Touching()) return;
    }
  }
  for (int n = 0; n < kMaxNormalSteps; ++n) {
    const Vec3 normal = c.TouchedNormal();
    if (IsZero(normal)) return;
    c.body.position -= kNormalStep * normal;
    if (!c.Touching()) return;
  }
}

// Reverses the velocity component along the stored normal n with the walls' restitution, if the
// body moves along n faster than the approach speed.
bool Bounce(RigidBody& body, const Vec3& n) {
  const float w = Dot(body.velocity, n);
  if (!(static_cast<double>(w) > RBSystem::kApproachSpeed)) return false;
  body.velocity = body.velocity + (kBounceFactor * w) * n;
  body.linear_momentum = body.mass * body.velocity;
  ReaimSpin(body, kWallRestitution);
  return true;
}

}  // namespace

void RBSystem::ResolveEnvironmentCollisions(RBSystem& environment) {
  CollisionWorkspace& workspace = Workspace();
  const uint32_t environment_count = environment.BodyCount();
  workspace.BeginWallPass(body_count, environment_count);
  for (uint32_t b = 0; b < body_count; ++b) {
    RigidBody& body = *Body(b);
    for (uint32_t e = 0; e < environment_count; ++e) {
      const RigidBody& wall = *environment.Body(e);
      WallContact contact{workspace, b, body, e, wall};
      if (!contact.Touching()) continue;
      BackOut(contact);
      // The stored model normal, deliberately without the environment's own rotation.
      const Vec3 n = contact.TouchedNormal();
      const bool bounced = Bounce(body, n);
      collision_free = 0;
      body.render_model.MarkCollided();

      PassCounters& counters = workspace.wall_counters;
      ++counters.contacts;
      counters.longest_run = std::max(counters.longest_run, contact.queries - 1);
      if (workspace.record) {
        workspace.record->touching.push_back({b, contact.first_pair.first_id, true, e, contact.first_pair.second_id});
        workspace.record->walls.push_back({b, e, contact.triangle, n, bounced});
      }
    }
  }
}
