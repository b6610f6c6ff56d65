#pragma once
// One simulation iteration, as the demo's frames and the settling benchmark run it: Step (h), the
// body-body pass, the body-environment pass, in this order.

#include "collision-workspace.h"

class RBSystem;

// What one iteration cost and found.
struct IterationStats {
  float time = 0;  // simulated time after the iteration
  // Seconds of each part on a steady clock; zero unless the iteration was asked to time itself.
  double step_seconds = 0;
  double body_pass_seconds = 0;
  double wall_pass_seconds = 0;
  PassCounters body;  // the body-body pass's counters
  PassCounters wall;  // the body-environment pass's counters
};

// Runs one iteration of bodies against environment. With stats given, the passes' counters are
// copied into it, and with timed also the seconds of the three parts (a few clock reads).
void RunSimulationIteration(RBSystem& bodies, RBSystem& environment, float h, IterationStats* stats = nullptr,
                  bool timed = false);
