#pragma once
// The arithmetic of orbiting the eye with the mouse, apart from the window system so that it can
// be tested headless. Mouse coordinates are window pixels with y growing downwards.

#include "math/vec3.h"

// The distance of the eye from the origin; the orbit never changes it (there is no zoom).
constexpr float view_distance = 120.0f;

struct MouseOrbit {
  bool left_down = false;
  bool right_down = false;
  int last_x = -1;  // x of the last press or drag position of the left button
  int last_y = -1;  // y of the last press or drag position of the right button
  int azimuth = 0;  // degrees about the y axis; back to 0 on reaching +-360
  int polar = 1;    // degrees of the eye from the +y axis, kept in 1..180
};

// A button went down (state 0) or up (state 1) at (x, y): button 0 (left) keeps x and its held
// flag, button 2 (right) keeps y and its held flag; other buttons change nothing.
void PressOrRelease(MouseOrbit& orbit, int button, int state, int x, int y);

// The pointer moved to (x, y) with a button held. A held left button turns the azimuth against
// the drag (at most 20 degrees per event), a held right button the polar angle (likewise, then
// kept in 1..180).
void Drag(MouseOrbit& orbit, int x, int y);

// The eye at view_distance from the origin for the given angles in degrees:
// (R sin(polar) cos(azimuth), R cos(polar), -R sin(polar) sin(azimuth)).
Vec3 OrbitEye(int azimuth, int polar);
