#pragma once
// The mouse wheel's zoom: the eye's distance from the origin, one notch at a time, within
// limits that keep the whole box between the clip planes.
//
// The box's farthest point from the origin is a corner such as (15, 10, 20), 26.93 away, so
// every point of it lies between d - 26.93 and d + 26.93 from an eye at distance d, and no
// nearer or farther along the view. The near plane at 40 cuts nothing while d > 66.93, the far
// plane at 400 nothing while d < 373; the limits keep a margin inside both.

constexpr float kStartViewDistance = 120.0f;  // the start-up view's
constexpr float kNearestViewDistance = 68.0f;
constexpr float kFarthestViewDistance = 360.0f;
// One notch towards the scene brings the eye to this fraction of its distance; one away divides
// by it.
constexpr float kZoomPerNotch = 0.9f;

// The distance after `notches` of the wheel (positive: towards the scene), kept in the limits.
float ZoomViewDistance(float distance, int notches);
