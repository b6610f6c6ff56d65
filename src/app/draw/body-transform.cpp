#include "app/draw/body-transform.h"

#include "rigid-body.h"

BodyTransform TransformOf(const RigidBody& body) {
  BodyTransform transform;
  transform.translation = body.position;
  body.orientation.ToAxisAngle(transform.angle_degrees, transform.axis);
  return transform;
}
