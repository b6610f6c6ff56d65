#pragma once
// Cheap tests that tell, without a collision query, that two placed models cannot touch. Each
// says "apart" only when the query itself, with its own rounding, would find no touching pair:
// the passes skip such queries without changing any result.

#include "body-placement.h"

class CQ_Model;

// A model's bounding ball as a placement puts it in the world.
struct PlacedBall {
  double center[3];  // the ball's centre placed: R c + T
  double radius;     // in model coordinates
  double offset;     // |c|, the ball centre's distance from the model's origin
  // How far R is from a rotation: the largest row sum of |R^T R - I|. R's singular values lie
  // within sqrt(1 +- rotation_error), so it may stretch the model by that much.
  double rotation_error;
};

// How far a placement's rotation is from a rotation, as PlacedBall::rotation_error; infinite
// when it is not finite.
double RotationError(const double R[3][3]);

// True when no triangle held by one ball can touch a triangle held by the other, whichever
// model the query takes first.
bool BallsApart(const PlacedBall& a, const PlacedBall& b);

// True when the ball (centre in model 1's coordinates, radius) is clear of every triangle of
// model 2, each placed into model 1's coordinates exactly as the query places it. Only models of
// at most kMaxScannedTriangles triangles are scanned; for larger ones, and for anything not
// finite, the answer is false and the query decides.
constexpr int kMaxScannedTriangles = 64;
bool BallClearOfTriangles(const double center[3], double radius, const BodyPlacement& p1, const CQ_Model& model2,
                          const BodyPlacement& p2);
