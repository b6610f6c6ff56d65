#pragma once
// From the mouse pointer to the world: the ray of sight through a point of the main window, and
// the point at a given depth along it, by the camera's view and lens. Plain arithmetic, apart
// from the window system, so that it can be tested headless.

#include "app/camera.h"
#include "math/vec3.h"

struct SightRay {
  Vec3 origin;     // the eye
  Vec3 direction;  // unit length, world coordinates
};

// The ray from the eye through window point (x, y) of a width x height viewport, y growing
// downwards and pixel (i, j) covering [i, i + 1) x [j, j + 1): the mouse's pixel is best given as
// (i + 0.5, j + 0.5). The camera's look-at view and vertical field of view, at the viewport's
// aspect ratio, as the projection loads them.
SightRay RayThroughWindowPoint(const Camera& camera, double x, double y, int width, int height);


// Where the ray meets the level plane at height y (the floor's plane, raised): false, leaving
// `point` alone, when it runs level or meets the plane behind the eye.
bool PointAtHeight(const SightRay& ray, float y, Vec3& point);
