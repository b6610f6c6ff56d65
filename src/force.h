#pragma once
// A force acting on a body: an external influence between collisions, with two evaluations,
// one for the force and one for the torque it exerts. Forces are owned by a ForceList.

#include "math/vec3.h"

class RigidBody;

class Force {
 public:
  virtual ~Force() = default;
  virtual Vec3 ComputeForce(float mass, const RigidBody& body, const Vec3& velocity) = 0;
  // The torque of the force F that ComputeForce gave for the same body.
  virtual Vec3 ComputeTorque(const RigidBody& body, const Vec3& force) = 0;
};
