#pragma once
// Aiming the next shot with the mouse (Ctrl + left drag in the demo's main window): the drag's
// points on the floor's plane become a direction from the shooter and a speed. Plain
// arithmetic on world points (length units), apart from the window system.

#include <optional>

#include "math/vec3.h"
#include "scenes/shot.h"

// A plain Ctrl + click takes the usual speed, 15; a drag gives 1 to 30.
constexpr float kClickShotSpeed = 15.0f;
constexpr float kSlowestAimedShot = 1.0f;
constexpr float kFastestAimedShot = 30.0f;
// A press and a release fewer pixels apart than this on the screen count as a click.
constexpr double kClickPixels = 4.0;

// Where the ray from origin along direction meets the horizontal plane y = height (its y exactly
// height); none when it runs parallel to the plane or away from it.
std::optional<Vec3> PointOnPlane(const Vec3& origin, const Vec3& direction, float height);

// The shot aimed by a drag from `press` to `pointer` (both on the plane of the shooter's centre):
// its direction is the horizontal one from the shooter's centre towards `pointer`; its speed the
// drag's length on that plane, one speed unit per length unit, kept in 1..30, or 15 when the
// pointer moved fewer than kClickPixels on the screen. None when the pointer lies within 0.01 of
// the shooter's centre, which gives no direction.
std::optional<Shot> AimShot(const Vec3& shooter, const Vec3& press, const Vec3& pointer, double screen_pixels);
