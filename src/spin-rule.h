#pragma once
// After an impulse a body's spin is re-aimed about the horizontal axis perpendicular to its new
// velocity, a = normalise(v x (0, -1, 0)), as a ball rolling along v turns. A rolling body's
// angular momentum becomes factor * |v| along a; a sliding body's keeps its size and only turns.
// A vertical or zero velocity leaves a zero, and so zero spin.

#include "rigid-body.h"

inline void ReaimSpin(RigidBody& body, float rolling_factor) {
  Vec3 axis = Cross(body.velocity, Vec3(0.0f, -1.0f, 0.0f));
  axis.Normalize();
  const float size = body.IsRolling() ? rolling_factor * body.velocity.Length() : body.angular_momentum.Length();
  body.angular_momentum = size * axis;
  body.angular_velocity = body.world_inverse_inertia * body.angular_momentum;
}
