#pragma once
// The demo's experiment as the user drives it, one function per user action (the Start and
// Reset buttons, Enter, '[' and ']', an aim with the mouse), so that whatever records or
// replays a session hooks each action in one place. GL-free: the demo's callbacks only forward
// to these.

#include "scene.h"
#include "scenes/experiment.h"

struct ExperimentControl {
  Experiment experiment;
  // Start was pressed (or Enter repeated a shot) since the last Reset or change of scene: the
  // frames advance the simulation.
  bool started = false;
};

// The Start button: the aimed shot if one was aimed, else the scene's own (the break's random
// one, exactly as the Start button always did); a started run is re-racked first.
void PressStart(Scene& scene, ExperimentControl& control);

// The Reset button: the scene racked again, not started. The aim and the last shot are kept.
void PressReset(Scene& scene, ExperimentControl& control);

// Enter: the last shot again from its rack, started, so that the run repeats bit for bit. False,
// changing nothing, when no shot has been taken in this scene yet.
bool RepeatShot(Scene& scene, ExperimentControl& control);

// '[' and ']' (and --scene): the scene set up racked, not started, with no aim and no last shot.
// The caller ends a pull under way first and compiles the drawing of balls that were rebuilt.
void SwitchScene(Scene& scene, ExperimentControl& control, SceneKind kind);

// A Ctrl + drag let go: the next Start takes this shot. Only a racked scene (not started) is
// aimed; false, changing nothing, otherwise.
bool AimNextShot(ExperimentControl& control, const Shot& shot);
