// The energy and momentum figures against their closed forms for bodies moving and spinning.

#include "inspect/scene-measures.h"
#include "inspect/figure-scale.h"

#include <gtest/gtest.h>

#include <cmath>

#include "force-list.h"
#include "rb-system.h"

// One ball of mass 10 moving at (3, 0, 4) has linear energy m |v|^2 / 2 = 125 and momentum
// (30, 0, 40). Spinning with L = (0, 6, 0) under a body inertia of diag (2, 3, 4): unturned, L
// lies along body y and the spin energy is |L|^2 / (2 I_yy) = 6; turned a third of a turn about
// (1, 1, 1), which takes body x to world y (and y to z), L lies along body x and the energy is
// 36 / 4 = 9 (were the turn taken the wrong way, L would lie along body z: 4.5).
TEST(SceneMeasures, OneMovingSpinningBallMatchesTheClosedForms) {
  ForceList forces;
  RBSystem system(1, &forces);
  RigidBody& ball = *system.Body(0);
  ball.SetMass(10.0f);
  ball.body_inertia.Set(2, 0, 0, 0, 3, 0, 0, 0, 4);
  ball.body_inverse_inertia.Set(0.5f, 0, 0, 0, 1.0f / 3.0f, 0, 0, 0, 0.25f);
  ball.linear_momentum = Vec3(30, 0, 40);
  ball.angular_momentum = Vec3(0, 6, 0);

  SceneMeasures m = MeasureBodies(system);
  EXPECT_NEAR(m.linear_kinetic_energy, 125.0, 1e-4);  // 1/m is the float nearest 0.1
  EXPECT_NEAR(m.rotational_kinetic_energy, 6.0, 1e-5);
  EXPECT_EQ(m.momentum[0], 30.0);
  EXPECT_EQ(m.momentum[1], 0.0);
  EXPECT_EQ(m.momentum[2], 40.0);
  EXPECT_EQ(m.rolling, 0u);

  ball.orientation = Quaternion(0.5f, 0.5f, 0.5f, 0.5f);
  m = MeasureBodies(system);
  EXPECT_NEAR(m.rotational_kinetic_energy, 9.0, 1e-5);
  EXPECT_NEAR(m.KineticEnergy(), 134.0, 1e-4);
  // The same from the derived angular velocity: E = omega . L / 2.
  ball.UpdateDerived();
  EXPECT_NEAR(0.5 * Dot(ball.angular_velocity, ball.angular_momentum), m.rotational_kinetic_energy, 1e-5);

  // The bodies of the scene have unit inertia: the spin energy is |L|^2 / 2 whatever the turn.
  ball.body_inertia = Mat3();
  ball.body_inverse_inertia = Mat3();
  ball.orientation = Quaternion(std::sqrt(0.5f), 0, 0, std::sqrt(0.5f));
  EXPECT_NEAR(MeasureBodies(system).rotational_kinetic_energy, 18.0, 1e-5);
}

TEST(SceneMeasures, FiguresSumOverTheBodies) {
  ForceList forces;
  RBSystem system(3, &forces);
  const float masses[3] = {10, 10, 2};
  const Vec3 momenta[3] = {Vec3(10, 0, 0), Vec3(-10, 0, 5), Vec3(0, 2, 0)};
  for (uint32_t i = 0; i < 3; ++i) {
    system.Body(i)->SetMass(masses[i]);
    system.Body(i)->linear_momentum = momenta[i];
    system.Body(i)->angular_momentum = Vec3(0, 0, static_cast<float>(i));
  }
  system.Body(1)->SetRolling();
  system.Body(2)->SetRolling();
  const SceneMeasures m = MeasureBodies(system);
  // 100/20 + 125/20 + 4/4 and (0 + 1 + 4) / 2.
  EXPECT_NEAR(m.linear_kinetic_energy, 5.0 + 6.25 + 1.0, 1e-5);
  EXPECT_DOUBLE_EQ(m.rotational_kinetic_energy, 2.5);
  EXPECT_EQ(m.momentum[0], 0.0) << "opposite momenta cancel";
  EXPECT_EQ(m.momentum[1], 2.0);
  EXPECT_EQ(m.momentum[2], 5.0);
  EXPECT_EQ(m.rolling, 2u);

  RBSystem empty(&forces);
  EXPECT_EQ(MeasureBodies(empty).KineticEnergy(), 0.0);
}

// The overlay's scales come from the shot (mass 10 at speed 15: energy 1125, momentum 150). A
// figure within a relative 1e-5 of zero next to them shows as 0, never -0; one beyond shows as
// it is. A plot's top never falls below its floor, however small the values (rounding noise).
TEST(FigureScale, NearZeroShowsAsZeroAndPlotsKeepTheirFloor) {
  ForceList forces;
  RBSystem system(2, &forces);
  for (uint32_t i = 0; i < 2; ++i) system.Body(i)->SetMass(10.0f);
  const FigureScale scale = ShotScale(system);
  EXPECT_DOUBLE_EQ(scale.energy, 1125.0);
  EXPECT_DOUBLE_EQ(scale.momentum, 150.0);
  for (double value : {-1.4e-3, -1e-9, 0.0, 1.4e-3}) {
    const double shown = ShownFigure(value, scale.momentum);
    EXPECT_EQ(shown, 0.0) << value;
    EXPECT_FALSE(std::signbit(shown)) << value;
  }
  EXPECT_EQ(ShownFigure(-1.6e-3, scale.momentum), -1.6e-3) << "beyond rounding: as it is";
  EXPECT_EQ(ShownFigure(7.0, scale.momentum), 7.0);
  EXPECT_EQ(PlotTop(7.987e-43f, 1.125f), 1.125f);
  EXPECT_EQ(PlotTop(0.0f, 1.0f), 1.0f);
  EXPECT_FLOAT_EQ(PlotTop(100.0f, 1.125f), 110.0f);
}
