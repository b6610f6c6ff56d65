#include "collision/walk/overlap.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

#include "collision/exact-triangle-contact.h"
#include "collision/test-meshes.h"
#include "collision/walk/walk-paths.h"

namespace {

const double kIdentity[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};

void Cross(const double a[3], const double b[3], double out[3]) {
  out[0] = a[1] * b[2] - a[2] * b[1];
  out[1] = a[2] * b[0] - a[0] * b[2];
  out[2] = a[0] * b[1] - a[1] * b[0];
}

double Dot(const double a[3], const double b[3]) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

// Candidate axis k (1..15, in the box test's order) in box 1's frame.
void BoxAxis(int k, const double B[3][3], double axis[3]) {
  const double A[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
  const double Bc[3][3] = {{B[0][0], B[1][0], B[2][0]},
                           {B[0][1], B[1][1], B[2][1]},
                           {B[0][2], B[1][2], B[2][2]}};  // box 2's axes as rows
  const int face[6][2] = {{0, 0}, {1, 0}, {0, 1}, {0, 2}, {1, 1}, {1, 2}};  // (box, axis)
  if (k <= 6) {
    const double* v = face[k - 1][0] == 0 ? A[face[k - 1][1]] : Bc[face[k - 1][1]];
    for (int i = 0; i < 3; i++) axis[i] = v[i];
    return;
  }
  Cross(A[(k - 7) / 3], Bc[(k - 7) % 3], axis);
}

// Does axis k separate the two boxes? Plain projections of the eight corners of each box.
bool Separates(int k, const double B[3][3], const double T[3], const double a[3],
               const double b[3]) {
  double axis[3];
  BoxAxis(k, B, axis);
  if (Dot(axis, axis) < 1e-12) return false;
  double lo1 = 1e300, hi1 = -1e300, lo2 = 1e300, hi2 = -1e300;
  for (int c = 0; c < 8; c++) {
    const double s[3] = {(c & 1) ? 1.0 : -1.0, (c & 2) ? 1.0 : -1.0, (c & 4) ? 1.0 : -1.0};
    const double p1[3] = {s[0] * a[0], s[1] * a[1], s[2] * a[2]};
    double p2[3];
    for (int i = 0; i < 3; i++)
      p2[i] = T[i] + B[i][0] * s[0] * b[0] + B[i][1] * s[1] * b[1] + B[i][2] * s[2] * b[2];
    lo1 = std::min(lo1, Dot(axis, p1));
    hi1 = std::max(hi1, Dot(axis, p1));
    lo2 = std::min(lo2, Dot(axis, p2));
    hi2 = std::max(hi2, Dot(axis, p2));
  }
  return lo1 > hi2 || lo2 > hi1;
}

// Where the segment pq crosses the plane of triangle abc and whether the crossing lies inside
// it: +1 inside, 0 outside, -1 too near the plane or an edge to tell.
int SegmentCrossesTriangle(const double p[3], const double q[3], const double a[3], const double b[3],
                           const double c[3]) {
  const double margin = 1e-7;
  double ab[3], ac[3], n[3];
  for (int i = 0; i < 3; i++) {
    ab[i] = b[i] - a[i];
    ac[i] = c[i] - a[i];
  }
  Cross(ab, ac, n);
  const double length = std::sqrt(Dot(n, n));
  double pa[3], qa[3];
  for (int i = 0; i < 3; i++) {
    pa[i] = p[i] - a[i];
    qa[i] = q[i] - a[i];
  }
  const double dp = Dot(n, pa) / length, dq = Dot(n, qa) / length;
  if (std::fabs(dp) < margin || std::fabs(dq) < margin) return -1;
  if ((dp > 0) == (dq > 0)) return 0;
  const double t = dp / (dp - dq);
  double x[3];
  for (int i = 0; i < 3; i++) x[i] = p[i] + t * (q[i] - p[i]);
  // Signed distances of x from the three edges, inside the triangle all positive.
  const double* corner[3] = {a, b, c};
  bool inside = true;
  for (int e = 0; e < 3; e++) {
    const double* from = corner[e];
    const double* to = corner[(e + 1) % 3];
    double edge[3], rel[3], across[3];
    for (int i = 0; i < 3; i++) {
      edge[i] = to[i] - from[i];
      rel[i] = x[i] - from[i];
    }
    Cross(edge, rel, across);
    const double side = Dot(across, n) / (length * std::sqrt(Dot(edge, edge)));
    if (std::fabs(side) < margin) return -1;
    inside = inside && side > 0;
  }
  return inside ? 1 : 0;
}

}  // namespace

TEST(BoxesDisjoint, IdenticalBoxesAtTheSameCentreOverlap) {
  const double T[3] = {0, 0, 0};
  const double a[3] = {1, 2, 3};
  EXPECT_EQ(BoxesDisjoint(kIdentity, T, a, a), 0);
}

// t equal to or just below the padded limit does not separate; just beyond it does.
TEST(BoxesDisjoint, TouchingFacesCountAsOverlapUntilThePaddedLimit) {
  const double a[3] = {1, 1, 1};
  double T[3] = {2, 0, 0};
  EXPECT_EQ(BoxesDisjoint(kIdentity, T, a, a), 0);
  T[0] = 2.000003;  // the limit of the first test: 1 + 1.000001 + 0.000001 + 0.000001
  EXPECT_EQ(BoxesDisjoint(kIdentity, T, a, a), 0);
  T[0] = 2.00001;
  EXPECT_EQ(BoxesDisjoint(kIdentity, T, a, a), 1);
  T[0] = -2.00001;
  EXPECT_EQ(BoxesDisjoint(kIdentity, T, a, a), 1);
  const double y[3] = {0, 2.00001, 0}, z[3] = {0, 0, -2.00001};
  EXPECT_EQ(BoxesDisjoint(kIdentity, y, a, a), 3);
  EXPECT_EQ(BoxesDisjoint(kIdentity, z, a, a), 4);
}

// For every one of the 15 axes, a pair of boxes separated by that axis alone (checked by
// projecting the corners onto all 15 axes) is reported with that axis's number.
TEST(BoxesDisjoint, ReportsTheNumberOfTheOnlySeparatingAxis) {
  std::mt19937_64 rng(15);
  std::uniform_real_distribution<double> extent(0.3, 2.0);
  for (int k = 1; k <= 15; k++) {
    int found = 0;
    for (int attempt = 0; attempt < 20000 && found < 5; attempt++) {
      double B[3][3], a[3], b[3], axis[3], T[3];
      test_meshes::RandomRotation(rng, B);
      for (int i = 0; i < 3; i++) {
        a[i] = extent(rng);
        b[i] = extent(rng);
      }
      BoxAxis(k, B, axis);
      const double len = std::sqrt(Dot(axis, axis));
      if (len < 0.1) continue;
      for (double& c : axis) c /= len;
      // Projection radii of both boxes on the axis; box 2 is put just beyond touching.
      double r1 = 0, r2 = 0;
      for (int i = 0; i < 3; i++) {
        r1 += a[i] * std::fabs(axis[i]);
        r2 += b[i] * std::fabs(B[0][i] * axis[0] + B[1][i] * axis[1] + B[2][i] * axis[2]);
      }
      for (int i = 0; i < 3; i++) T[i] = axis[i] * (r1 + r2 + 0.01);
      bool only = true;
      for (int j = 1; j <= 15; j++)
        if (j != k && Separates(j, B, T, a, b)) only = false;
      if (!only) continue;
      ASSERT_TRUE(Separates(k, B, T, a, b));
      EXPECT_EQ(BoxesDisjoint(B, T, a, b), k) << "attempt " << attempt;
      found++;
    }
    EXPECT_EQ(found, 5) << "no configuration separated by axis " << k << " alone";
  }
}

TEST(ProjectionsOverlap, TouchingIntervalsOverlapAndSeparatedOnesDoNot) {
  const double axis[3] = {1, 0, 0};
  const double p1[3] = {0, 0, 0}, p2[3] = {1, 5, 0}, p3[3] = {0.5, -3, 2};
  const double q1[3] = {1, 0, 0}, q2[3] = {2, 1, 1}, q3[3] = {3, 0, 0};
  EXPECT_EQ(ProjectionsOverlap(axis, p1, p2, p3, q1, q2, q3), 1);
  EXPECT_EQ(ProjectionsOverlap(axis, q1, q2, q3, p1, p2, p3), 1);
  const double r1[3] = {1.0000001, 0, 0};
  EXPECT_EQ(ProjectionsOverlap(axis, p1, p2, p3, r1, q2, q3), 0);
  EXPECT_EQ(ProjectionsOverlap(axis, r1, q2, q3, p1, p2, p3), 0);
  const double zero[3] = {0, 0, 0};
  EXPECT_EQ(ProjectionsOverlap(zero, p1, p2, p3, r1, q2, q3), 1);
}

TEST(TrianglesContact, SharedFeaturesTouch) {
  const double a[3] = {0, 0, 0}, b[3] = {1, 0, 0}, c[3] = {0, 1, 0};
  const double d[3] = {-1, -1, 0.5}, e[3] = {-1, 0, -0.5}, f[3] = {1, -1, 1};
  // Shared vertex: the second triangle fans away from the first's corner.
  const double g[3] = {-1, -0.2, 1}, h[3] = {-0.3, -1, 1};
  EXPECT_EQ(TrianglesContact(a, b, c, a, g, h), 1);
  EXPECT_EQ(TrianglesContact(a, g, h, a, b, c), 1);
  // Shared edge, the second triangle folded out of the plane or coplanar on the other side.
  const double up[3] = {0.5, -0.5, 1}, flat[3] = {1, -1, 0};
  EXPECT_EQ(TrianglesContact(a, b, c, a, b, up), 1);
  EXPECT_EQ(TrianglesContact(a, b, c, b, a, flat), 1);
  // Only near each other, nothing shared.
  EXPECT_EQ(TrianglesContact(a, b, c, d, e, f), TrianglesContact(d, e, f, a, b, c));
}

TEST(TrianglesContact, ParallelPlanesOneApartAreSeparatedByTheFirstNormal) {
  const double a[3] = {0, 0, 0}, b[3] = {1, 0, 0}, c[3] = {0, 1, 0};
  const double d[3] = {0, 0, 1}, e[3] = {1, 0, 1}, f[3] = {0, 1, 1};
  EXPECT_EQ(TrianglesContact(a, b, c, d, e, f), 0);
  double np[3];
  const double e1[3] = {1, 0, 0}, e2[3] = {-1, 1, 0};
  Cross(e1, e2, np);
  EXPECT_EQ(ProjectionsOverlap(np, a, b, c, d, e, f), 0);
}

TEST(TrianglesContact, CoplanarPairsUseTheInPlaneAxes) {
  const double a[3] = {0, 0, 0}, b[3] = {1, 0, 0}, c[3] = {0, 1, 0};
  // Across the hypotenuse, 0.01 away: only an in-plane edge normal separates.
  const double d[3] = {1, 1, 0}, e[3] = {0.51, 0.51, 0}, f[3] = {1, 0.3, 0};
  EXPECT_EQ(TrianglesContact(a, b, c, d, e, f), 0);
  const double e2[3] = {0.49, 0.49, 0};
  EXPECT_EQ(TrianglesContact(a, b, c, d, e2, f), 1);
  const double e3[3] = {0.5, 0.5, 0};  // touching the hypotenuse at its midpoint
  EXPECT_EQ(TrianglesContact(a, b, c, d, e3, f), 1);
}

TEST(TrianglesContact, DegenerateTriangleInsideTouchesOutsideDoesNot) {
  const double a[3] = {0, 0, 0}, b[3] = {1, 0, 0}, c[3] = {0, 1, 0};
  const double in[3] = {0.25, 0.25, 0}, out[3] = {0.25, 0.25, 0.1};
  EXPECT_EQ(TrianglesContact(a, b, c, in, in, in), 1);
  EXPECT_EQ(TrianglesContact(in, in, in, a, b, c), 1);
  EXPECT_EQ(TrianglesContact(a, b, c, out, out, out), 0);
}

// A triangle swept through another along the normal: contact exactly while it is within the
// other's plane span, with both touching positions included.
TEST(TrianglesContact, SweepAcrossThePlaneChangesExactlyAtTouching) {
  const double a[3] = {0, 0, 0}, b[3] = {4, 0, 0}, c[3] = {0, 4, 0};
  int changes = 0, last = -1;
  for (int step = -100; step <= 100; step++) {
    const double z = step / 64.0;  // exact in binary
    // A vertical triangle spanning z .. z + 1 above the point (1, 1).
    const double d[3] = {1, 1, z}, e[3] = {1.5, 1, z + 1}, f[3] = {1, 1.5, z + 1};
    const int touch = TrianglesContact(a, b, c, d, e, f);
    EXPECT_EQ(touch, (z <= 0 && z + 1 >= 0) ? 1 : 0) << "z = " << z;
    if (touch != last && last != -1) changes++;
    last = touch;
  }
  EXPECT_EQ(changes, 2);
}

// A separation equal to its limit does not separate. With one box of no size along the sides
// that enter a face test's limit, the padding drops out and t meets the limit exactly; a hair
// farther that test separates.
TEST(BoxesDisjoint, SeparationEqualToItsLimitDoesNotSeparate) {
  const double none[3] = {0, 0, 0}, sides[3] = {1, 2, 3};
  const double quarter_z[3][3] = {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}};  // box 2's x along box 1's y
  const struct {
    const double* a;
    const double* b;
    const double (*B)[3];
    double T[3];
    int test;
  } cases[] = {
      {sides, none, kIdentity, {1, 0, 0}, 1},   {sides, none, kIdentity, {0, 2, 0}, 3},
      {sides, none, kIdentity, {0, 0, 3}, 4},   {none, sides, quarter_z, {0, 1, 0}, 2},
      {none, sides, kIdentity, {0, 2, 0}, 5},   {none, sides, kIdentity, {0, 0, 3}, 6},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(BoxesDisjoint(c.B, c.T, c.a, c.b), 0) << "test " << c.test;
    double farther[3];
    for (int i = 0; i < 3; i++) farther[i] = c.T[i] * (1 + 1e-12);
    EXPECT_EQ(BoxesDisjoint(c.B, farther, c.a, c.b), c.test) << "test " << c.test;
  }
}

