#include "spring-damper.h"

#include "rigid-body.h"

Vec3 SpringDamper::ComputeForce(float mass, const RigidBody& body, const Vec3& velocity) {
  const Vec3 stretch = target - (body.position + grip_offset);
  return mass * (kStiffness * stretch - kDamping * velocity);
}

Vec3 SpringDamper::ComputeTorque(const RigidBody&, const Vec3&) { return Vec3(); }
