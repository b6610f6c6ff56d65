#pragma once
// The face normal of a mesh triangle: the unit vector along (b - a) x (c - a), which points to
// the side from which a, b, c run counter-clockwise.

#include "math/vec3.h"

// Every finite triangle with nonzero area gets a finite unit normal, however large or small its
// coordinates; a triangle of zero area (to double precision) or with a non-finite vertex gets the
// zero vector, as it has no normal. Where the single-precision cross product, normalised, is a
// finite unit vector (every triangle of ordinary size), that is the result, bit for bit; only
// where it overflows, underflows or loses the area is the normal worked in double precision.
Vec3 FaceNormal(const Vec3& a, const Vec3& b, const Vec3& c);
