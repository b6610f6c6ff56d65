#pragma once
// The program's global state, all of it: no other file of the app keeps mutable state of its
// own. All of it exists before main runs, constructed in the order declared here, and is
// destroyed in reverse order at exit. The callbacks of the windows and the panel read and write
// it, one at a time on the event loop's one thread.

#include <chrono>

#include "app/aim-drag.h"
#include "app/camera.h"
#include "app/inspect/close-look.h"
#include "app/mouse-orbit.h"
#include "app/panel/panel-host-state.h"
#include "app/window-record.h"
#include "force-list.h"
#include "inspect/experiment-control.h"
#include "inspect/timeline.h"
#include "rb-system.h"
#include "scene.h"
#include "scenes/experiment.h"

extern Camera camera;  // the main window's view
extern WindowRecord window_table[kWindowTableSize];  // indexed by window id
extern int main_window;  // window id of the main window; -1 before it exists
extern PanelHost panel_host;  // the control panel's window, widgets and queued input

// The origin of the steady clock that paces the frames: the program's start.
extern const std::chrono::steady_clock::time_point frame_clock_origin;

// The simulated scene, shared with the headless benchmark. Its force list is constructed before
// the two systems that keep a pointer to it.
extern Scene scene;
extern ForceList& global_forces;      // owns every force
extern RBSystem& environment_system;  // the box: one body, never stepped
extern RBSystem& bodies_system;       // the moving spheres

// The experiment the user drives: which scene, its seed and options, the aimed and the last shot,
// and whether it is started.
extern ExperimentControl experiment_control;
extern Experiment& experiment;
extern bool& started;    // Start was pressed since the last Reset: frames advance the simulation
extern int wireframe;    // "Wireframe" checkbox: 0 filled polygons, 1 outlines
extern int sim_method;   // "Sim Method" radio group: 0 Euler, 1 RK4
extern float& slide;     // "Slide:" spinner: sliding friction coefficient
extern float& roll;      // "Roll:" spinner: rolling resistance coefficient
extern float step_size;  // "Step:" spinner: simulated time per frame

extern MouseOrbit mouse_orbit;  // the main window's mouse orbit state
extern AimDrag aim_drag;        // a Ctrl + left drag aiming the next shot

// The extras reached by keys, with what their drawing keeps from frame to frame; defined after
// the scene, whose forces a pull under way at exit releases.
extern CloseLook close_look;

// The history of the run's states, and the session being recorded or replayed; defined last, as
// it acts on everything above.
extern Timeline timeline;
// --fingerprint: print the final state's fingerprint at exit. --shots: where 'p' writes.
extern bool print_fingerprint_at_exit;
extern const char* shots_folder;
extern const char* replay_file;  // --replay's file, for messages; null without
