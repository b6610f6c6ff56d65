// Experiments set up, shot and repeated as the demo's keys do: the break exactly as the Start
// button shoots it, Enter repeating a run bit for bit, seeded scenes alike every time, and the
// scenes switched in one scene object keeping every ball's forces and their checks passing.

#include "scenes/experiment.h"

#include <gtest/gtest.h>

#include <string>

#include "fingerprint.h"
#include "inspect/experiment-control.h"
#include "inspect/frame-advance.h"
#include "quiet-scene.h"
#include "scenes/integrator-error.h"
#include "scenes/run-scene-check.h"
#include "test-files.h"

namespace {

struct QuietExperiment {
  QuietExperiment(SceneKind kind, unsigned seed, unsigned bodies = 0, int model = 3) {
    experiment.kind = kind;
    experiment.seed = seed;
    experiment.bodies = bodies;
    experiment.model = model;
    ScopedWorkingDirectory in_data(QUORVEL_DATA_DIR);
    testing::internal::CaptureStderr();
    SetUpExperiment(scene, experiment);
    testing::internal::GetCapturedStderr();
  }
  Scene scene;
  Experiment experiment;
};

// The demo's frames at the default pacing, the check watching; the fingerprint after them.
uint64_t RunFrames(Scene& scene, SceneCheck* check, int frames) {
  FramePacer pacer;
  for (int frame = 0; frame < frames; ++frame) AdvanceFrame(scene, true, pacer, 0.0, 0.1f, nullptr, false, check);
  return StateFingerprint(scene.bodies_system);
}

}  // namespace

// With no aim, Start on the break is the plain Start button, also beyond ten balls (placed
// at random) and for a second Start that re-racks them.
TEST(Experiment, TheBreakShootsAsTheStartButtonDoes) {
  // One after the other: both draw from the program's one generator.
  for (unsigned bodies : {10u, 30u}) {
    uint64_t button[2], experiment[2];
    {
      QuietScene quiet(7, bodies, 0);
      for (int started = 0; started < 2; ++started) {
        StartScene(quiet.scene, started != 0);
        button[started] = RunFrames(quiet.scene, nullptr, 80);
      }
    }
    {
      QuietExperiment quiet(SceneKind::Break, 7, bodies, 0);
      for (int started = 0; started < 2; ++started) {
        StartExperiment(quiet.scene, quiet.experiment, started != 0);
        experiment[started] = RunFrames(quiet.scene, &quiet.experiment.check, 80);
      }
    }
    for (int started = 0; started < 2; ++started)
      EXPECT_EQ(button[started], experiment[started]) << bodies << " bodies, started " << started;
  }
}

// Enter re-racks the last shot's rack and shoots it again: the run is the first one bit for bit,
// for the random rack of the crowd and of a break beyond ten balls, and for an aimed shot.
TEST(Experiment, EnterRepeatsTheLastShotBitForBit) {
  struct Case {
    SceneKind kind;
    unsigned bodies;
    bool aimed;
  } cases[] = {{SceneKind::Break, 30, false}, {SceneKind::Crowd, 40, false}, {SceneKind::Glancing, 0, true}};
  for (const Case& c : cases) {
    QuietExperiment quiet(c.kind, 11, c.bodies, 0);
    Scene& scene = quiet.scene;
    Experiment& experiment = quiet.experiment;
    EXPECT_FALSE(RepeatLastShot(scene, experiment)) << "nothing to repeat before the first shot";
    if (c.aimed) experiment.aim = Shot{Vec3(0.6f, 0, -0.8f), 22.5f};
    StartExperiment(scene, experiment, false);
    EXPECT_FALSE(experiment.aim) << "Start takes the aim";
    const uint64_t first = RunFrames(scene, &experiment.check, 120);
    ASSERT_TRUE(RepeatLastShot(scene, experiment));
    EXPECT_EQ(RunFrames(scene, &experiment.check, 120), first) << SceneName(c.kind);
    // Another Start, then Enter: the repeat is of that newer shot.
    StartExperiment(scene, experiment, true);
    const uint64_t newer = RunFrames(scene, &experiment.check, 30);
    ASSERT_TRUE(RepeatLastShot(scene, experiment));
    EXPECT_EQ(RunFrames(scene, &experiment.check, 30), newer) << SceneName(c.kind);
    EXPECT_NE(newer, first) << SceneName(c.kind);
  }
}

