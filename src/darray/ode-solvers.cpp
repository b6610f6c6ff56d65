#include "darray/ode-solvers.h"

// Temporaries are DArrayFloat values owned by the solver's frame, so they are released on every
// path. All vectors of one step have the size of the state: the growing accesses never grow.

void EulerStep(DArrayFloat& state, float t, float h, OdeSystem& system) {
  const uint32_t n = state.Size();
  DArrayFloat k(n, 100);
  system.Derivative(t, state, k);
  for (uint32_t i = 0; i < n; ++i) state[i] = h * k[i] + state[i];
}

void RK4Step(DArrayFloat& state, float t, float h, OdeSystem& system) {
  const float sixth = h * 0.16666667f;
  const float half = h * 0.5f;
  const uint32_t n = state.Size();
  DArrayFloat tmp(n, 100);
  DArrayFloat k1(n, 100);
  system.Derivative(t, state, k1);

  DArrayFloat k2(n, 100);
  for (uint32_t i = 0; i < n; ++i) tmp[i] = half * k1[i] + state[i];
  const float tm = half + t;
  system.Derivative(tm, tmp, k2);

  DArrayFloat k3(n, 100);
  for (uint32_t i = 0; i < n; ++i) tmp[i] = half * k2[i] + state[i];
  system.Derivative(tm, tmp, k3);

  DArrayFloat k4(n, 100);
  for (uint32_t i = 0; i < n; ++i) tmp[i] = h * k3[i] + state[i];
  system.Derivative(t + h, tmp, k4);

  for (uint32_t i = 0; i < n; ++i) state[i] = sixth * ((k3[i] + k2[i]) * 2.0f + k4[i] + k1[i]) + state[i];
}
