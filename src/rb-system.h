#pragma once
// The bodies that move together: one state vector for the integrators, built by packing each
// body's 13 state floats side by side, so that Euler and RK4 see a single system of equations.
// It remembers the model file and scale the bodies came from, so that Setup can tell when a
// rebuild is needed, and keeps the simulated time. The collision passes that run between steps
// live in files of their own, each with the workspace this system owns.

#include <cstdint>
#include <memory>
#include <string>

#include "darray/darray-float.h"
#include "darray/ode-solvers.h"
#include "rigid-body.h"

class CollisionWorkspace;
class ForceList;
class PerformanceObserver;
struct PerformanceReport;

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
  // digits; in mesh_folder, or the working directory when that is empty) at the given scale, writing its progress to the standard error stream, then resets.
  // The file is read once: every body shares body 0's models. Nothing happens when count, model
  // and scale are what the system already has.
  void Setup(uint32_t count, int model, float scale);
  // The file name Setup loads for a model number: 3 gives "sphere03.tris", 12 "sphere12.tris".
  static void ModelFileName(int model, char* name, unsigned name_size);

  // Racks the first ten bodies (body 0 facing the diamond of bodies 1 .. 9), places further
  // bodies at random, stops all motion, time 0. With fewer than ten bodies it places those it has.
  void Reset();
  // The cue shot: body 0 gets a horizontal momentum of 15 times its mass in a random direction,
  // and the clock starts again at 0.
  void Start();
  // The speed of Start's shot.
  static constexpr float kShotSpeed = 15.0f;
  // Start's random direction: two draws of the generator, a horizontal unit vector (zero when
  // both draws sit at the middle of their range).
  static Vec3 DrawShotDirection();
  // A given shot: body 0's momentum becomes its mass times speed x direction, the clock 0. Start
  // is Shoot(DrawShotDirection(), kShotSpeed), bit for bit.
  void Shoot(const Vec3& direction, float speed);
  // One integrator step of h. The solvers leave a trial state in the bodies, so the final state is
  // unpacked again at the end.
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

  // After every Step: first the bodies among themselves, then each against the environment. The
  // first pass raises collision_free and either lowers it on a contact, so after both it says
  // whether the step was free of contacts. Both work with this system's Workspace().
  //
  // The body-body pass (body-collisions.cpp): every pair of bodies whose meshes touch is pushed
  // apart until they no longer touch and, if they approach each other, exchanges momentum
  // elastically along the line of centres. Positions are kept inside the play volume and
  // touching bodies are flagged.
  void ResolveBodyCollisions();
  // The body-environment pass (environment-collisions.cpp): every body against every body of
  // environment; a touching body is backed out until the meshes are disjoint and, if it moves
  // along the stored normal of the triangle it touched, bounces with restitution 0.6. Clears
  // collision_free on any contact; never sets it.
  void ResolveEnvironmentCollisions(RBSystem& environment);
  // Both passes: a body approaches another, or a wall, only when its speed towards it (widened to
  // double) is beyond this; slower is resting contact, which gets no impulse or bounce, so that
  // round-off in a resting contact does not make it bounce.
  static constexpr double kApproachSpeed = 0.00001;
  // What the passes of this system work with: made at the first pass, kept for the system's life.
  CollisionWorkspace& Workspace();
  // The settling benchmark against environment with time step h (performance-analysis.h): shoot,
  // run until an iteration is free of contacts, then time a fixed number of iterations. The
  // observer, if any, is told of every iteration; the report, if any, receives the figures.
  void RunPerformanceAnalysis(float h, RBSystem& environment, PerformanceObserver* observer = nullptr,
                              PerformanceReport* report = nullptr);

  uint32_t body_count = 0;
  int32_t model_number = 0;
  float model_scale = 1.0f;
  std::string mesh_folder;  // where Setup reads the sphere file; empty: the working directory
  float time = 0.0f;
  unsigned char use_rk4 = 0;
  unsigned char collision_free = 1;
  ForceList* force_list;

 private:
  std::unique_ptr<RigidBody[]> arrayPtr;  // body_count bodies, or none
  std::unique_ptr<CollisionWorkspace> workspace_;
};