// The demo's actions, one call each: with the same seed a whole session of Starts, Resets,
// Enters, aims and scene changes repeats bit for bit; an aim is taken only while racked, kept by
// Reset and used once by Start; a change of scene forgets the aim and the last shot.
TEST(Experiment, ADemoSessionOfActionsRepeatsWithTheSameSeed) {
  auto session = [](unsigned seed) {
    QuietExperiment quiet(SceneKind::Break, seed);
    Scene& scene = quiet.scene;
    ExperimentControl control;
    control.experiment = quiet.experiment;
    std::vector<uint64_t> prints;
    auto frames = [&](int n) {
      prints.push_back(RunFrames(scene, &control.experiment.check, n));
    };
    PressStart(scene, control);
    frames(50);
    EXPECT_FALSE(AimNextShot(control, Shot{Vec3(1, 0, 0), 15})) << "started: not aimed";
    PressStart(scene, control);  // re-racks, another random shot
    frames(50);
    PressReset(scene, control);
    EXPECT_FALSE(control.started);
    EXPECT_TRUE(AimNextShot(control, Shot{Vec3(0, 0, -1), 25}));
    PressReset(scene, control);
    EXPECT_TRUE(control.experiment.aim) << "Reset keeps the aim";
    PressStart(scene, control);
    EXPECT_FALSE(control.experiment.aim) << "Start takes it";
    EXPECT_EQ(control.experiment.last_shot->speed, 25.0f);
    frames(50);
    EXPECT_TRUE(RepeatShot(scene, control));
    frames(50);
    EXPECT_EQ(prints[3], prints[2]) << "Enter repeats the aimed shot";
    {
      ScopedWorkingDirectory in_data(QUORVEL_DATA_DIR);
      testing::internal::CaptureStderr();
      SwitchScene(scene, control, SceneKind::Crowd);
      testing::internal::GetCapturedStderr();
    }
    EXPECT_FALSE(control.started);
    EXPECT_FALSE(RepeatShot(scene, control)) << "a new scene has no last shot";
    PressStart(scene, control);
    frames(30);
    {
      ScopedWorkingDirectory in_data(QUORVEL_DATA_DIR);
      testing::internal::CaptureStderr();
      SwitchScene(scene, control, SceneKind::HeadOn);
      testing::internal::GetCapturedStderr();
    }
    PressStart(scene, control);
    frames(20);
    PressReset(scene, control);
    EXPECT_EQ(scene.bodies_system.Body(1)->position.z, -5.0f) << "Reset racks the scene's own layout";
    return prints;
  };
  const std::vector<uint64_t> first = session(21);
  EXPECT_EQ(session(21), first);
  EXPECT_NE(session(22), first);
}

// The same seed gives the same crowd and the same run; another seed another one.
TEST(Experiment, ASeededSceneRunsAlikeEveryTime) {
  auto run = [](unsigned seed) {
    QuietExperiment quiet(SceneKind::Crowd, seed, 60, 0);
    StartExperiment(quiet.scene, quiet.experiment, false);
    return RunFrames(quiet.scene, &quiet.experiment.check, 100);
  };
  EXPECT_EQ(run(5), run(5));
  EXPECT_NE(run(5), run(6));
}

// Scenes switched as ']' does, in one scene object: every ball keeps its two forces at 2i and
// 2i + 1, the force list holds two per ball of the most balls so far and nothing else, and each
// scene's own check still passes after the others ran.
TEST(Experiment, SwitchedScenesKeepEveryBallsForcesAndPassTheirChecks) {
  QuietExperiment quiet(SceneKind::Break, 3, 20, 0);
  Scene& scene = quiet.scene;
  Experiment& experiment = quiet.experiment;
  ScopedWorkingDirectory in_data(QUORVEL_DATA_DIR);
  testing::internal::CaptureStderr();
  for (int k = 0; k < kSceneCount; ++k) {
    const SceneKind kind = NextScene(experiment.kind);
    ChangeScene(scene, experiment, kind);
    const uint32_t n = scene.bodies_system.BodyCount();
    ASSERT_EQ(n, SceneBodyCount(kind, 20)) << SceneName(kind);
    for (uint32_t i = 0; i < n; ++i) {
      const RigidBody& body = *scene.bodies_system.Body(i);
      ASSERT_EQ(body.force_count, 2);
      EXPECT_EQ(scene.global_forces.Element(body.force_ids.At(0)), scene.sliding_forces[i]);
      EXPECT_EQ(scene.global_forces.Element(body.force_ids.At(1)), scene.rolling_forces[i]);
    }
    EXPECT_EQ(scene.global_forces.Count(), 40);
    const CheckFigures& figures = RunSceneCheck(scene, experiment, 0.1f);
    if (kind != SceneKind::Break) {
      EXPECT_TRUE(figures.measured_yet && figures.pass) << SceneName(kind) << ": measured " << figures.measured
                                                        << ", predicted " << figures.predicted;
    }
  }
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(experiment.kind, SceneKind::Break);
}

// The slide-to-roll overlay's table: Euler's error is first order, so it halves with the step;
// RK4's is fourth order and far smaller, down at float rounding unless the friction is strong.
TEST(Experiment, IntegratorErrorsFallWithTheStepAsTheirOrder) {
  for (float slide : {0.005f, 0.1f}) {
    const IntegratorErrors errors = MeasureIntegratorErrors(slide);
    for (size_t s = 0; s + 1 < kErrorSteps.size(); ++s) {
      const double ratio = errors.euler[s] / errors.euler[s + 1];
      EXPECT_GT(ratio, 1.8) << slide << " at step " << kErrorSteps[s];
      EXPECT_LT(ratio, 2.2) << slide << " at step " << kErrorSteps[s];
      EXPECT_LT(errors.rk4[s], errors.euler[s] / 100) << slide << " at step " << kErrorSteps[s];
    }
  }
  // Strong friction lifts RK4's error above rounding at the largest steps: it falls at least
  // eightfold per halving there (sixteenfold in exact arithmetic).
  const IntegratorErrors strong = MeasureIntegratorErrors(0.1f);
  EXPECT_GT(strong.rk4[0] / strong.rk4[1], 8.0);
}
