#pragma once
// How far each integrator's sliding ball is from the closed form v0 e^(-k t) as the step
// shrinks: the slide-to-roll scene's overlay shows it. Measured by running the simulation's own
// step on one ball, not by formula.

#include <array>

// The steps compared: the panel's largest, then halved four times.
constexpr std::array<float, 5> kErrorSteps = {0.2f, 0.1f, 0.05f, 0.025f, 0.0125f};
// The time the ball is integrated to, a whole number of every step above.
constexpr double kErrorTime = 1.6;

struct IntegratorErrors {
  // |v(t) / (v0 e^(-k t)) - 1| at t = kErrorTime, for each step of kErrorSteps.
  std::array<double, kErrorSteps.size()> euler{};
  std::array<double, kErrorSteps.size()> rk4{};
};

// A ball of mass 10 shot at 15 without spin, sliding with coefficient `slide` (its friction one
// unit below its centre, as in the scene), stepped to kErrorTime with each integrator and step.
// Needs no mesh file: the step touches no model.
IntegratorErrors MeasureIntegratorErrors(float slide);