// Seeded pairs of triangles in general position against a plain geometric answer: two such
// triangles meet exactly when an edge of one crosses the other. Pairs too near a touching
// configuration for the plain answer to be sure are skipped.
TEST(TrianglesContact, AgreesWithEdgeCrossingsForTrianglesInGeneralPosition) {
  std::mt19937_64 rng(23);
  std::uniform_real_distribution<double> coord(-1, 1);
  int touching = 0, apart = 0;
  for (int n = 0; n < 20000; n++) {
    double t[6][3];
    for (auto& v : t)
      for (double& x : v) x = coord(rng);
    for (int k = 3; k < 6; k++) t[k][0] += 0.8;  // the second triangle overlaps the first often
    int crossings = 0;
    bool unsure = false;
    for (int e = 0; e < 6 && !unsure; e++) {
      const int first = e < 3 ? 0 : 3, other = e < 3 ? 3 : 0;
      const int from = first + e % 3, to = first + (e + 1) % 3;
      const int hit = SegmentCrossesTriangle(t[from], t[to], t[other], t[other + 1], t[other + 2]);
      if (hit < 0) unsure = true;
      crossings += hit > 0 ? 1 : 0;
    }
    if (unsure) continue;
    const int expected = crossings > 0 ? 1 : 0;
    ASSERT_EQ(TrianglesContact(t[0], t[1], t[2], t[3], t[4], t[5]), expected) << "pair " << n;
    ASSERT_EQ(TrianglesContact(t[3], t[4], t[5], t[0], t[1], t[2]), expected) << "pair " << n;
    (expected ? touching : apart)++;
  }
  EXPECT_GT(touching, 2000);
  EXPECT_GT(apart, 2000);
}

