#pragma once
// Whether two triangles touch, decided exactly in integer arithmetic, for triangles with integer
// coordinates of at most kExactLimit in size. Any triangle will do: an area, a segment (collinear
// or with two equal vertices) or a single point.
//
// The triangles touch exactly when the origin lies in the convex hull of the nine differences
// p - q. When it does not, the hull's point c closest to the origin separates: c . s >= |c|^2 > 0
// for every difference s. That point lies inside a face of the hull spanned by one, two or three
// of the differences, and is the origin's projection onto the face's affine hull: s itself, or
// d x (s x d) along the line through s with direction d, or the normal of the plane through three
// of them (up to sign). Trying every one of those directions is therefore complete, and each one
// that separates is a true separation.
//
// With coordinates of at most 2^10 every product below stays under 2^63. The same bound keeps
// every product and sum of the collision library's triangle test exact in double, so the two can
// be compared answer for answer.
#include <cstdint>
#include <cstdlib>

namespace exact_contact {

constexpr int64_t kExactLimit = 1024;

struct IVec {
  int64_t x, y, z;
};

inline IVec operator-(const IVec& a, const IVec& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline IVec Cross(const IVec& a, const IVec& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline int64_t Dot(const IVec& a, const IVec& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// True when every difference lies strictly on one side of the plane through the origin with
// normal u (a zero u separates nothing).
inline bool Separates(const IVec& u, const IVec s[9]) {
  bool all_above = true, all_below = true;
  for (int k = 0; k < 9; k++) {
    const int64_t d = Dot(u, s[k]);
    all_above = all_above && d > 0;
    all_below = all_below && d < 0;
  }
  return all_above || all_below;
}

inline bool InRange(const IVec& v) {
  return std::llabs(v.x) <= kExactLimit && std::llabs(v.y) <= kExactLimit &&
         std::llabs(v.z) <= kExactLimit;
}

// 1 when the closed triangles p[0]p[1]p[2] and q[0]q[1]q[2] share a point, 0 otherwise.
inline int TrianglesTouch(const IVec p[3], const IVec q[3]) {
  IVec s[9];
  for (int i = 0; i < 3; i++)
    for (int j = 0; j < 3; j++) s[3 * i + j] = p[i] - q[j];
  for (int a = 0; a < 9; a++) {
    if (Separates(s[a], s)) return 0;
    for (int b = a + 1; b < 9; b++) {
      const IVec d = s[b] - s[a];
      if (Separates(Cross(d, Cross(s[a], d)), s)) return 0;
      for (int c = b + 1; c < 9; c++)
        if (Separates(Cross(d, s[c] - s[a]), s)) return 0;
    }
  }
  return 1;
}

}  // namespace exact_contact
