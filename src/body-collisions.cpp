// The body-body pass: after a step, every pair of bodies whose meshes touch is pushed apart until
// they no longer touch and, if they approach each other, exchanges momentum elastically along
// the line of centres. Positions are kept inside the play volume, touching bodies are flagged for
// highlighted drawing, and collision_free tells whether the step was free of contacts.

#include <cmath>

#include "collision-grid.h"
#include "collision/cq.h"
#include "placement.h"
#include "rb-system.h"
#include "spin-rule.h"

namespace {

// The broad phase and the candidate list live for the whole program: their storage is taken
// once, and the pass allocates nothing per call.
CollisionGrid grid;
RBList candidate_bodies(30);
// One result for every query; its pair storage grows once and is then reused. Only whether a
// query found a contact is read here.
CQ_CollideResult result;

// An ordinary contact separates in a handful of iterations, coinciding centres within 200; the
// bound only stops what no push can separate.
constexpr int kMaxSeparationIterations = 1000;

void ClampToPlayVolume(Vec3& p) {
  if (p.x > 15) p.x = 15;
  if (p.x < -15) p.x = -15;
  if (p.y > 10) p.y = 10;
  if (p.y < -1) p.y = -1;
  if (p.z > 20) p.z = 20;
  if (p.z < -20) p.z = -20;
}

bool Touching(Placement& pi, RigidBody& i, Placement& pj, RigidBody& j) {
  CollideModels(&result, pi.R, pi.T, &i.collision_model, pj.R, pj.T, &j.collision_model, StopAtFirstContact);
  return result.HasContact();
}

// Pushes the faster body straight away from the other, by 2 % of the centre distance at first
// contact per iteration, until the meshes are disjoint. Centres that (nearly) coincide, after a
// fast ball sank deep into another, would make that step vanishingly small: below half a unit of
// distance the step keeps the length it has at half a unit, and coinciding centres push along a
// fixed direction. Ordinary contacts, centres some 2 apart, move exactly by 2 % of d.
void Separate(RigidBody& i, Placement& pi, RigidBody& j, Placement& pj) {
  Vec3 d = i.position - j.position;
  const float length = d.Length();
  if (length == 0.0f) {
    d = Vec3(0.5f, 0.0f, 0.0f);
  } else if (length < 0.5f) {
    d = (0.5f / length) * d;
  }
  const float si = i.velocity.Length();
  const float sj = j.velocity.Length();
  for (int n = 0; n < kMaxSeparationIterations; ++n) {
    if (si > sj) {
      i.position += 0.02f * d;
      pi.MoveTo(i.position);
    } else {
      j.position -= 0.02f * d;
      pj.MoveTo(j.position);
    }
    if (!Touching(pi, i, pj, j)) return;
  }
}

// A perfectly elastic impulse along the unit normal n (from j towards i), if they approach.
void ExchangeMomentum(RigidBody& i, RigidBody& j) {
  Vec3 n = i.position - j.position;
  n.Normalize();
  const float u = Dot(i.velocity - j.velocity, n);
  if (!(static_cast<double>(u) < -0.00001)) return;
  const float impulse = (-2.0f * u) / (i.inverse_mass + j.inverse_mass);
  i.velocity += (i.inverse_mass * impulse) * n;
  i.linear_momentum = i.mass * i.velocity;
  j.velocity -= (j.inverse_mass * impulse) * n;
  j.linear_momentum = j.mass * j.velocity;
  ReaimSpin(i, 1.0f);
  ReaimSpin(j, 1.0f);
}

}  // namespace

void RBSystem::ResolveBodyCollisions() {
  collision_free = 1;
  grid.Clear();
  candidate_bodies.Clear();
  for (uint32_t b = 0; b < body_count; ++b) {
    RigidBody& body = arrayPtr[b];
    body.render_model.ClearCollided();
    body.ClearVisited();
    grid.Insert(&body);
  }

  for (uint32_t b = 0; b < body_count; ++b) {
    RigidBody& i = arrayPtr[b];
    ClampToPlayVolume(i.position);
    Placement pi(i.orientation, i.position);
    const CellTriple cells = grid.CellsOf(i);
    // Marked for the rest of this call: each pair is tested once, from its lower index.
    i.SetVisited();
    for (int k = 0; k < 8; ++k) {
      RBList& cell = grid.CellAt(cells.x[k], cells.y[k], cells.z[k]);
      const int32_t count = cell.Count();
      for (int32_t e = 0; e < count; ++e) {
        RigidBody& j = *cell.Element(e);
        if (j.IsVisited()) continue;
        candidate_bodies.Append(&j);
        j.SetVisited();
        Placement pj(j.orientation, j.position);
        if (!Touching(pi, i, pj, j)) continue;
        Separate(i, pi, j, pj);
        ExchangeMomentum(i, j);
        collision_free = 0;
        i.render_model.MarkCollided();
        j.render_model.MarkCollided();
      }
    }
    for (int32_t c = 0; c < candidate_bodies.Count(); ++c) candidate_bodies.Element(c)->ClearVisited();
    candidate_bodies.Clear();
  }
}