namespace {

using exact_contact::IVec;

enum class Shape { kArea, kSegment, kPoint };

// Three integer points of the given shape: any three points; points on one line (some may
// coincide); one point three times. `at` maps two integer plane coordinates, or three space
// coordinates, to a point.
template <typename Rng, typename At>
void RandomShape(Rng& rng, Shape shape, int range, At at, IVec out[3]) {
  std::uniform_int_distribution<int> coord(-range, range), step(-3, 3);
  auto point = [&]() { return at(coord(rng), coord(rng), coord(rng)); };
  if (shape == Shape::kArea) {
    for (int k = 0; k < 3; k++) out[k] = point();
  } else if (shape == Shape::kPoint) {
    out[0] = out[1] = out[2] = point();
  } else {
    const IVec base = point(), other = point();
    const IVec d = other - base;
    for (int k = 0; k < 3; k++) {
      const int t = step(rng);
      out[k] = {base.x + t * d.x, base.y + t * d.y, base.z + t * d.z};
    }
  }
}

struct Agreement {
  long cases = 0, touching = 0, false_contacts = 0, misses = 0;
  long differences = 0;  // cases where the other test (see CompareWithExact) answered otherwise
};

struct Agreements {
  Agreement coplanar, spatial;
};

// TrianglesContact against the exact answer on random pairs: coplanar ones in random integer
// planes, and pairs in space, each triangle an area, a segment or a point.
// The coordinates are scaled by 2^exponent, exactly, which changes no answer. Where other is given,
// also counts the cases where it answers otherwise than TrianglesContact.
using ContactTest = int (*)(const double*, const double*, const double*, const double*,
                            const double*, const double*);
Agreements CompareWithExact(uint64_t seed, long cases, int exponent = 0, ContactTest other = nullptr) {
  std::mt19937_64 rng(seed);
  std::uniform_int_distribution<int> small(-3, 3), offset(-100, 100), shape_of(0, 2), coplanar(0, 1);
  Agreements agreements;
  for (long n = 0; n < cases; n++) {
    IVec p[3], q[3];
    const Shape shape_p = static_cast<Shape>(shape_of(rng));
    const Shape shape_q = static_cast<Shape>(shape_of(rng));
    const bool in_a_plane = coplanar(rng);
    if (in_a_plane) {
      IVec u, v, o = {offset(rng), offset(rng), offset(rng)};
      do {
        u = {small(rng), small(rng), small(rng)};
        v = {small(rng), small(rng), small(rng)};
      } while (exact_contact::Dot(exact_contact::Cross(u, v), exact_contact::Cross(u, v)) == 0);
      auto at = [&](int a, int b, int) {
        return IVec{o.x + a * u.x + b * v.x, o.y + a * u.y + b * v.y, o.z + a * u.z + b * v.z};
      };
      RandomShape(rng, shape_p, 6, at, p);
      RandomShape(rng, shape_q, 6, at, q);
    } else {
      auto at = [](int a, int b, int c) { return IVec{a, b, c}; };
      RandomShape(rng, shape_p, 4, at, p);
      RandomShape(rng, shape_q, 4, at, q);
    }
    bool in_range = true;
    for (int k = 0; k < 3; k++) in_range = in_range && exact_contact::InRange(p[k]) && exact_contact::InRange(q[k]);
    if (!in_range) continue;
    double P[3][3], Q[3][3];
    for (int k = 0; k < 3; k++) {
      P[k][0] = std::ldexp(static_cast<double>(p[k].x), exponent);
      P[k][1] = std::ldexp(static_cast<double>(p[k].y), exponent);
      P[k][2] = std::ldexp(static_cast<double>(p[k].z), exponent);
      Q[k][0] = std::ldexp(static_cast<double>(q[k].x), exponent);
      Q[k][1] = std::ldexp(static_cast<double>(q[k].y), exponent);
      Q[k][2] = std::ldexp(static_cast<double>(q[k].z), exponent);
    }
    const int exact = exact_contact::TrianglesTouch(p, q);
    const int fast = TrianglesContact(P[0], P[1], P[2], Q[0], Q[1], Q[2]);
    Agreement& agreement = in_a_plane ? agreements.coplanar : agreements.spatial;
    agreement.cases++;
    agreement.touching += exact;
    if (fast && !exact) agreement.false_contacts++;
    if (!fast && exact) agreement.misses++;
    if (other != nullptr && other(P[0], P[1], P[2], Q[0], Q[1], Q[2]) != fast) agreement.differences++;
  }
  return agreements;
}

}  // namespace

