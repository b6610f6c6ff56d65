#include "scenes/experiment.h"

#include <cmath>

#include "base/assertion.h"
#include "random.h"

namespace {

constexpr float kInverseRandomMax = 1.0f / kRandomIntMax;

// A uniform draw in [low, high].
float Draw(float low, float high) { return low + (high - low) * (RandomInt() * kInverseRandomMax); }

void Place(RBSystem& bodies, uint32_t i, const Vec3& position) { bodies.Body(i)->position = position; }

// Ball centres at least this far apart do not touch: the sphere meshes have radius 0.99.
constexpr float kCrowdSpacing = 2.1f;
// Where the crowd's centres may lie: a ball of radius 0.99 there touches no wall (the box spans x
// -15..15, y -1..10, z -20..20).
constexpr float kCrowdX = 13.5f, kCrowdLowY = 0.0f, kCrowdHighY = 9.0f, kCrowdZ = 18.5f;
// Random candidates tried per ball. Up to kMaxCrowdBodies balls fill a tenth of the room, so a
// candidate is free far more often than not.
constexpr int kCrowdTries = 10000;

void PlaceCrowd(RBSystem& bodies) {
  for (uint32_t i = 0; i < bodies.BodyCount(); ++i) {
    bool placed = false;
    for (int attempt = 0; attempt < kCrowdTries && !placed; ++attempt) {
      const Vec3 p(Draw(-kCrowdX, kCrowdX), Draw(kCrowdLowY, kCrowdHighY), Draw(-kCrowdZ, kCrowdZ));
      placed = true;
      for (uint32_t j = 0; j < i && placed; ++j) placed = (bodies.Body(j)->position - p).Length() >= kCrowdSpacing;
      if (placed) Place(bodies, i, p);
    }
    QUORVEL_ASSERT(placed);
  }
}

// The crowd's balls but the shooter get random velocities, up to 8 along x and z and 4 along y.
void KickCrowd(RBSystem& bodies) {
  for (uint32_t i = 1; i < bodies.BodyCount(); ++i) {
    RigidBody& body = *bodies.Body(i);
    const Vec3 v(Draw(-8, 8), Draw(-4, 4), Draw(-8, 8));
    body.linear_momentum = body.mass * v;
  }
}

void KeepRack(const RBSystem& bodies, std::vector<float>& rack) {
  rack.resize(static_cast<size_t>(BodyStateFloats) * bodies.BodyCount());
  for (uint32_t i = 0; i < bodies.BodyCount(); ++i) bodies.Body(i)->GetState(&rack[BodyStateFloats * i]);
}

// The state floats as they were; the derived motion zero as Reset leaves it (the next step
// derives it again from the state), no highlight.
void RestoreRack(RBSystem& bodies, const std::vector<float>& rack) {
  QUORVEL_ASSERT(rack.size() == static_cast<size_t>(BodyStateFloats) * bodies.BodyCount());
  for (uint32_t i = 0; i < bodies.BodyCount(); ++i) {
    RigidBody& body = *bodies.Body(i);
    body.SetState(&rack[BodyStateFloats * i]);
    body.velocity.SetZero();
    body.angular_velocity.SetZero();
    body.render_model.ClearCollided();
  }
  bodies.collision_free = 1;
}

void BeginRun(Scene& scene, Experiment& experiment, const Shot& shot) {
  KeepRack(scene.bodies_system, experiment.rack);
  Shoot(scene.bodies_system, shot);
  experiment.last_shot = shot;
  experiment.aim.reset();
  experiment.check.Begin(experiment.kind, scene, shot);
}

void ConfigureBodies(Scene& scene, const Experiment& experiment) {
  scene.bodies_system.Setup(SceneBodyCount(experiment.kind, experiment.bodies), experiment.model, 1.0f);
  AttachSceneForces(scene);
}

}  // namespace

Shot SceneShot(SceneKind kind) {
  switch (kind) {
    case SceneKind::Break:
    case SceneKind::Crowd: return RandomShot();
    case SceneKind::Bank: {
      Vec3 diagonal(1, 0, -1);  // 45 degrees to the wall at x = 15
      diagonal.Normalize();
      return Shot{diagonal, RBSystem::kShotSpeed};
    }
    default: return Shot{Vec3(0, 0, -1), RBSystem::kShotSpeed};
  }
}

void SetUpExperiment(Scene& scene, Experiment& experiment) {
  SetUpScene(scene, experiment.seed, SceneBodyCount(experiment.kind, experiment.bodies), experiment.model);
  // InitScene has racked the break already; racking it again would draw the positions of balls
  // beyond ten once more.
  if (experiment.kind != SceneKind::Break) RackExperiment(scene, experiment);
  experiment.check = SceneCheck();
}

void ChangeScene(Scene& scene, Experiment& experiment, SceneKind kind) {
  experiment.kind = kind;
  ConfigureBodies(scene, experiment);
  RackExperiment(scene, experiment);
  experiment.aim.reset();
  experiment.last_shot.reset();
  experiment.rack.clear();
  experiment.check = SceneCheck();
}

// Every layout keeps the centres at y = 0, as the rack does: 0.01 above the floor (y = -1) for
// balls of radius 0.99, and no force has a vertical part, so they stay there. Gaps between balls
// are at least 0.02 so that no pair touches at rest.
void RackExperiment(Scene& scene, const Experiment& experiment) {
  RBSystem& bodies = scene.bodies_system;
  bodies.Reset();
  switch (experiment.kind) {
    case SceneKind::Break: break;
    case SceneKind::HeadOn:
      Place(bodies, 0, Vec3(0, 0, 5));
      Place(bodies, 1, Vec3(0, 0, -5));
      break;
    case SceneKind::Glancing:
      // The target one unit off the shooter's line: the centres meet at 30 degrees.
      Place(bodies, 0, Vec3(0, 0, 5));
      Place(bodies, 1, Vec3(1, 0, -5));
      break;
    case SceneKind::Cradle:
      // A row of five along z, centres 2 apart (gaps of 0.02), the shooter 8 behind the first.
      Place(bodies, 0, Vec3(0, 0, 10));
      for (uint32_t i = 1; i <= 5; ++i) Place(bodies, i, Vec3(0, 0, 2.0f - 2.0f * i));
      break;
    case SceneKind::SlideToRoll:
      // 37 units of floor ahead; the switch comes after about 28 (see the check).
      Place(bodies, 0, Vec3(0, 0, 17));
      break;
    case SceneKind::Bank:
      // 12 units from the wall at x = 15, well before the spin catches up.
      Place(bodies, 0, Vec3(2, 0, 8));
      break;
    case SceneKind::Crowd: PlaceCrowd(bodies); break;
  }
  bodies.ResolveBodyCollisions();
  bodies.ResolveEnvironmentCollisions(scene.environment_system);
}

void StartExperiment(Scene& scene, Experiment& experiment, bool started) {
  SlideAgain(scene);
  if (started) RackExperiment(scene, experiment);
  if (experiment.kind == SceneKind::Crowd) KickCrowd(scene.bodies_system);
  BeginRun(scene, experiment, experiment.aim ? *experiment.aim : SceneShot(experiment.kind));
}

bool RepeatLastShot(Scene& scene, Experiment& experiment) {
  if (!experiment.last_shot) return false;
  const Shot shot = *experiment.last_shot;
  SlideAgain(scene);
  RestoreRack(scene.bodies_system, experiment.rack);
  BeginRun(scene, experiment, shot);
  return true;
}
