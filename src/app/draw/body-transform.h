#pragma once
// Where a body is drawn: its position, and its orientation as the angle and axis that the
// drawing library's rotation takes.

#include "math/vec3.h"

class RigidBody;

struct BodyTransform {
  Vec3 translation;     // world position of the body's origin
  float angle_degrees;  // rotation about `axis`, applied before the translation
  Vec3 axis;            // not unit length; only its direction counts
};

// The transform that maps the body's model coordinates to world coordinates as its
// orientation does: angle 0 about (0, 1, 0) for the identity.
BodyTransform TransformOf(const RigidBody& body);
