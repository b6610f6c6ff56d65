#pragma once
// The shared scene set up from the committed mesh files, with its set-up text kept instead of
// printed, and the seeded break shot that the scene, contact, workspace and frame tests run.

#include <gtest/gtest.h>

#include <string>

#include "scene.h"
#include "test-files.h"

struct QuietScene {
  explicit QuietScene(unsigned seed, unsigned bodies = 10, int model = 3) : scene(bodies) {
    ScopedWorkingDirectory in_data(QUORVEL_DATA_DIR);
    testing::internal::CaptureStderr();
    SetUpScene(scene, seed, bodies, model);
    setup_text = testing::internal::GetCapturedStderr();
  }
  Scene scene;
  std::string setup_text;
};

// The seeded break shot: the scene set up with the seed, the integrator chosen, then shot as the
// Start button shoots (no passes run between the shot and the first iteration, so a test may
// still switch the workspace's shortcuts or record on).
struct BreakShot : QuietScene {
  explicit BreakShot(unsigned seed, bool rk4 = false, unsigned bodies = 10) : QuietScene(seed, bodies) {
    if (rk4) scene.bodies_system.SetRK4();
    StartScene(scene, false);
  }
  // What one running frame does to the simulation: an iteration of h, then the rolling rule.
  void Iterate(float h = 0.1f, IterationStats* stats = nullptr) {
    RunSimulationIteration(scene.bodies_system, scene.environment_system, h, stats);
    ApplyRollingRule(scene);
  }
};
