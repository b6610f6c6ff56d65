#include "scene.h"

#include "base/assertion.h"
#include "mesh-path.h"
#include "random.h"
#include "rolling-rule.h"

Scene::Scene(unsigned force_slots) : sliding_forces(force_slots, nullptr), rolling_forces(force_slots, nullptr) {}

void SetUpScene(Scene& scene, unsigned seed, unsigned body_count, int model_number) {
  SeedRandom(seed);

  RigidBody& box = *scene.environment_system.Body(0);
  box.SetMass(1.0f);
  box.position = Vec3(0, 0, 0);
  box.orientation = Quaternion(0.0f, Vec3(0, 1, 0));  // half a turn about y
  box.linear_momentum.SetZero();
  box.angular_momentum.SetZero();
  box.LoadModels(MeshPath(scene.mesh_folder, "box.tris").c_str(), 1.0f);

  RBSystem& bodies = scene.bodies_system;
  bodies.mesh_folder = scene.mesh_folder;
  bodies.Setup(body_count, model_number, 1.0f);
  ResetScene(scene);

  AttachSceneForces(scene);
}

void AttachSceneForces(Scene& scene) {
  RBSystem& bodies = scene.bodies_system;
  if (scene.sliding_forces.size() < bodies.BodyCount()) {
    scene.sliding_forces.resize(bodies.BodyCount(), nullptr);
    scene.rolling_forces.resize(bodies.BodyCount(), nullptr);
  }
  const Vec3 down(0, -1, 0);
  for (uint32_t i = 0; i < bodies.BodyCount(); ++i) {
    if (!scene.sliding_forces[i]) {
      auto* sliding = new SlidingFriction(scene.slide);
      scene.sliding_forces[i] = sliding;
      sliding->SetLeverArm(down);
      const int32_t with_sliding = scene.global_forces.Append(sliding);
      QUORVEL_ASSERT(with_sliding == static_cast<int32_t>(2 * i + 1));

      auto* rolling = new RollingResistance(0.0f);
      scene.rolling_forces[i] = rolling;
      const int32_t with_rolling = scene.global_forces.Append(rolling);
      QUORVEL_ASSERT(with_rolling == static_cast<int32_t>(2 * i + 2));
    }
    RigidBody& body = *bodies.Body(i);
    if (body.force_count == 0) {
      body.AttachForce(static_cast<int32_t>(2 * i));
      body.AttachForce(static_cast<int32_t>(2 * i + 1));
    }
    body.ClearRolling();
  }
}

void ResetScene(Scene& scene) {
  scene.bodies_system.Reset();
  scene.bodies_system.ResolveBodyCollisions();
  scene.bodies_system.ResolveEnvironmentCollisions(scene.environment_system);
}

void SlideAgain(Scene& scene) {
  RBSystem& bodies = scene.bodies_system;
  for (uint32_t i = 0; i < bodies.BodyCount(); ++i) {
    scene.sliding_forces[i]->SetCoefficient(scene.slide);
    scene.rolling_forces[i]->SetCoefficient(0.0f);
    bodies.Body(i)->ClearRolling();
  }
}

void StartScene(Scene& scene, bool started) {
  SlideAgain(scene);
  if (started) ResetScene(scene);
  scene.bodies_system.Start();
}

void ApplyRollingRule(Scene& scene) {
  ApplyRollingRuleToSystem(scene.bodies_system, scene.sliding_forces.data(), scene.rolling_forces.data(), scene.roll);
}
