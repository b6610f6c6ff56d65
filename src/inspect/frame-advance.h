#pragma once
// The simulation's part of one drawn frame of the demo: while the simulation is started, the
// iterations the pacer allows at this wall time, each the full iteration (step, body-body pass,
// wall pass) followed by the slide-to-roll rule. With the default pacing that is exactly one
// iteration per frame.

#include "inspect/frame-pacer.h"
#include "scene.h"

class SceneCheck;
class SceneMonitor;
class Timeline;

// Returns the iterations taken. Not started: none, and the pacer holds its clock. A monitor, if
// given, sees every iteration and the frame; timed asks the iterations for their cost split. A
// scene check, if given, measures after every iteration. A timeline, if given, is asked before
// every iteration whether it may run (and its step, which a replayed action may have changed,
// replaces h) and keeps the state after it.
int AdvanceFrame(Scene& scene, bool started, FramePacer& pacer, double now, float h,
                 SceneMonitor* monitor = nullptr, bool timed = false, SceneCheck* check = nullptr,
                 Timeline* timeline = nullptr);
