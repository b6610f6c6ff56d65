#include "inspect/experiment-control.h"

void PressStart(Scene& scene, ExperimentControl& control) {
  StartExperiment(scene, control.experiment, control.started);
  control.started = true;
}

void PressReset(Scene& scene, ExperimentControl& control) {
  RackExperiment(scene, control.experiment);
  control.started = false;
}

bool RepeatShot(Scene& scene, ExperimentControl& control) {
  if (!RepeatLastShot(scene, control.experiment)) return false;
  control.started = true;
  return true;
}

void SwitchScene(Scene& scene, ExperimentControl& control, SceneKind kind) {
  ChangeScene(scene, control.experiment, kind);
  control.started = false;
}

bool AimNextShot(ExperimentControl& control, const Shot& shot) {
  if (control.started) return false;
  control.experiment.aim = shot;
  return true;
}
