#include "rolling-rule.h"

void ApplyRollingRule(RBSystem& system, SlidingFriction* const sliding_forces[],
                      RollingResistance* const rolling_forces[], float roll) {
  for (uint32_t i = 0; i < system.BodyCount(); ++i) {
    RigidBody& body = *system.Body(i);
    // The derived fields as the collision passes left them; angular_velocity follows L at the
    // next unpacking.
    const float s = body.velocity.Length();
    if (!body.IsRolling()) {
      const float w = body.angular_velocity.Length();
      if (!(w >= s && w > 0.01)) continue;
      sliding_forces[i]->SetCoefficient(0.0f);
      rolling_forces[i]->SetCoefficient(roll);
      body.SetRolling();
    }
    body.angular_momentum.Normalize();
    body.angular_momentum = s * body.angular_momentum;
  }
}
