#pragma once
// The play volume: the inside of the box the bodies move in, in world units. The box model
// (box.tris, written by tools/make-meshes) has its six walls on these planes, and the body-body
// pass keeps every body's centre within them.

#include "math/vec3.h"

namespace play_volume {

constexpr float kMinX = -15.0f, kMaxX = 15.0f;
constexpr float kMinY = -1.0f, kMaxY = 10.0f;  // the floor one unit below the resting centres
constexpr float kMinZ = -20.0f, kMaxZ = 20.0f;

// Inside or on a wall.
inline bool Contains(const Vec3& p) {
  return p.x >= kMinX && p.x <= kMaxX && p.y >= kMinY && p.y <= kMaxY && p.z >= kMinZ && p.z <= kMaxZ;
}

}  // namespace play_volume
