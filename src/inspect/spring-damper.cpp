#include "inspect/spring-damper.h"

#include "rigid-body.h"

Vec3 SpringDamper::ComputeForce(float mass, const RigidBody& body, const Vec3& velocity) {
  // Only the parts in the floor's plane: the simulation is planar, and a vertical pull would
  // lift a ball or press it into the floor, a momentum nothing in the model takes away again.
  Vec3 stretch = target - (body.position + grip_offset);
  stretch.y = 0;
  const float length = stretch.Length();
  if (length > kMaxStretch) stretch = (kMaxStretch / length) * stretch;
  const Vec3 planar_velocity(velocity.x, 0, velocity.z);
  return mass * (kStiffness * stretch - kDamping * planar_velocity);
}

Vec3 SpringDamper::ComputeTorque(const RigidBody&, const Vec3&) { return Vec3(); }
