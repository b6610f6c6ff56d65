#include "rb-system.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "force-list.h"
#include "random.h"
#include "test-files.h"

namespace {

const std::string kData = QUORVEL_DATA_DIR;

// "Please wait ..." followed directly by one dot per body loaded.
std::string Progress(const char* file, int bodies) {
  return "Initializing with model " + std::string(file) + "\nPlease wait ..." + std::string(bodies, '.') +
         "\nDone.\n";
}

std::string SetupOutput(RBSystem& system, uint32_t count, int model, float scale) {
  testing::internal::CaptureStderr();
  system.Setup(count, model, scale);
  return testing::internal::GetCapturedStderr();
}

}  // namespace

TEST(RBSystem, ModelFileNamesHaveAtLeastTwoDigits) {
  char name[64];
  const struct {
    int model;
    const char* file;
  } cases[] = {{0, "sphere00.tris"}, {3, "sphere03.tris"}, {12, "sphere12.tris"}, {100, "sphere100.tris"}};
  for (const auto& c : cases) {
    RBSystem::ModelFileName(c.model, name, sizeof name);
    EXPECT_STREQ(name, c.file);
  }
}

TEST(RBSystem, SetupPrintsProgressAndDoesNothingWhenNothingChanged) {
  ScopedWorkingDirectory in_data(kData);
  ForceList forces(10, 10);
  RBSystem system(&forces);
  EXPECT_EQ(SetupOutput(system, 10, 1, 1.0f),
            Progress("sphere01.tris", 10));
  ASSERT_EQ(system.BodyCount(), 10u);
  EXPECT_EQ(system.Body(3)->mass, 10.0f);
  EXPECT_EQ(system.Body(3)->render_model.ntris(), 80);
  EXPECT_EQ(system.Body(3)->collision_model().state(), CQ_ModelState::Built);
  // The file is read once: every body draws and collides with body 0's models, and only the
  // collided flag is each body's own.
  for (uint32_t i = 1; i < 10; ++i) {
    EXPECT_EQ(&system.Body(i)->collision_model(), &system.Body(0)->collision_model()) << i;
    EXPECT_TRUE(system.Body(i)->render_model.SharesMeshWith(system.Body(0)->render_model)) << i;
  }
  system.Body(3)->render_model.MarkCollided();
  EXPECT_FALSE(system.Body(4)->render_model.IsCollided());
  system.Body(3)->position = Vec3(5, 5, 5);
  EXPECT_EQ(SetupOutput(system, 10, 1, 1.0f), "");
  EXPECT_EQ(system.Body(3)->position.x, 5.0f) << "a no-op Setup does not reset";

  EXPECT_EQ(SetupOutput(system, 10, 1, 2.0f),
            Progress("sphere01.tris", 10));
  EXPECT_FLOAT_EQ(system.Body(3)->render_model.TriangleAt(0).vertex[0].Length(), 1.98f);
  EXPECT_NEAR(system.Body(9)->collision_mesh().ball.radius, 1.98, 1e-3) << "the shared collision model rebuilt too";
  EXPECT_EQ(system.Body(3)->position.x, 2.02f) << "a rebuild resets";
  EXPECT_EQ(SetupOutput(system, 2, 0, 2.0f), Progress("sphere00.tris", 2));
  EXPECT_EQ(system.model_number, 0);
}

TEST(RBSystemDeathTest, SetupOfAMissingModelFileNamesIt) {
  ScopedWorkingDirectory in_data(kData);
  ForceList forces(10, 10);
  RBSystem system(&forces);
  EXPECT_EXIT(system.Setup(1, 100, 1.0f), testing::ExitedWithCode(1),
              "Initializing with model sphere100.tris\nPlease wait ...ERROR occurred while parsing "
              "sphere100.tris\nCould not open file.\n");
}

TEST(RBSystem, ResetRacksTheBodiesAndStopsAllMotion) {
  ForceList forces(10, 10);
  RBSystem system(12, &forces);
  SeedRandom(7);
  for (uint32_t i = 0; i < 12; ++i) {
    RigidBody& b = *system.Body(i);
    b.linear_momentum = Vec3(1, 2, 3);
    b.angular_momentum = Vec3(1, 2, 3);
    b.velocity = Vec3(1, 1, 1);
    b.orientation = Quaternion(0, 1, 0, 0);
    b.render_model.MarkCollided();
    b.SetRolling();
  }
  system.time = 4;
  system.collision_free = 0;
  system.Reset();
  EXPECT_EQ(system.time, 0.0f);
  EXPECT_EQ(system.collision_free, 1);
  EXPECT_EQ(system.Body(0)->position.z, 15.0f);
  EXPECT_EQ(system.Body(3)->position.x, 2.02f);
  EXPECT_EQ(system.Body(7)->position.x, -2.01f);
  EXPECT_EQ(system.Body(9)->position.z, -14.8f);
  for (uint32_t i = 0; i < 12; ++i) {
    const RigidBody& b = *system.Body(i);
    EXPECT_EQ(b.linear_momentum.Length() + b.angular_momentum.Length() + b.velocity.Length(), 0.0f) << i;
    EXPECT_EQ(b.orientation.s, 1.0f);
    EXPECT_FALSE(b.render_model.IsCollided());
    EXPECT_TRUE(b.IsRolling()) << "Reset leaves the rolling flag alone";
  }
  for (uint32_t i = 10; i < 12; ++i) {
    const Vec3& p = system.Body(i)->position;
    EXPECT_LE(std::fabs(p.x), 12.0f);
    EXPECT_LE(std::fabs(p.y), 7.0f);
    EXPECT_LE(std::fabs(p.z), 17.0f);
  }
}

