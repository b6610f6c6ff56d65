// The body-body pass: after a step, every pair of bodies whose meshes touch is pushed apart until
// they no longer touch and, if they approach each other, exchanges momentum elastically along
// the line of centres. Positions are kept inside the play volume, touching bodies are flagged for
// highlighted drawing, and collision_free tells whether the step was free of contacts.

#include <algorithm>
#include <cmath>

#include "collision-workspace.h"
#include "play-volume.h"
#include "rb-system.h"
#include "spin-rule.h"

namespace {

// An ordinary contact separates in a handful of iterations, coinciding centres within 200; the
// bound only stops what no push can separate.
constexpr int kMaxSeparationIterations = 1000;

void ClampToPlayVolume(Vec3& p) {
  using namespace play_volume;
  if (p.x > kMaxX) p.x = kMaxX;
  if (p.x < kMinX) p.x = kMinX;
  if (p.y > kMaxY) p.y = kMaxY;
  if (p.y < kMinY) p.y = kMinY;
  if (p.z > kMaxZ) p.z = kMaxZ;
  if (p.z < kMinZ) p.z = kMinZ;
}

// One touching pair: bodies i and j of the system, with their indices.
struct Contact {
  CollisionWorkspace& workspace;
  uint32_t ii;
  RigidBody& i;
  uint32_t jj;
  RigidBody& j;

  bool Touching() { return workspace.BodiesTouch(ii, i, jj, j).touching; }
};

// Pushes the faster body straight away from the other, by 2 % of the centre distance at first
// contact per iteration, until the meshes are disjoint; returns the iterations taken. Centres
// that (nearly) coincide, after a fast ball sank deep into another, would make that step
// vanishingly small: below half a unit of distance the step keeps the length it has at half a
// unit, and coinciding centres push along a fixed direction. Ordinary contacts, centres some 2
// apart, move exactly by 2 % of d.
int Separate(Contact& c) {
  Vec3 d = c.i.position - c.j.position;
  const float length = d.Length();
  if (length == 0.0f) {
    d = Vec3(0.5f, 0.0f, 0.0f);
  } else if (length < 0.5f) {
    d = (0.5f / length) * d;
  }
  const float si = c.i.velocity.Length();
  const float sj = c.j.velocity.Length();
  for (int n = 1; n <= kMaxSeparationIterations; ++n) {
    if (si > sj)
      c.i.position += 0.02f * d;
    else
      c.j.position -= 0.02f * d;
    if (!c.Touching()) return n;
  }
  return kMaxSeparationIterations;
}

// A perfectly elastic impulse along the unit normal n (from j towards i), if they approach.
void ExchangeMomentum(RigidBody& i, RigidBody& j) {
  Vec3 n = i.position - j.position;
  n.Normalize();
  const float u = Dot(i.velocity - j.velocity, n);
  if (!(static_cast<double>(u) < -RBSystem::kApproachSpeed)) return;
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
  CollisionWorkspace& workspace = Workspace();
  workspace.BeginBodyPass(body_count);
  collision_free = 1;
  CollisionGrid& grid = workspace.grid;
  RBList& candidates = workspace.candidates;
  grid.Clear();
  candidates.Clear();
  for (uint32_t b = 0; b < body_count; ++b) {
    RigidBody& body = *Body(b);
    body.render_model.ClearCollided();
    body.ClearVisited();
    grid.Insert(&body);
  }

  RigidBody* const first_body = body_count > 0 ? Body(0) : nullptr;
  for (uint32_t ii = 0; ii < body_count; ++ii) {
    RigidBody& i = *Body(ii);
    ClampToPlayVolume(i.position);
    const CellTriple cells = grid.CellsOf(i);
    // Marked for the rest of this call: each pair is tested once, from its lower index.
    i.SetVisited();
    for (int k = 0; k < 8; ++k) {
      RBList& cell = grid.CellAt(cells.x[k], cells.y[k], cells.z[k]);
      const int32_t count = cell.Count();
      for (int32_t e = 0; e < count; ++e) {
        RigidBody& j = *cell.Element(e);
        if (j.IsVisited()) continue;
        candidates.Append(&j);
        j.SetVisited();
        const uint32_t jj = static_cast<uint32_t>(&j - first_body);
        const QueryAnswer answer = workspace.BodiesTouch(ii, i, jj, j);
        if (!answer.touching) continue;
        if (workspace.record)
          workspace.record->touching.push_back({ii, answer.first.first_id, false, jj, answer.first.second_id});
        Contact contact{workspace, ii, i, jj, j};
        const int iterations = Separate(contact);
        PassCounters& counters = workspace.body_counters;
        ++counters.contacts;
        counters.longest_run = std::max(counters.longest_run, iterations);
        ExchangeMomentum(i, j);
        collision_free = 0;
        i.render_model.MarkCollided();
        j.render_model.MarkCollided();
      }
    }
    for (RigidBody* candidate : candidates) candidate->ClearVisited();
    candidates.Clear();
  }
}
