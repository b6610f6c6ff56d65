#include "inspect/frame-advance.h"

#include "inspect/scene-monitor.h"
#include "scenes/scene-check.h"

int AdvanceFrame(Scene& scene, bool started, FramePacer& pacer, double now, float h, SceneMonitor* monitor,
                 bool timed, SceneCheck* check) {
  int iterations = 0;
  if (!started) {
    pacer.Hold();
  } else {
    iterations = pacer.IterationsDue(now, h);
  }
  for (int n = 0; n < iterations; ++n) {
    IterationStats stats;
    RunSimulationIteration(scene.bodies_system, scene.environment_system, h, monitor ? &stats : nullptr, timed);
    ApplyRollingRule(scene);
    if (monitor) monitor->AfterIteration(scene.bodies_system, stats, now);
    if (check) check->Observe(scene, h);
  }
  if (monitor) monitor->AfterFrame(now);
  return iterations;
}
