#include "inspect/frame-advance.h"

#include "collision-workspace.h"
#include "inspect/scene-monitor.h"
#include "inspect/timeline.h"
#include "scenes/scene-check.h"

int AdvanceFrame(Scene& scene, bool started, FramePacer& pacer, double now, float h, SceneMonitor* monitor,
                 bool timed, SceneCheck* check, Timeline* timeline) {
  int iterations = 0;
  if (!started) {
    pacer.Hold();
  } else {
    iterations = pacer.IterationsDue(now, h);
  }
  int taken = 0;
  for (; taken < iterations; ++taken) {
    if (timeline && !timeline->BeforeIteration()) break;
    const float step = timeline ? timeline->step() : h;
    IterationStats stats;
    RunSimulationIteration(scene.bodies_system, scene.environment_system, step,
                           monitor || timeline ? &stats : nullptr, timed);
    ApplyRollingRule(scene);
    if (monitor) monitor->AfterIteration(scene.bodies_system, stats, now);
    if (check) check->Observe(scene, step);
    if (timeline) timeline->AfterIteration(stats, scene.bodies_system.Workspace().record);
  }
  if (monitor) monitor->AfterFrame(now);
  return taken;
}
