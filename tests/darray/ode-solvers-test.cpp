#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "darray/ode-solvers.h"

namespace {

// dy/dt = rate * y + constant, elementwise; records the times and the states it was asked at.
class LinearSystem : public OdeSystem {
 public:
  LinearSystem(float rate, float constant) : rate_(rate), constant_(constant) {}
  void Derivative(double, const double*, double*) override {}
  void Derivative(float t, DArrayFloat& state, DArrayFloat& out) override {
    times.push_back(t);
    for (uint32_t i = 0; i < state.Size(); ++i) {
      EXPECT_EQ(out.At(i), 0.0f) << "derivative vectors arrive zero-filled";
      out[i] = rate_ * state[i] + constant_;
    }
  }
  std::vector<float> times;

 private:
  float rate_, constant_;
};

}  // namespace

TEST(OdeSolvers, ExponentialGrowthMatchesTheTaylorSums) {
  DArrayFloat euler(3, 100), rk4(3, 100);
  for (uint32_t i = 0; i < 3; ++i) euler[i] = rk4[i] = 1.0f;
  LinearSystem growth(1.0f, 0.0f);
  EulerStep(euler, 0.0f, 0.1f, growth);
  RK4Step(rk4, 0.0f, 0.1f, growth);
  EXPECT_FLOAT_EQ(euler.At(0), 1.1f);
  EXPECT_NEAR(rk4.At(0), 1.10517083f, 2e-7f);
  EXPECT_NEAR(rk4.At(2), std::exp(0.1f), 1e-6f);
  EXPECT_EQ(euler.Size(), 3u) << "no solver may grow the state";
  EXPECT_EQ(rk4.Size(), 3u);
}

TEST(OdeSolvers, ConstantDerivativeAndTheTimesAskedFor) {
  DArrayFloat euler(4, 100), rk4(4, 100);
  for (uint32_t i = 0; i < 4; ++i) euler[i] = rk4[i] = static_cast<float>(i);
  LinearSystem drift_e(0.0f, 3.0f), drift_r(0.0f, 3.0f);
  EulerStep(euler, 2.0f, 0.5f, drift_e);
  RK4Step(rk4, 2.0f, 0.5f, drift_r);
  for (uint32_t i = 0; i < 4; ++i) {
    EXPECT_FLOAT_EQ(euler.At(i), i + 1.5f);
    EXPECT_NEAR(rk4.At(i), i + 1.5f, 1e-5f);
  }
  EXPECT_EQ(drift_e.times, (std::vector<float>{2.0f}));
  EXPECT_EQ(drift_r.times, (std::vector<float>{2.0f, 2.25f, 2.25f, 2.5f}));
}

TEST(OdeSolvers, ZeroStepLeavesTheStateButStillAsks) {
  DArrayFloat state(2, 100);
  state[0] = 7.0f;
  state[1] = -3.0f;
  LinearSystem system(5.0f, 1.0f);
  EulerStep(state, 0.0f, 0.0f, system);
  RK4Step(state, 0.0f, 0.0f, system);
  EXPECT_EQ(state.At(0), 7.0f);
  EXPECT_EQ(state.At(1), -3.0f);
  EXPECT_EQ(system.times.size(), 5u);
}

// RK4 must not write the state before its last stage: a system that checks the state it is
// handed at the first stage sees the caller's values untouched.
TEST(OdeSolvers, RK4LeavesTheStateAloneUntilTheEnd) {
  class Watcher : public OdeSystem {
   public:
    explicit Watcher(DArrayFloat* watched) : watched_(watched) {}
    void Derivative(double, const double*, double*) override {}
    void Derivative(float, DArrayFloat& state, DArrayFloat& out) override {
      EXPECT_EQ(watched_->At(0), 1.0f);
      out[0] = 1.0f;
      (void)state;
    }
    DArrayFloat* watched_;
  };
  DArrayFloat state(1, 100);
  state[0] = 1.0f;
  Watcher watcher(&state);
  RK4Step(state, 0.0f, 1.0f, watcher);
  EXPECT_NEAR(state.At(0), 2.0f, 1e-6f);
}
