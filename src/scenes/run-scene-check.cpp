#include "scenes/run-scene-check.h"

const CheckFigures& RunSceneCheck(Scene& scene, Experiment& experiment, float h) {
  StartExperiment(scene, experiment, false);
  SceneCheck& check = experiment.check;
  while (check.figures().quantity && !check.figures().complete && check.iterations() < kMaxCheckIterations) {
    // Each iteration as a frame of the demo takes it (inspect/frame-advance): the iteration, then
    // the rolling rule.
    RunSimulationIteration(scene.bodies_system, scene.environment_system, h);
    ApplyRollingRule(scene);
    check.Observe(scene, h);
  }
  return check.figures();
}
