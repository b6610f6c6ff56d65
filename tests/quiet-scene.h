#pragma once
// The shared scene set up from the committed mesh files, with its set-up text kept instead of
// printed.

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
