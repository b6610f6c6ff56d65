#include "inspect/frame-pacer.h"

const char* PacingName(Pacing pacing) {
  switch (pacing) {
    case Pacing::kEveryFrame: return "every frame";
    case Pacing::kRealTime: return "real time";
    case Pacing::kSlowTen: return "slow x10";
  }
  return "?";
}

int FramePacer::IterationsDue(double now, float h) {
  if (paused_) {
    if (single_steps_ == 0) return 0;
    --single_steps_;
    return 1;
  }
  if (mode_ == Pacing::kEveryFrame) return 1;

  if (!clock_running_) {
    clock_running_ = true;
    last_frame_ = now;
    owed_ = 0;
    return 0;
  }
  owed_ += now - last_frame_;
  last_frame_ = now;
  const double wall_per_iteration = (mode_ == Pacing::kSlowTen ? 10.0 : 1.0) * static_cast<double>(h);
  int due = 0;
  while (owed_ >= wall_per_iteration && due < kMostIterationsPerFrame) {
    owed_ -= wall_per_iteration;
    ++due;
  }
  if (owed_ >= wall_per_iteration) owed_ = 0;  // the frame was too slow: forget what it owes
  return due;
}

void FramePacer::Hold() {
  clock_running_ = false;
  single_steps_ = 0;
}

void FramePacer::TogglePause() {
  paused_ = !paused_;
  Hold();
}

void FramePacer::RequestSingleStep() {
  if (paused_) ++single_steps_;
}

void FramePacer::CycleMode() {
  switch (mode_) {
    case Pacing::kEveryFrame: mode_ = Pacing::kRealTime; break;
    case Pacing::kRealTime: mode_ = Pacing::kSlowTen; break;
    case Pacing::kSlowTen: mode_ = Pacing::kEveryFrame; break;
  }
  clock_running_ = false;
}
