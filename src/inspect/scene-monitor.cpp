#include "inspect/scene-monitor.h"

#include "inspect/scene-measures.h"

void SceneMonitor::AfterIteration(const RBSystem& bodies, const IterationStats& stats, double now) {
  last_ = stats;
  has_last_ = true;
  ++iterations_;
  kinetic_energy_.Add(now, static_cast<float>(MeasureBodies(bodies).KineticEnergy()));
  body_contacts_.Add(now, static_cast<float>(stats.body.contacts));
  wall_contacts_.Add(now, static_cast<float>(stats.wall.contacts));
  fade_.Note(bodies, now);
}

void SceneMonitor::AfterFrame(double now) {
  if (!window_open_) {
    window_open_ = true;
    window_start_ = now;
    window_frames_ = 0;
    return;
  }
  ++window_frames_;
  const double elapsed = now - window_start_;
  if (elapsed >= kFrameRateWindow) {
    frames_per_second_ = window_frames_ / elapsed;
    window_start_ = now;
    window_frames_ = 0;
  }
}
