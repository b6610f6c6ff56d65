#pragma once
// One solid: a sphere that moves or the box that stays. Momenta rather than velocities are the
// state (position, orientation, P, L: 13 floats), because impulses and forces change momenta
// directly; the velocities are recomputed from them (UpdateDerived) whenever the state is set.
// Bodies sit in their system's array, and the passes tell a body's index by its place there, so
// they are never copied.

#include <cstdint>
#include <memory>

#include "collision-mesh.h"
#include "darray/darray-int.h"
#include "math/mat3.h"
#include "math/quaternion.h"
#include "math/vec3.h"
#include "model.h"

class ForceList;

// Floats of one body's state and of its derivative: position (3), orientation s x y z (4),
// P or force (3), L or torque (3).
constexpr int BodyStateFloats = 13;

class RigidBody {
 public:
  RigidBody() = default;
  RigidBody(const RigidBody&) = delete;
  RigidBody& operator=(const RigidBody&) = delete;

  void SetMass(float m) {
    mass = m;
    inverse_mass = 1.0f / m;
  }

  // Builds render_model, then the collision model, each from its own pass over the file, with
  // every coordinate multiplied by scale. A missing or malformed file ends the program.
  void LoadModels(const char* file_name, float scale);
  // Takes the source body's render triangles and collision model, shared read-only, instead of
  // reading their file again: bodies built from one file need one copy of its models.
  void ShareModels(const RigidBody& source);

  const CQ_Model& collision_model() const { return collision_mesh_->model; }
  const CollisionMesh& collision_mesh() const { return *collision_mesh_; }

  // Appends a force index (the index of the force in the system's ForceList).
  void AttachForce(int32_t id) { force_ids[static_cast<uint32_t>(force_count++)] = id; }
  // Removes the first attachment of a force index; the forces after it move up one place, so
  // the others are summed in their order as before. False, changing nothing, when the index is
  // not attached. (Inline, like AttachForce: compiled beside ComputeForceAndTorque it would
  // change how the compiler lays out that hot loop.)
  bool DetachForce(int32_t id) {
    for (int32_t i = 0; i < force_count; ++i) {
      if (force_ids.At(static_cast<uint32_t>(i)) != id) continue;
      for (int32_t k = i + 1; k < force_count; ++k)
        force_ids[static_cast<uint32_t>(k - 1)] = force_ids.At(static_cast<uint32_t>(k));
      --force_count;
      return true;
    }
    return false;
  }

  // force and torque = the sums over the attached forces, each torque from its own force.
  // Needs UpdateDerived on the current state first (forces read mass and velocity).
  void ComputeForceAndTorque(ForceList& forces);

  // Normalises the orientation (when its squared length exceeds 0.0001) and recomputes
  // rotation, velocity, world_inverse_inertia and angular_velocity from the state.
  void UpdateDerived();

  // The derivative of the state at the current derived values, written in state order.
  void StateDerivative(float out[BodyStateFloats]) const;
  void GetState(float out[BodyStateFloats]) const;
  void SetState(const float in[BodyStateFloats]);

  void SetVisited() { visited = 1; }
  void ClearVisited() { visited = 0; }
  bool IsVisited() const { return visited != 0; }
  void SetRolling() { rolling = 1; }
  void ClearRolling() { rolling = 0; }
  bool IsRolling() const { return rolling != 0; }

  // The dynamic state.
  Vec3 position;
  Quaternion orientation;
  Vec3 linear_momentum;
  Vec3 angular_momentum;  // world frame
  // Mass properties. Nothing changes the inertia after construction: every body has the identity
  // there, so angular_velocity equals angular_momentum in value.
  float mass = 0.0f;
  float inverse_mass = 0.0f;
  Mat3 body_inertia;
  Mat3 body_inverse_inertia;
  // Derived by UpdateDerived.
  Mat3 world_inverse_inertia;
  Mat3 rotation;
  Vec3 velocity;
  Vec3 angular_velocity;
  // Accumulators of ComputeForceAndTorque.
  Vec3 force;
  Vec3 torque;
  Model render_model;  // its triangles may be shared; its collided flag is this body's own
  DArrayInt force_ids{100, 100};
  int32_t force_count = 0;
  unsigned char visited = 0;  // the body-body pass's mark: this pair was tested already
  unsigned char rolling = 0;  // 0 sliding, 1 rolling

 private:
  std::shared_ptr<const CollisionMesh> collision_mesh_ = EmptyCollisionMesh();
};
