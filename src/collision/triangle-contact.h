#pragma once
// The query's exact triangle test, public so that a caller can check the query's pairs against
// every triangle pair (as our tests do) or test triangles of its own.

// 1 when the triangles P1P2P3 and Q1Q2Q3 (one frame) touch, i.e. none of the 17 axes (two
// normals, nine edge crosses, six in-plane edge normals) separates them; 0 otherwise. No axis is
// normalised and there is no tolerance; a zero axis never separates. A triangle without a plane
// (a segment or a point, or one whose normal is lost in rounding) is also tried along the
// directions from each edge line and each vertex to the other triangle's vertices, so segments
// and points get the exact answer as areas do, up to rounding. A pair far beyond 2^64 or below
// 2^-64 in size is tested scaled to unit size, so that no product overflows or underflows; a
// coordinate that is not finite counts as touching.
int TrianglesContact(const double P1[3], const double P2[3], const double P3[3],
                     const double Q1[3], const double Q2[3], const double Q3[3]);
