#pragma once
// A scene's check run headless, iteration by iteration as the demo's frames run it (the
// iteration, then the rolling rule), from the shot until the check has what it measures.

#include "scenes/experiment.h"

// Bounds a run whose event never comes (a shot aimed to miss, a step that tunnels).
constexpr long kMaxCheckIterations = 20000;

// Shoots the experiment's scene (as set up and racked) with its own shot and runs it with step
// h until its check is complete or the bound is reached. The break has no check: it returns
// figures with no quantity at once.
const CheckFigures& RunSceneCheck(Scene& scene, Experiment& experiment, float h);
