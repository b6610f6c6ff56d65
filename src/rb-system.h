#pragma once
// A set of rigid bodies advanced together as one ODE system. It owns its bodies, knows which
// sphere model file they were built from, keeps the simulated time and the choice of
// integrator, and packs the 13 state floats of every body into one vector for the solvers.
// The collision passes between steps are operations of the same class, in their own files.

#include <cstdint>
#include <memory>

#include "darray/darray-float.h"
#include "darray/ode-solvers.h"
#include "rigid-body.h"

class CollisionWorkspace;
class ForceList;

class RBSystem : public OdeSystem {
 public:
  // `count` default bodies; stops with "arrayPtr != 0" if they cannot be had.
  RBSystem(uint32_t count, ForceList* forces);
  // No bodies.
  explicit RBSystem(ForceList* forces);
  ~RBSystem() override;
  RBSystem(const RBSystem&) = delete;
  RBSystem& operator=(const RBSystem&) = delete;

  void AllocateBodies(uint32_t count);
  void FreeBodies();

  // Builds `count` bodies of mass 10 from "sphere<NN>.tris" (NN: the model number, at least two
  // digits) at the given scale, writing its progress to the standard error stream, then resets.
  // The file is read once: every body shares body 0's models. Nothing happens when count, model
  // and scale are what the system already has.
  void Setup(uint32_t count, int model, float scale);
  // The file name Setup loads for a model number: 3 gives "sphere03.tris", 12 "sphere12.tris".
  static void ModelFileName(int model, char* name, unsigned name_size);

  // Racks the first ten bodies (body 0 facing the diamond of bodies 1 .. 9), places further
  // bodies at random, stops all motion, time 0. With fewer than ten bodies it places those it has.
  void Reset();
  // Time 0, and body 0 is shot at speed 15 in a random horizontal direction.
  void Start();
  // Advances the state by h with the chosen integrator; the bodies end with the new state.
  void Step(float h);

  void PackState(DArrayFloat& state);
  void UnpackState(DArrayFloat& state);

  void Derivative(double t, const double* state, double* out) override;
  // Loads the trial state into the bodies, sums their forces and writes d(state)/dt.
  void Derivative(float t, DArrayFloat& state, DArrayFloat& out) override;

  uint32_t BodyCount() const { return body_count; }
  // No range check; callers keep i below BodyCount().
  RigidBody* Body(uint32_t i) { return &arrayPtr[i]; }
  const RigidBody* Body(uint32_t i) const { return &arrayPtr[i]; }

  void SetRK4() { use_rk4 = 1; }
  void SetEuler() { use_rk4 = 0; }

  // The collision passes run after every Step: bodies against each other, then against the
  // bodies of the environment system. collision_free is 1 afterwards exactly when neither found
  // a contact.
  void ResolveBodyCollisions();
  void ResolveEnvironmentCollisions(RBSystem& environment);
  // What the passes of this system work with: made at the first pass, kept for the system's life.
  CollisionWorkspace& Workspace();
  // Shoots, runs until an iteration is free of contacts, then times 16384 iterations and prints
  // the seconds per iteration.
  void RunPerformanceAnalysis(float h, RBSystem& environment);

  uint32_t body_count = 0;
  int32_t model_number = 0;
  float model_scale = 1.0f;
  float time = 0.0f;
  unsigned char use_rk4 = 0;
  unsigned char collision_free = 1;
  ForceList* force_list;

 private:
  std::unique_ptr<RigidBody[]> arrayPtr;  // body_count bodies, or none
  std::unique_ptr<CollisionWorkspace> workspace_;
};
