#include "scenes/integrator-error.h"

#include <cmath>

#include "force-list.h"
#include "rb-system.h"

namespace {

double RelativeError(float slide, float h, bool rk4) {
  ForceList forces(2, 2);
  RBSystem system(1, &forces);
  RigidBody& ball = *system.Body(0);
  ball.SetMass(10.0f);
  auto* friction = new SlidingFriction(slide);
  friction->SetLeverArm(Vec3(0, -1, 0));
  forces.Append(friction);
  ball.AttachForce(0);
  if (rk4) system.SetRK4();
  const float v0 = 15.0f;
  ball.linear_momentum = Vec3(0, 0, -v0 * ball.mass);
  const int steps = static_cast<int>(std::lround(kErrorTime / h));
  for (int n = 0; n < steps; ++n) system.Step(h);
  const double exact = v0 * std::exp(-9.8 * slide * steps * static_cast<double>(h));
  return std::fabs(ball.velocity.Length() / exact - 1.0);
}

}  // namespace

IntegratorErrors MeasureIntegratorErrors(float slide) {
  IntegratorErrors errors;
  for (size_t s = 0; s < kErrorSteps.size(); ++s) {
    errors.euler[s] = RelativeError(slide, kErrorSteps[s], false);
    errors.rk4[s] = RelativeError(slide, kErrorSteps[s], true);
  }
  return errors;
}
