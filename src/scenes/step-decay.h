#pragma once
// How much of a ball's speed one integrator step leaves under the friction laws, the factor the
// scenes' predictions carry from one frame to the next.
//
// Both friction laws give F = -(c m 9.8) v, so between contacts dP/dt = -k P with k = 9.8 c,
// whatever the mass, and P(t) = P(0) e^(-k t). The torque of the sliding friction changes L
// only; nothing in the step couples L back into P. One step of h multiplies P by
//   Euler:  1 - x
//   RK4:    1 - x + x^2/2 - x^3/6 + x^4/24   (the classical stages on a linear law give the
//           Taylor polynomial of e^(-x) to fourth order)
// with x = k h, up to float rounding.

// c: the coefficient acting on the ball (its sliding friction's plus its rolling
// resistance's: one of the two is zero at any time).
inline double StepDecay(double h, double c, bool rk4) {
  const double x = 9.8 * c * h;
  if (!rk4) return 1.0 - x;
  return 1.0 - x + x * x / 2.0 - x * x * x / 6.0 + x * x * x * x / 24.0;
}