// Random pairs against the exact answer: every kind of triangle (area, segment, point), in one
// plane or not. A segment or point has no in-plane axes of its own; without the extra axes they
// need, 44% of the coplanar and 34% of the spatial cases here were false contacts.
TEST(TrianglesContact, AgreesWithTheExactAnswerForAreasSegmentsAndPoints) {
  const Agreements all = CompareWithExact(4, 200000);
  for (const Agreement* a : {&all.coplanar, &all.spatial}) {
    const char* kind = a == &all.coplanar ? "coplanar" : "spatial";
    EXPECT_GT(a->touching, a->cases / 20) << kind << ": too few touching cases to tell";
    EXPECT_EQ(a->false_contacts, 0) << kind << " cases: " << a->cases;
    EXPECT_EQ(a->misses, 0) << kind << " cases: " << a->cases;
  }
}

// The same pairs scaled far up and far down: the axes are products of up to four coordinates,
// which overflowed beyond about 2^250 and underflowed below about 2^-250, and axes then looked
// overlapping or separating at random. Down to subnormal coordinates (2^-1070 times integers is
// still exact), and pairs near the ends of the range, whose shift overflows.
TEST(TrianglesContact, AnswersDoNotDependOnScale) {
  for (int exponent : {-1070, -1000, -700, -300, -100, -64, -10, 10, 64, 100, 300, 700, 1000}) {
    const Agreements all = CompareWithExact(5, 20000, exponent);
    for (const Agreement* a : {&all.coplanar, &all.spatial}) {
      EXPECT_EQ(a->false_contacts, 0) << "2^" << exponent << (a == &all.coplanar ? " coplanar" : " spatial");
      EXPECT_EQ(a->misses, 0) << "2^" << exponent << (a == &all.coplanar ? " coplanar" : " spatial");
    }
  }
  const double big = 1.5e308;
  const double a[3] = {-big, 0, 0}, b[3] = {-big, 1e300, 0}, c[3] = {-big, 0, 1e300};
  const double d[3] = {big, 0, 0}, e[3] = {big, 1e300, 0}, f[3] = {big, 0, 1e300};
  EXPECT_EQ(TrianglesContact(a, b, c, d, e, f), 0) << "two walls at the ends of the range";
  EXPECT_EQ(TrianglesContact(a, b, c, a, e, f), 1) << "sharing a vertex";
  const double nan[3] = {NAN, 0, 0};
  EXPECT_EQ(TrianglesContact(a, b, c, nan, e, f), 1) << "a vertex that is not a number cannot be told apart";
}