TEST(RBSystem, ResetWithFewerThanTenBodiesPlacesOnlyThose) {
  ForceList forces(10, 10);
  RBSystem three(3, &forces);
  three.Reset();
  EXPECT_EQ(three.Body(0)->position.z, 15.0f);
  EXPECT_EQ(three.Body(2)->position.x, 1.01f);
  RBSystem none(&forces);
  none.Reset();
  none.Start();
  EXPECT_EQ(none.time, 0.0f);
}

// The shot: speed 15 in a horizontal direction, momentum 150 for mass 10; nothing else changes.
TEST(RBSystem, StartShootsBodyZeroHorizontally) {
  ForceList forces(10, 10);
  RBSystem system(10, &forces);
  for (uint32_t i = 0; i < 10; ++i) system.Body(i)->SetMass(10.0f);
  system.Reset();
  for (unsigned seed = 1; seed <= 20; ++seed) {
    SeedRandom(seed);
    system.time = 3;
    system.Start();
    const Vec3& p = system.Body(0)->linear_momentum;
    EXPECT_NEAR(p.Length(), 150.0f, 1e-3f);
    EXPECT_EQ(p.y, 0.0f);
    EXPECT_EQ(system.time, 0.0f);
    EXPECT_EQ(system.Body(0)->velocity.Length(), 0.0f) << "velocity follows at the next unpacking";
    EXPECT_EQ(system.Body(1)->linear_momentum.Length(), 0.0f);
  }
}

TEST(RBSystem, StepMovesFreeBodiesByVelocityTimesStepWithEitherIntegrator) {
  ForceList forces(10, 10);
  for (int rk4 = 0; rk4 <= 1; ++rk4) {
    RBSystem system(2, &forces);
    if (rk4) system.SetRK4();
    for (uint32_t i = 0; i < 2; ++i) {
      system.Body(i)->SetMass(10.0f);
      system.Body(i)->linear_momentum = Vec3(10.0f * i + 10.0f, 0, -5);
    }
    for (int n = 0; n < 3; ++n) system.Step(0.1f);
    EXPECT_NEAR(system.Body(1)->position.x, 0.6f, 1e-5f) << rk4;
    EXPECT_NEAR(system.Body(1)->position.z, -0.15f, 1e-5f) << rk4;
    EXPECT_FLOAT_EQ(system.Body(1)->velocity.x, 2.0f);
    EXPECT_EQ(system.time, (0.0f + 0.1f) + 0.1f + 0.1f);
  }
  RBSystem empty(&forces);
  empty.Step(0.25f);
  EXPECT_EQ(empty.time, 0.25f);
}

// The whole system without collisions: ten sphere03 bodies, a seeded break shot, 200 steps with
// each integrator. Every float stays finite and the shot body's speed decays as the viscous
// sliding law predicts: dv/dt = -0.005 * 9.8 * v, so |v| = 15 exp(-0.049 t).
TEST(RBSystem, TwoHundredStepsStayFiniteAndDecayAsTheFrictionLawSays) {
  ScopedWorkingDirectory in_data(kData);
  for (int rk4 = 0; rk4 <= 1; ++rk4) {
    ForceList forces(10, 10);
    RBSystem system(&forces);
    testing::internal::CaptureStderr();
    system.Setup(10, 3, 1.0f);
    testing::internal::GetCapturedStderr();
    for (uint32_t i = 0; i < 10; ++i) {
      auto* sliding = new SlidingFriction(0.005f);
      sliding->SetLeverArm(Vec3(0, -1, 0));
      auto* rolling = new RollingResistance(0.0f);
      rolling->SetLeverArm(Vec3(0, -1, 0));
      system.Body(i)->AttachForce(forces.Append(sliding) - 1);
      system.Body(i)->AttachForce(forces.Append(rolling) - 1);
    }
    if (rk4) system.SetRK4();
    SeedRandom(2024);
    system.Start();
    const float h = 0.1f;
    for (int n = 0; n < 200; ++n) system.Step(h);
    for (uint32_t i = 0; i < 10; ++i) {
      float state[BodyStateFloats];
      system.Body(i)->GetState(state);
      for (float f : state) ASSERT_TRUE(std::isfinite(f)) << "body " << i;
    }
    const double t = 200 * h;
    const double exact = 15.0 * std::exp(-0.049 * t);
    const double euler = 15.0 * std::pow(1.0 - 0.049 * h, 200);
    // Float rounding over 200 steps stays within 2e-5 of each integrator's own answer, far
    // inside the 0.0135 by which Euler's answer differs from the exact decay.
    EXPECT_NEAR(system.Body(0)->velocity.Length(), rk4 ? exact : euler, 2e-5) << rk4;
    EXPECT_EQ(system.Body(5)->velocity.Length(), 0.0f);
    // The friction torque spins the sliding ball up about the horizontal axis across its path.
    EXPECT_GT(system.Body(0)->angular_velocity.Length(), 1.0f);
  }
}
