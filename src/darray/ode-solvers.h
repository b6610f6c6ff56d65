#pragma once
// Euler and classical Runge-Kutta over a float state vector. They see the simulated system only
// as something that fills in a derivative, so they know nothing of bodies; the time they are
// given is left to the caller to advance.

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

// Classical fourth-order Runge-Kutta: four derivative requests (at t, twice at the midpoint, at
// t + h), all taken before `state` changes. Each request may load its trial state into the
// system, so afterwards the system holds the last trial, not the result: reload from `state`.
void RK4Step(DArrayFloat& state, float t, float h, OdeSystem& system);