// A segment slid in the plane of a triangle across its hypotenuse, and a point slid along a
// segment's line past its end: contact exactly while they share a point.
TEST(TrianglesContact, SegmentsAndPointsSweptPastTouching) {
  const double a[3] = {0, 0, 0}, b[3] = {4, 0, 0}, c[3] = {0, 4, 0};
  for (int step = -64; step <= 64; step++) {
    const double s = 2 + step / 32.0;  // the segment x + y = 2s, from (s - 1, s + 1) to (s + 1, s - 1)
    const double d[3] = {s - 1, s + 1, 0}, e[3] = {s + 1, s - 1, 0};
    const int touch = s <= 2 ? 1 : 0;
    EXPECT_EQ(TrianglesContact(a, b, c, d, e, e), touch) << "s = " << s;
    EXPECT_EQ(TrianglesContact(d, d, e, a, b, c), touch) << "s = " << s;
    // The same segment against the hypotenuse alone, parallel to it, and the segment's midpoint
    // against the hypotenuse: they meet only when s = 2.
    EXPECT_EQ(TrianglesContact(b, c, c, d, e, d), s == 2 ? 1 : 0) << "s = " << s;
    const double middle[3] = {s, s, 0};
    EXPECT_EQ(TrianglesContact(b, c, b, middle, middle, middle), s == 2 ? 1 : 0) << "s = " << s;
    // A point on the x axis against the segment from a to b: touching only from 0 to 4.
    const double on_axis[3] = {2 * s - 2, 0, 0};
    EXPECT_EQ(TrianglesContact(a, b, a, on_axis, on_axis, on_axis), (2 * s - 2 >= 0 && 2 * s - 2 <= 4) ? 1 : 0)
        << "s = " << s;
  }
  const double p[3] = {1, 2, 3}, same[3] = {1, 2, 3}, near[3] = {1, 2, 3.0000001};
  EXPECT_EQ(TrianglesContact(p, p, p, same, same, same), 1);
  EXPECT_EQ(TrianglesContact(p, p, p, near, near, near), 0);
}

