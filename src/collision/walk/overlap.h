#pragma once
// The separating-axis tests of the collision query. Pure functions; nothing is allocated. The
// triangle test itself is public (triangle-contact.h).

#include "triangle-contact.h"

// Box 1 is centred at the origin along the coordinate axes with half side lengths a; box 2 has
// half side lengths b, its axes are the columns of B and its centre is T, all in box 1's frame.
// Returns 0 when none of the 15 axes separates the boxes (each |B| entry is padded by 0.000001,
// and touching is not separation), else the number 1..15 of the first separating axis: box 1's
// axis 0, box 2's axis 0, box 1's axes 1 and 2, box 2's axes 1 and 2, then Ai x Bj for
// i = 0..2, j = 0..2.
int BoxesDisjoint(const double B[3][3], const double T[3], const double a[3], const double b[3]);

// The two steps of TrianglesContact around its seventeen axes, for the AVX2 walk's version of it,
// which computes the same axes and projections four at a time. First the triangles shifted so
// that p[0] is the origin, as TrianglesContact shifts them, and whether it tests them as they are
// (else it rescales them first); then, with their normals np and nq and edges e and f, whether it
// goes on to the directions for triangles without a plane when none of the seventeen separates.
bool ShiftTriangles(const double P1[3], const double P2[3], const double P3[3], const double Q1[3],
                    const double Q2[3], const double Q3[3], double p[3][3], double q[3][3]);
bool TrianglesNeedMoreAxes(const double np[3], const double nq[3], const double e[3][3],
                           const double f[3][3]);

// 1 when the projections of triangles p1p2p3 and q1q2q3 onto axis overlap or only touch, 0 when
// they are separated.
int ProjectionsOverlap(const double axis[3], const double p1[3], const double p2[3],
                       const double p3[3], const double q1[3], const double q2[3],
                       const double q3[3]);
