// Fuzz target: the triangle test against the exact answer, on triangles with small integer
// coordinates (where the test's double arithmetic is exact, so any disagreement is a missing or
// wrong axis). The input chooses each vertex: a new point, a repeat of an earlier one, or a point
// on the line of two earlier ones, and may put both triangles in one plane.
#include <cstdint>

#include "collision/exact-triangle-contact.h"
#include "collision/walk/overlap.h"
#include "fuzz-input.h"

namespace {

using exact_contact::IVec;

// Integer coordinates of at most `limit` in size.
int64_t Coordinate(FuzzInput& in, int limit) { return in.Int16() % (limit + 1); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  const uint8_t style = in.Byte();
  // Small ranges make touching, coincidence and collinearity common; the plane, when there is
  // one, is spanned by two short integer vectors from an integer origin.
  const int limit = (style & 1) ? 8 : 64;
  const bool coplanar = style & 2;
  IVec origin = {Coordinate(in, 256), Coordinate(in, 256), Coordinate(in, 256)};
  IVec u = {Coordinate(in, 3), Coordinate(in, 3), Coordinate(in, 3)};
  IVec v = {Coordinate(in, 3), Coordinate(in, 3), Coordinate(in, 3)};
  IVec points[6];
  for (int k = 0; k < 6; k++) {
    const uint8_t how = in.Byte();
    if (k > 0 && how % 4 == 1) {
      points[k] = points[in.Byte() % k];
    } else if (k > 1 && how % 4 == 2) {
      const IVec a = points[in.Byte() % k], b = points[in.Byte() % k];
      const int64_t t = in.SignedByte() % 4;
      points[k] = {a.x + t * (b.x - a.x), a.y + t * (b.y - a.y), a.z + t * (b.z - a.z)};
    } else if (coplanar) {
      const int64_t s = Coordinate(in, limit), t = Coordinate(in, limit);
      points[k] = {origin.x + s * u.x + t * v.x, origin.y + s * u.y + t * v.y, origin.z + s * u.z + t * v.z};
    } else {
      points[k] = {Coordinate(in, limit), Coordinate(in, limit), Coordinate(in, limit)};
    }
  }
  for (const IVec& p : points)
    if (!exact_contact::InRange(p)) return 0;

  double d[6][3];
  for (int k = 0; k < 6; k++) {
    d[k][0] = static_cast<double>(points[k].x);
    d[k][1] = static_cast<double>(points[k].y);
    d[k][2] = static_cast<double>(points[k].z);
  }
  const int exact = exact_contact::TrianglesTouch(points, points + 3);
  const int fast = TrianglesContact(d[0], d[1], d[2], d[3], d[4], d[5]);
  FUZZ_CHECK(fast == exact, "TrianglesContact says %d, the exact answer %d", fast, exact);
  // The answer does not depend on which triangle comes first.
  FUZZ_CHECK(TrianglesContact(d[3], d[4], d[5], d[0], d[1], d[2]) == exact, "the swapped pair differs");
  return 0;
}
