#pragma once
// A body's collision model together with what the passes may know of it without a query: a ball
// that holds every triangle, and an identity no other model loaded in this run has. Bodies built
// from the same file share one CollisionMesh, read-only.

#include <cstdint>
#include <memory>

#include "collision/cq.h"

// A ball in model coordinates that holds every vertex (and so every triangle) of a model.
struct BoundingBall {
  double center[3] = {0, 0, 0};
  double radius = 0;
};

struct CollisionMesh {
  CQ_Model model;
  // Holds every triangle. A model that is not built gets an infinite radius: nothing can be
  // concluded from it, and the query (which refuses such a model) decides.
  BoundingBall ball;
  uint64_t id = 0;  // unique among the meshes of this run, never reused
};

// Fills a collision model from the same file and scale as the render model, each triangle's id
// being its position in the file: that is how a contact's id finds its face normal. Exits on a
// bad file like Model::Load.
void LoadCollisionModel(CQ_Model& model, const char* file_name, float scale);

// Builds the collision model of a .tris file (BeginModel(8), AddTri per triangle with id = its
// index, EndModel) and its bounding ball. Exits on a bad file like the render loader.
std::shared_ptr<const CollisionMesh> LoadCollisionMesh(const char* file_name, float scale);

// The mesh of a body that was never given one: not built, so every query on it is refused.
std::shared_ptr<const CollisionMesh> EmptyCollisionMesh();

// A ball around a built model's vertices, centred on its root box, with a radius rounded up so
// that rounding can never leave a vertex outside. Infinite radius for a model that is not built.
BoundingBall EnclosingBall(const CQ_Model& model);
