#include "app/app-globals.h"

// One translation unit, so the definition order here is the construction order.
Camera camera(50.0f);
WindowRecord window_table[kWindowTableSize];
int main_window = -1;
PanelHost panel_host;

const std::chrono::steady_clock::time_point frame_clock_origin = std::chrono::steady_clock::now();

Scene scene;
ForceList& global_forces = scene.global_forces;
RBSystem& environment_system = scene.environment_system;
RBSystem& bodies_system = scene.bodies_system;

ExperimentControl experiment_control;
Experiment& experiment = experiment_control.experiment;
bool& started = experiment_control.started;
int wireframe = 0;
int sim_method = 0;
float& slide = scene.slide;
float& roll = scene.roll;
float step_size = 0.1f;

MouseOrbit mouse_orbit;
AimDrag aim_drag;

CloseLook close_look;

Timeline timeline(RunParts{scene, experiment_control, step_size, close_look.pull});
bool print_fingerprint_at_exit = false;
const char* shots_folder = ".";
const char* replay_file = nullptr;
