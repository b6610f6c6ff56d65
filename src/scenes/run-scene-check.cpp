#include "scenes/run-scene-check.h"

#include "inspect/frame-advance.h"

const CheckFigures& RunSceneCheck(Scene& scene, Experiment& experiment, float h) {
  StartExperiment(scene, experiment, false);
  FramePacer every_frame;  // one iteration per call, as the demo's default pacing
  while (experiment.check.figures().quantity && !experiment.check.figures().complete &&
         experiment.check.iterations() < kMaxCheckIterations) {
    AdvanceFrame(scene, true, every_frame, 0.0, h, nullptr, false, &experiment.check);
  }
  return experiment.check.figures();
}
