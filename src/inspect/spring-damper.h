#pragma once
// A spring with a damper that pulls a body towards a target point: the demo's pull on a ball
// held with the mouse. It acts through the centre and so exerts no torque: every body has unit
// inertia next to a mass of 10, and a force at the surface would spin it far faster than an
// explicit step of 0.1 can follow.

#include "force.h"
#include "math/vec3.h"

class SpringDamper : public Force {
 public:
  // Per unit of mass, so that every body follows alike: stiffness in 1/s^2, damping in 1/s.
  // Stiffness 16 and damping 8 (critical damping, 4/s) settle a body within about a second
  // and stay stable for every step the panel allows (up to 0.2).
  static constexpr float kStiffness = 16.0f;
  static constexpr float kDamping = 8.0f;
  // Farther away than this, the spring pulls as if the target were this far: the body then
  // approaches at no more than kStiffness kMaxStretch / kDamping = 12 units a second, slower
  // than the shot, so that a pull across the box cannot throw a ball through another.
  static constexpr float kMaxStretch = 6.0f;

  // m (k s - c v) in the floor's plane (y = 0 of s and v; the force has no vertical part),
  // s = target - (position + grip_offset) shortened to kMaxStretch: the held point, grip_offset
  // from the centre in world axes, is drawn to the target, and the body's motion is damped.
  Vec3 ComputeForce(float mass, const RigidBody& body, const Vec3& velocity) override;
  // Acts through the centre: zero.
  Vec3 ComputeTorque(const RigidBody& body, const Vec3& force) override;

  Vec3 target;       // world coordinates
  Vec3 grip_offset;  // the held point relative to the body's centre, world axes
};
