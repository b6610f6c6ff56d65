#pragma once
// One triangle of a collision model, in the model's own coordinates.
struct ModelTri {
  double vert1[3];
  double vert2[3];
  double vert3[3];
  int id;  // the caller's identifier, reported by queries; kept when the build reorders triangles
};
