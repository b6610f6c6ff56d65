#pragma once
// An experiment as plain data: which scene, the seed, the --bodies and --model choices, the
// aimed next shot, and the last shot with the rack it was taken from, so that it can be repeated
// exactly (and, later, recorded and replayed). The functions here set the scene up, rack it,
// take the shot and repeat it; the demo's keys and the benchmark's --scene call them.

#include <optional>
#include <vector>

#include "scene.h"
#include "scenes/scene-check.h"
#include "scenes/scene-kind.h"
#include "scenes/shot.h"

struct Experiment {
  SceneKind kind = SceneKind::Break;
  unsigned seed = 0;
  unsigned bodies = 0;  // --bodies; 0 when not given (each scene has its default)
  int model = 3;        // --model: sphereNN.tris

  std::optional<Shot> aim;        // the next shot, aimed by the user; taken (and cleared) by Start
  std::optional<Shot> last_shot;  // the shot the current run began with
  std::vector<float> rack;        // every body's 13 state floats just before that shot
  SceneCheck check;               // the scene's prediction and what the run measures
};

// The experiment's scene from scratch: the generator seeded with experiment.seed, the box and the
// balls loaded (as InitScene does), then racked. The break is exactly InitScene's scene.
void SetUpExperiment(Scene& scene, Experiment& experiment);

// Switches to another scene: the balls it needs (rebuilt only when their number or model
// changes), racked, with no aim and no last shot. The caller ends any pull on a body first.
void ChangeScene(Scene& scene, Experiment& experiment, SceneKind kind);

// Puts the scene's balls where it starts them, at rest, and runs both collision passes, as the
// Reset button does for the break. The crowd draws its positions from the generator.
void RackExperiment(Scene& scene, const Experiment& experiment);

// The Start button: every ball sliding again; if already started, a fresh rack; the crowd's balls
// given their random velocities; then the aimed shot, or else the scene's own (for the break and
// the crowd the usual random one). The rack and the shot are kept for RepeatLastShot.
void StartExperiment(Scene& scene, Experiment& experiment, bool started);

// Enter: the rack of the last shot again and the same shot, so that the run repeats bit for bit.
// False, changing nothing, when no shot has been taken since the scene was set up.
bool RepeatLastShot(Scene& scene, Experiment& experiment);

// The shot a scene takes when nobody aimed: the random one for the break and the crowd, a fixed
// one at speed 15 for the others.
Shot SceneShot(SceneKind kind);
