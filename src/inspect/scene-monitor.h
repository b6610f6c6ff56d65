#pragma once
// What the demo's views watch while the simulation runs: the counters and costs of the last
// iteration, the histories of the kinetic energy and of the contact counts over recent wall
// time, each body's fading contact highlight, and the frame rate. Fed once per iteration and
// once per drawn frame, with the wall time handed in.

#include <cstdint>

#include "inspect/contact-fade.h"
#include "simulation-iteration.h"
#include "inspect/wall-time-series.h"

class RBSystem;

class SceneMonitor {
 public:
  // Frames are counted over windows of this many wall seconds for the frame rate.
  static constexpr double kFrameRateWindow = 0.5;

  // After an iteration and the rolling rule that follows it; stats are the iteration's.
  void AfterIteration(const RBSystem& bodies, const IterationStats& stats, double now);
  // After every drawn frame, whether or not it took iterations.
  void AfterFrame(double now);

  const IterationStats& last_iteration() const { return last_; }
  // Shows an earlier iteration's figures as the last ones (the history's, when browsing).
  void ShowIteration(const IterationStats& stats) { last_ = stats; }
  // False from construction and from ForgetLastIteration until the next iteration: nothing the
  // last iteration measured describes the scene then (after Reset).
  bool has_last_iteration() const { return has_last_; }
  void ForgetLastIteration() { has_last_ = false; }
  uint64_t iterations() const { return iterations_; }  // iterations seen since construction
  // Frames per wall second over the last full window; 0 until one has passed.
  double frames_per_second() const { return frames_per_second_; }

  const WallTimeSeries& kinetic_energy() const { return kinetic_energy_; }
  const WallTimeSeries& body_contacts() const { return body_contacts_; }
  const WallTimeSeries& wall_contacts() const { return wall_contacts_; }
  const ContactFade& fade() const { return fade_; }

 private:
  IterationStats last_;
  bool has_last_ = false;
  uint64_t iterations_ = 0;
  WallTimeSeries kinetic_energy_;
  WallTimeSeries body_contacts_;
  WallTimeSeries wall_contacts_;
  ContactFade fade_;
  bool window_open_ = false;
  double window_start_ = 0;
  int window_frames_ = 0;
  double frames_per_second_ = 0;
};
