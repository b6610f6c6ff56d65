#pragma once
// Two fixed-step explicit integrators on a single-precision state vector. They know the system
// only through OdeSystem, and neither advances the caller's time: the caller adds h afterwards.

#include "darray/darray-float.h"

class OdeSystem {
 public:
  virtual ~OdeSystem() = default;

  // A double-precision derivative; nothing in the program calls it.
  virtual void Derivative(double t, const double* state, double* out) = 0;

  // Writes d(state)/dt at time t into `out`, which has the size of `state` and arrives
  // zero-filled. May change the system's own members; must not change `state`.
  virtual void Derivative(float t, DArrayFloat& state, DArrayFloat& out) = 0;
};

// state = state + h * f(t, state). One derivative request.
void EulerStep(DArrayFloat& state, float t, float h, OdeSystem& system);

// Classical fourth-order Runge-Kutta. Four derivative requests, at t, t + h/2 (twice) and
// t + h; `state` is only written after the last. The system is left holding whatever the last
// request put into it, so callers reload the final state from the vector.
void RK4Step(DArrayFloat& state, float t, float h, OdeSystem& system);
