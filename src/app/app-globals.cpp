#include "app/app-globals.h"

// One translation unit, so the declaration order here is the construction order.
Camera camera(50.0f);
WindowRecord window_table[kWindowTableSize];
int main_window = -1;

bool started = false;
int wireframe = 0;
int sim_method = 0;
float slide = 0.005f;
float roll = 0.005f;
float step_size = 0.1f;

MouseOrbit mouse_orbit;
