#include "rb-system.h"

#include <cstdio>
#include <iostream>
#include <new>

#include "base/assertion.h"
#include "collision-workspace.h"
#include "mesh-path.h"
#include "random.h"

RBSystem::RBSystem(uint32_t count, ForceList* forces) : force_list(forces) { AllocateBodies(count); }

RBSystem::RBSystem(ForceList* forces) : force_list(forces) {}

RBSystem::~RBSystem() { FreeBodies(); }

void RBSystem::AllocateBodies(uint32_t count) {
  if (arrayPtr) FreeBodies();
  body_count = count;
  arrayPtr.reset(new (std::nothrow) RigidBody[count]);
  QUORVEL_ASSERT(arrayPtr != 0);
}

void RBSystem::FreeBodies() {
  arrayPtr.reset();
  body_count = 0;
}

CollisionWorkspace& RBSystem::Workspace() {
  if (!workspace_) workspace_ = std::make_unique<CollisionWorkspace>();
  return *workspace_;
}

void RBSystem::ModelFileName(int model, char* name, unsigned name_size) {
  std::snprintf(name, name_size, "sphere%02d.tris", model);
}

void RBSystem::Setup(uint32_t count, int model, float scale) {
  char file_name[64];
  ModelFileName(model, file_name, sizeof file_name);

  const std::string path = MeshPath(mesh_folder, file_name);
  auto build = [&](bool free_first) {
    std::cerr << "Initializing with model " << file_name << std::endl;
    std::cerr << "Please wait ...";
    if (free_first) FreeBodies();
    AllocateBodies(count);
    for (uint32_t i = 0; i < count; ++i) {
      arrayPtr[i].SetMass(10.0f);
      if (i == 0)
        arrayPtr[i].LoadModels(path.c_str(), scale);
      else
        arrayPtr[i].ShareModels(arrayPtr[0]);
      std::cerr << ".";
    }
    model_number = model;
    model_scale = scale;
    Reset();
    std::cerr << std::endl;
    std::cerr << "Done." << std::endl;
  };

  if (count != body_count) build(false);
  // Compared after a rebuild above, so a changed count alone builds once.
  if (model != model_number || scale != model_scale) build(true);
}

namespace {

// The rack: body 0 faces the diamond of bodies 1 .. 9 (rows of 1, 2, 3, 2 and 1).
const Vec3 kRack[10] = {{0, 0, 15},        {0, 0, -8},     {1.01f, 0, -9.7f}, {2.02f, 0, -11.4f},
                        {-1.01f, 0, -9.7f}, {0, 0, -11.4f}, {1.01f, 0, -13.1f}, {-2.01f, 0, -11.4f},
                        {-1.01f, 0, -13.1f}, {0, 0, -14.8f}};

// 1 / kRandomIntMax as the float the positions and the shot are computed with: a draw times it
// lies in [0, 1].
constexpr float kInverseRandomMax = 1.0f / kRandomIntMax;
static_assert(kInverseRandomMax == 3.0518509e-05f, "the divisor's float, as the positions have always used it");

void StopMotion(RigidBody& body) {
  body.orientation = Quaternion(1, 0, 0, 0);
  body.linear_momentum.SetZero();
  body.angular_momentum.SetZero();
  body.velocity.SetZero();
  body.angular_velocity.SetZero();
}

}  // namespace

void RBSystem::Reset() {
  time = 0.0f;
  collision_free = 1;
  for (uint32_t i = 0; i < body_count; ++i) arrayPtr[i].render_model.ClearCollided();

  const uint32_t racked = body_count < 10 ? body_count : 10;
  // Written in the order of bodies 1 to 9, then body 0.
  for (uint32_t i = 1; i < racked; ++i) arrayPtr[i].position = kRack[i];
  if (racked > 0) arrayPtr[0].position = kRack[0];
  for (uint32_t i = 0; i < racked; ++i) StopMotion(arrayPtr[i]);

  for (uint32_t i = 10; i < body_count; ++i) {
    const int r1 = RandomInt(), r2 = RandomInt(), r3 = RandomInt();
    arrayPtr[i].position = Vec3((r1 * kInverseRandomMax - 0.5f) * 24.0f, (r2 * kInverseRandomMax - 0.5f) * 14.0f,
                                (r3 * kInverseRandomMax - 0.5f) * 34.0f);
    StopMotion(arrayPtr[i]);
  }
}

void RBSystem::Start() { Shoot(DrawShotDirection(), kShotSpeed); }

Vec3 RBSystem::DrawShotDirection() {
  const int r1 = RandomInt(), r2 = RandomInt();
  Vec3 direction((r1 * kInverseRandomMax - 0.5f) * 2.0f, 0.0f, (r2 * kInverseRandomMax - 0.5f) * 2.0f);
  direction.Normalize();
  return direction;
}

void RBSystem::Shoot(const Vec3& direction, float speed) {
  time = 0.0f;
  const Vec3 velocity = speed * direction;
  // An empty system has no body to shoot.
  if (body_count > 0) arrayPtr[0].linear_momentum = arrayPtr[0].mass * velocity;
}

void RBSystem::Step(float h) {
  DArrayFloat state(BodyStateFloats * body_count, 100);
  PackState(state);
  if (use_rk4)
    RK4Step(state, time, h, *this);
  else
    EulerStep(state, time, h, *this);
  time = time + h;
  UnpackState(state);
}

void RBSystem::PackState(DArrayFloat& state) {
  float body_state[BodyStateFloats];
  for (uint32_t i = 0; i < body_count; ++i) {
    arrayPtr[i].GetState(body_state);
    for (int k = 0; k < BodyStateFloats; ++k) state[BodyStateFloats * i + k] = body_state[k];
  }
}

void RBSystem::UnpackState(DArrayFloat& state) {
  float body_state[BodyStateFloats];
  for (uint32_t i = 0; i < body_count; ++i) {
    for (int k = 0; k < BodyStateFloats; ++k) body_state[k] = state.At(BodyStateFloats * i + k);
    arrayPtr[i].SetState(body_state);
    arrayPtr[i].UpdateDerived();
  }
}

void RBSystem::Derivative(double, const double*, double*) {}

void RBSystem::Derivative(float, DArrayFloat& state, DArrayFloat& out) {
  UnpackState(state);
  for (uint32_t i = 0; i < body_count; ++i) arrayPtr[i].ComputeForceAndTorque(*force_list);
  float rate[BodyStateFloats];
  for (uint32_t i = 0; i < body_count; ++i) {
    arrayPtr[i].StateDerivative(rate);
    for (int k = 0; k < BodyStateFloats; ++k) out[BodyStateFloats * i + k] = rate[k];
  }
}
