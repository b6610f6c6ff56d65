// The body-environment pass: every body is tested against every body of the environment (the
// box). A touching body is backed out along its own velocity until the meshes are disjoint; if
// it moves along the stored normal of the triangle it touched, that velocity component is
// reversed with restitution 0.6 and its spin re-aimed. The environment is never changed.

#include "collision/cq.h"
#include "placement.h"
#include "rb-system.h"
#include "spin-rule.h"

namespace {

// Reused by every query, so the pass allocates nothing once the pair storage has grown.
// Entry 0 of its pairs names the environment triangle of the last query that found a contact.
CQ_CollideResult result;

// Backing out moves 2 % of the velocity per iteration: an ordinary contact, made by one step of
// at most 0.2 time units, is undone within ten. Past this bound the velocity cannot separate
// the meshes (a body at rest, or one moving along the wall it was pushed into).
constexpr int kMaxBackingIterations = 50;
// Otherwise the body is moved against the touched triangle's stored normal, which points the way
// a body runs into that wall, in steps of this length, at most this many times.
constexpr float kNormalStep = 0.01f;
constexpr int kMaxNormalSteps = 1000;

bool Touching(Placement& pi, RigidBody& body, Placement& pe, RigidBody& environment) {
  CollideModels(&result, pi.R, pi.T, &body.collision_model, pe.R, pe.T, &environment.collision_model,
                StopAtFirstContact);
  return result.HasContact();
}

// The stored normal of the environment triangle that the last contact query touched.
Vec3 TouchedNormal(RigidBody& environment) {
  Vec3 n = environment.render_model.TriangleAt(static_cast<unsigned>(result.SecondId(0))).face_normal;
  n.Normalize();
  return n;
}

// Moves the body until its mesh and the environment's are disjoint. A body running into the
// wall backs out along its own velocity. A body at rest, or moving along or away from the wall
// it touches, would never get free that way, or only by passing through the wall and out of the
// box; it steps off the wall against the stored normal instead.
void BackOut(RigidBody& body, Placement& pi, RigidBody& environment, Placement& pe) {
  if (static_cast<double>(Dot(body.velocity, TouchedNormal(environment))) > 0.00001) {
    const Vec3 back = -0.02f * body.velocity;
    for (int n = 0; n < kMaxBackingIterations; ++n) {
      body.position += back;
      pi.MoveTo(body.position);
      if (!Touching(pi, body, pe, environment)) return;
    }
  }
  for (int n = 0; n < kMaxNormalSteps; ++n) {
    body.position -= kNormalStep * TouchedNormal(environment);
    pi.MoveTo(body.position);
    if (!Touching(pi, body, pe, environment)) return;
  }
}

// Reverses the velocity component along the stored normal n with restitution 0.6, if the body
// moves along n (w > 0.00001).
void Bounce(RigidBody& body, const Vec3& n) {
  const float w = Dot(body.velocity, n);
  if (!(static_cast<double>(w) > 0.00001)) return;
  body.velocity = body.velocity + (-1.6f * w) * n;
  body.linear_momentum = body.mass * body.velocity;
  ReaimSpin(body, 0.6f);
}

}  // namespace

void RBSystem::ResolveEnvironmentCollisions(RBSystem& environment) {
  const uint32_t environment_count = environment.BodyCount();
  for (uint32_t b = 0; b < body_count; ++b) {
    RigidBody& body = arrayPtr[b];
    Placement pi(body.orientation, body.position);
    for (uint32_t e = 0; e < environment_count; ++e) {
      RigidBody& wall = *environment.Body(e);
      Placement pe(wall.orientation, wall.position);
      if (!Touching(pi, body, pe, wall)) continue;
      BackOut(body, pi, wall, pe);
      // The stored model normal, deliberately without the environment's own rotation.
      Bounce(body, TouchedNormal(wall));
      collision_free = 0;
      body.render_model.MarkCollided();
    }
  }
}
