#pragma once
// What pushes a body between collisions. The torque is asked for separately, and given the force
// just computed, because a force applied off the centre (friction at the contact point) turns
// the body while one through the centre does not. The ForceList owns every force; bodies refer
// to theirs by index.

#include "math/vec3.h"

class RigidBody;

class Force {
 public:
  virtual ~Force() = default;
  virtual Vec3 ComputeForce(float mass, const RigidBody& body, const Vec3& velocity) = 0;
  // The torque of the force F that ComputeForce gave for the same body.
  virtual Vec3 ComputeTorque(const RigidBody& body, const Vec3& force) = 0;
};
