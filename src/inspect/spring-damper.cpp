#include "inspect/spring-damper.h"

#include "rigid-body.h"

Vec3 SpringDamper::ComputeForce(float mass, const RigidBody& body, const Vec3& velocity) {
  Vec3 stretch = target - (body.position + grip_offset);
  const float length = stretch.Length();
  if (length > kMaxStretch) stretch = (kMaxStretch / length) * stretch;
  return mass * (kStiffness * stretch - kDamping * velocity);
}

Vec3 SpringDamper::ComputeTorque(const RigidBody&, const Vec3&) { return Vec3(); }
