#pragma once
// The arithmetic of orbiting the eye with the mouse, apart from the window system so that it can
// be tested headless. Mouse coordinates are window pixels with y growing downwards.

#include "inspect/view-zoom.h"
#include "math/vec3.h"

// The distance of the eye from the origin at start-up; the mouse wheel changes it (view-zoom).
constexpr float view_distance = kStartViewDistance;

struct MouseOrbit {
  bool left_down = false;
  bool right_down = false;
  int last_x = -1;  // x of the last press or drag position of the left button
  int last_y = -1;  // y of the last press or drag position of the right button
  int azimuth = 0;  // degrees about the y axis; back to 0 on reaching +-360
  int polar = 1;    // degrees of the eye from the +y axis, kept in 1..180
  float distance = view_distance;  // of the eye from the origin, within view-zoom's limits
};

// A button went down (state 0) or up (state 1) at (x, y): button 0 (left) keeps x and its held
// flag, button 2 (right) keeps y and its held flag; other buttons change nothing.
void PressOrRelease(MouseOrbit& orbit, int button, int state, int x, int y);

// The pointer moved to (x, y) with a button held. A held left button turns the azimuth against
// the drag (at most 20 degrees per event), a held right button the polar angle (likewise, then
// kept in 1..180).
void Drag(MouseOrbit& orbit, int x, int y);

// The mouse wheel: `notches` towards the scene (negative: away) bring the eye nearer, kept
// within view-zoom's limits.
void Zoom(MouseOrbit& orbit, int notches);

// Home: the start-up view again (azimuth 0, polar 1, distance 120). Buttons held stay held.
void RestoreStartView(MouseOrbit& orbit);

// The eye at distance R from the origin for the given angles in degrees:
// (R sin(polar) cos(azimuth), R cos(polar), -R sin(polar) sin(azimuth)).
Vec3 OrbitEye(int azimuth, int polar, float distance = view_distance);
