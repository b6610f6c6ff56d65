#pragma once
// The contacts of a ContactRecord placed in the world, for the demo's contact view: the touching
// triangles at their bodies' poses, and the wall normals used as short arrows at the walls.

#include <vector>

#include "contact-record.h"
#include "math/vec3.h"

class RBSystem;

struct PlacedTriangle {
  Vec3 vertex[3];    // world coordinates
  bool environment;  // a triangle of an environment body (the box)
};

struct WallArrow {
  Vec3 from;  // on the wall's plane, next to the body
  Vec3 to;    // from + length along the normal's reverse: into the play volume
  bool bounced;
};

// Both triangles of every touching pair of the record, in its order, each placed at the pose of
// its body (of `bodies`) or environment body (of `environment`). out is cleared first. Pairs that
// name a body or triangle the systems do not have stop the program.
void PlaceTouchingTriangles(const ContactRecord& record, const RBSystem& bodies, const RBSystem& environment,
                            std::vector<PlacedTriangle>& out);

// One arrow per wall normal of the record, starting where the body's centre projects onto the
// plane of the placed wall triangle. The walls push a body back against the stored normal (it
// points the way a body runs into the wall and is used as it is, not turned with the
// environment body), so the arrow shows the normal reversed. out is cleared first.
void PlaceWallArrows(const ContactRecord& record, const RBSystem& bodies, const RBSystem& environment,
                     float length, std::vector<WallArrow>& out);
