// The panel's actions on the scene and the simulation part of a frame, on the program's own
// global scene loaded from the mesh files (no window: nothing here draws).

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>

#include "app/app-globals.h"
#include "app/control-panel.h"
#include "app/render-frame.h"

namespace {

constexpr float kRackZ[10] = {15.0f, -8.0f, -9.7f, -11.4f, -9.7f,
                              -11.4f, -13.1f, -11.4f, -13.1f, -14.8f};

class ControlTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // The scene is a global: set it up once per process, from the mesh files, quietly.
    static bool loaded = false;
    if (loaded) return;
    char* previous = getcwd(nullptr, 0);
    ASSERT_EQ(chdir(QUORVEL_DATA_DIR), 0);
    ::testing::internal::CaptureStderr();
    SetUpScene(scene, 12345u);
    ::testing::internal::GetCapturedStderr();
    ASSERT_EQ(chdir(previous), 0);
    free(previous);
    loaded = true;
  }

  void SetUp() override {
    Control(kResetControl);
    step_size = 0.1f;
    sim_method = 0;
    Control(kSimMethodControl);
  }

  static bool Racked() {
    for (uint32_t i = 0; i < bodies_system.BodyCount(); ++i) {
      const RigidBody& body = *bodies_system.Body(i);
      if (std::fabs(body.position.z - kRackZ[i]) > 0.05f) return false;
      if (body.velocity.Length() != 0.0f && i != 0) return false;
    }
    return true;
  }
};

TEST_F(ControlTest, FramesAdvanceOnlyAfterStartByTheStepOfThatFrame) {
  ASSERT_EQ(bodies_system.BodyCount(), 10u);
  EXPECT_FALSE(started);
  ASSERT_TRUE(Racked());
  step_size = 0.2f;
  for (int frame = 0; frame < 20; ++frame) AdvanceSimulation();
  EXPECT_TRUE(Racked()) << "before Start, no body moves whatever the step";
  EXPECT_EQ(bodies_system.time, 0.0f);

  Control(kStartControl);
  EXPECT_TRUE(started);
  const Vec3 shot = bodies_system.Body(0)->linear_momentum;
  EXPECT_NEAR(shot.Length(), 150.0f, 1e-3f) << "speed 15 at mass 10";
  EXPECT_EQ(shot.y, 0.0f);

  step_size = 0.1f;
  AdvanceSimulation();
  EXPECT_FLOAT_EQ(bodies_system.time, 0.1f);
  step_size = 0.01f;  // a change of "Step:" acts on the very next frame
  AdvanceSimulation();
  EXPECT_FLOAT_EQ(bodies_system.time, 0.11f);
  EXPECT_GT(std::fabs(bodies_system.Body(0)->position.z - kRackZ[0]), 0.1f);
}

TEST_F(ControlTest, ResetRacksAndStopsAndTheNextStartDoesNotResetAgain) {
  Control(kStartControl);
  for (int frame = 0; frame < 30; ++frame) AdvanceSimulation();
  ASSERT_FALSE(Racked());

  Control(kResetControl);
  EXPECT_FALSE(started);
  EXPECT_TRUE(Racked());
  EXPECT_EQ(bodies_system.Body(0)->linear_momentum.Length(), 0.0f);
  AdvanceSimulation();
  EXPECT_TRUE(Racked()) << "after Reset the bodies stay in the rack";

  Control(kStartControl);
  EXPECT_TRUE(started);
  EXPECT_TRUE(Racked()) << "shot from the rack";
  EXPECT_NEAR(bodies_system.Body(0)->linear_momentum.Length(), 150.0f, 1e-3f);
}

TEST_F(ControlTest, StartWhileRunningReRacksBeforeTheNewShotAndRestoresSliding) {
  Control(kStartControl);
  for (int frame = 0; frame < 60; ++frame) AdvanceSimulation();
  ASSERT_FALSE(Racked());
  slide = 0.02f;
  Control(kStartControl);
  EXPECT_TRUE(started);
  EXPECT_TRUE(Racked());
  for (uint32_t i = 0; i < bodies_system.BodyCount(); ++i) {
    EXPECT_FALSE(bodies_system.Body(i)->IsRolling()) << i;
    EXPECT_EQ(scene.sliding_forces[i]->coefficient, 0.02f) << i;
    EXPECT_EQ(scene.rolling_forces[i]->coefficient, 0.0f) << i;
  }
  slide = 0.005f;
}

TEST_F(ControlTest, SimMethodChoosesTheIntegratorWithoutMovingAnyBody) {
  Control(kStartControl);
  AdvanceSimulation();
  const Vec3 before = bodies_system.Body(0)->position;
  sim_method = 1;
  Control(kSimMethodControl);
  EXPECT_EQ(bodies_system.use_rk4, 1);
  EXPECT_TRUE(started);
  EXPECT_EQ(bodies_system.Body(0)->position.z, before.z);
  AdvanceSimulation();
  EXPECT_NE(bodies_system.Body(0)->position.z, before.z);
  sim_method = 0;
  Control(kSimMethodControl);
  EXPECT_EQ(bodies_system.use_rk4, 0);

  Control(99);  // unknown ids do nothing
  EXPECT_TRUE(started);
}

}  // namespace