// Triangles with a plane get exactly the answer of the seventeen axes, in order, that they always
// had: the extra axes are for segments and points only.
TEST(TrianglesContact, TrianglesWithAPlaneKeepTheirSeventeenAxes) {
  auto seventeen = [](const double P[3][3], const double Q[3][3]) {
    double p[3][3], q[3][3], e[3][3], f[3][3], np[3], nq[3], axis[3];
    for (int k = 0; k < 3; k++)
      for (int i = 0; i < 3; i++) {
        p[k][i] = P[k][i] - P[0][i];
        q[k][i] = Q[k][i] - P[0][i];
      }
    for (int k = 0; k < 3; k++)
      for (int i = 0; i < 3; i++) {
        e[k][i] = p[(k + 1) % 3][i] - p[k][i];
        f[k][i] = q[(k + 1) % 3][i] - q[k][i];
      }
    Cross(e[0], e[1], np);
    Cross(f[0], f[1], nq);
    auto overlap = [&](const double u[3]) { return ProjectionsOverlap(u, p[0], p[1], p[2], q[0], q[1], q[2]); };
    if (!overlap(np) || !overlap(nq)) return 0;
    for (int i = 0; i < 3; i++)
      for (int j = 0; j < 3; j++) {
        Cross(e[i], f[j], axis);
        if (!overlap(axis)) return 0;
      }
    for (int i = 0; i < 3; i++) {
      Cross(e[i], np, axis);
      if (!overlap(axis)) return 0;
    }
    for (int j = 0; j < 3; j++) {
      Cross(f[j], nq, axis);
      if (!overlap(axis)) return 0;
    }
    return 1;
  };
  std::mt19937_64 rng(17);
  std::uniform_real_distribution<double> coord(-1, 1);
  int touching = 0;
  for (int n = 0; n < 100000; n++) {
    double P[3][3], Q[3][3];
    for (auto& v : P)
      for (double& x : v) x = coord(rng);
    for (auto& v : Q)
      for (double& x : v) x = coord(rng);
    if (n % 2) {
      // Nearly coplanar and touching at rounding level: Q in P's plane, then a shared vertex.
      for (auto& v : Q) {
        const double s = coord(rng), t = coord(rng);
        for (int i = 0; i < 3; i++) v[i] = P[0][i] + s * (P[1][i] - P[0][i]) + t * (P[2][i] - P[0][i]);
      }
      if (n % 4 == 1)
        for (int i = 0; i < 3; i++) Q[0][i] = P[2][i];
    }
    const int expected = seventeen(P, Q);
    touching += expected;
    ASSERT_EQ(TrianglesContact(P[0], P[1], P[2], Q[0], Q[1], Q[2]), expected) << "pair " << n;
  }
  EXPECT_GT(touching, 20000);
}

// The walk's triangle test on each path (the AVX2 one computes the axes four at a time) answers
// as TrianglesContact on every kind of pair, at every scale, including those it hands back to it.
TEST(TrianglesContact, EveryWalkPathsTriangleTestAnswersTheSame) {
  for (const WalkPath* path : {&BaselinePath(), Avx2Path()}) {
    if (path == nullptr) continue;
    for (int exponent : {0, -1070, -300, 300, 1000}) {
      const Agreements all = CompareWithExact(23, 20000, exponent, path->contact);
      EXPECT_EQ(all.coplanar.differences, 0) << path->name << " 2^" << exponent;
      EXPECT_EQ(all.spatial.differences, 0) << path->name << " 2^" << exponent;
    }
  }
}
