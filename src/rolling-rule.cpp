#include "rolling-rule.h"

void ApplyRollingRuleToSystem(RBSystem& system, SlidingFriction* const sliding_forces[],
                              RollingResistance* const rolling_forces[], float roll) {
  for (uint32_t i = 0; i < system.BodyCount(); ++i) {
    RigidBody& body = *system.Body(i);
    // Speeds as the passes left them: a bounce or an impulse has already changed them this frame,
    // and the spin the rule sets reaches angular_velocity only when the next step unpacks L.
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
