#pragma once
// What the last collision passes found, for whoever wants to see it (the demo's contact view):
// the first touching triangle pair of every contact, and the wall normal each wall contact used.
// The passes fill it only when one is attached to their workspace.

#include <cstdint>
#include <vector>

#include "math/vec3.h"

// A body's triangle touching a triangle of another body or of an environment body. Triangle
// ids are the models' ids (their 0-based positions in the mesh files).
struct TouchingTriangles {
  uint32_t body;
  int triangle;
  bool other_is_environment;
  uint32_t other;  // body index in the same system, or environment body index
  int other_triangle;
};

// The stored normal of the environment triangle a wall contact used (model coordinates of the
// environment body), and whether the body bounced off it.
struct WallNormalUsed {
  uint32_t body;
  uint32_t environment_body;
  int triangle;
  Vec3 normal;
  bool bounced;
};

struct ContactRecord {
  std::vector<TouchingTriangles> touching;
  std::vector<WallNormalUsed> walls;

  void Clear() {
    touching.clear();
    walls.clear();
  }
};
