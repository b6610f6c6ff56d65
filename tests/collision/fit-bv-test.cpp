#include "collision/build/fit-bv.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "collision/test-meshes.h"

namespace {

const double kIdentity[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};

ModelTri Tri(double ax, double ay, double az, double bx, double by, double bz, double cx,
             double cy, double cz) {
  return ModelTri{{ax, ay, az}, {bx, by, bz}, {cx, cy, cz}, 0};
}

// Distance from p (model coordinates) to the BV's rectangle, and p's coordinates in the BV's
// box frame; both volumes are checked with them.
void InBVFrame(const BV& bv, const double p[3], double local[3]) {
  for (int k = 0; k < 3; k++) {
    local[k] = 0;
    for (int i = 0; i < 3; i++) local[k] += bv.rotation[i][k] * (p[i] - bv.box_center[i]);
  }
}

double DistanceToRect(const BV& bv, const double p[3]) {
  double q[3];  // p relative to the rectangle's corner, in the BV's axes
  for (int k = 0; k < 3; k++) {
    q[k] = 0;
    for (int i = 0; i < 3; i++) q[k] += bv.rotation[i][k] * (p[i] - bv.rect_origin[i]);
  }
  const double dx = q[0] < 0 ? -q[0] : (q[0] > bv.rect_lengths[0] ? q[0] - bv.rect_lengths[0] : 0);
  const double dy = q[1] < 0 ? -q[1] : (q[1] > bv.rect_lengths[1] ? q[1] - bv.rect_lengths[1] : 0);
  return std::sqrt(dx * dx + dy * dy + q[2] * q[2]);
}

}  // namespace

// One triangle in the plane z = 2: a flat box and a rectangle that is exactly the triangle's
// bounding rectangle, with no sphere around it.
TEST(FitBV, FlatRunGivesZeroRadiusAndTheBoundingRectangle) {
  const ModelTri run[1] = {Tri(1, 0, 2, 3, 1, 2, 2, 4, 2)};
  BV bv;
  bv.child_code = 17;
  FitBV(&bv, kIdentity, run, 1);
  EXPECT_EQ(bv.child_code, 17);
  EXPECT_EQ(bv.radius, 0);
  EXPECT_EQ(bv.half_extents[0], 1);
  EXPECT_EQ(bv.half_extents[1], 2);
  EXPECT_EQ(bv.half_extents[2], 0);
  EXPECT_EQ(bv.box_center[0], 2);
  EXPECT_EQ(bv.box_center[1], 2);
  EXPECT_EQ(bv.box_center[2], 2);
  EXPECT_EQ(bv.rect_origin[0], 1);
  EXPECT_EQ(bv.rect_origin[1], 0);
  EXPECT_EQ(bv.rect_origin[2], 2);
  EXPECT_EQ(bv.rect_lengths[0], 2);
  EXPECT_EQ(bv.rect_lengths[1], 4);
  for (int i = 0; i < 3; i++)
    for (int j = 0; j < 3; j++) EXPECT_EQ(bv.rotation[i][j], kIdentity[i][j]);
}

// All points at x = 5 but spread in z: the sphere covers them and the rectangle's first side,
// which would come out negative, is clamped to 0.
TEST(FitBV, PointsAtOneFirstCoordinateGiveAZeroFirstSide) {
  const ModelTri run[2] = {Tri(5, 0, 0, 5, 1, 2, 5, 0.5, -2), Tri(5, 3, 1, 5, 2, -1, 5, 1, 0)};
  BV bv;
  FitBV(&bv, kIdentity, run, 2);
  EXPECT_EQ(bv.rect_lengths[0], 0);
  EXPECT_EQ(bv.radius, 2);
  EXPECT_EQ(bv.half_extents[0], 0);
  EXPECT_GE(bv.rect_lengths[1], 0);
}

// Random runs under random rotations: both volumes enclose every vertex.
TEST(FitBV, BoxAndSweptRectangleEncloseEveryVertex) {
  std::mt19937_64 rng(54);
  std::uniform_real_distribution<double> coord(-3, 3);
  std::uniform_int_distribution<int> size(1, 40);
  for (int trial = 0; trial < 300; trial++) {
    std::vector<ModelTri> run(size(rng));
    const double stretch[3] = {1 + coord(rng) * coord(rng), 1, 0.1 + std::fabs(coord(rng))};
    for (ModelTri& t : run) {
      double* v[3] = {t.vert1, t.vert2, t.vert3};
      for (double* p : v)
        for (int k = 0; k < 3; k++) p[k] = coord(rng) * stretch[k];
    }
    double R[3][3];
    test_meshes::RandomRotation(rng, R);
    BV bv;
    FitBV(&bv, R, run.data(), static_cast<int>(run.size()));
    EXPECT_GE(bv.rect_lengths[0], 0);
    EXPECT_GE(bv.rect_lengths[1], 0);
    EXPECT_NEAR(bv.radius, bv.half_extents[2], 1e-12);
    for (const ModelTri& t : run) {
      const double* v[3] = {t.vert1, t.vert2, t.vert3};
      for (const double* p : v) {
        double local[3];
        InBVFrame(bv, p, local);
        for (int k = 0; k < 3; k++) EXPECT_LE(std::fabs(local[k]), bv.half_extents[k] + 1e-9);
        EXPECT_LE(DistanceToRect(bv, p), bv.radius + 1e-9) << "trial " << trial;
      }
    }
  }
}

namespace {

// Six points in the BV's axes, turned into model coordinates by R: the fit must find in the
// BV's axes what the points describe there.
struct KnownFit {
  double rect_lengths[2];
  double rect_origin[3];  // in the BV's axes
};

void FitTurned(const double local[][3], int points, const double R[3][3], BV& bv) {
  std::vector<ModelTri> run(static_cast<size_t>(points / 3));
  for (int i = 0; i < points; i++) {
    double* v = i % 3 == 0 ? run[i / 3].vert1 : i % 3 == 1 ? run[i / 3].vert2 : run[i / 3].vert3;
    for (int k = 0; k < 3; k++) v[k] = R[k][0] * local[i][0] + R[k][1] * local[i][1] + R[k][2] * local[i][2];
  }
  FitBV(&bv, R, run.data(), static_cast<int>(run.size()));
}

void ExpectFit(const BV& bv, const double R[3][3], const KnownFit& fit, const char* what) {
  EXPECT_NEAR(bv.rect_lengths[0], fit.rect_lengths[0], 1e-12) << what;
  EXPECT_NEAR(bv.rect_lengths[1], fit.rect_lengths[1], 1e-12) << what;
  for (int k = 0; k < 3; k++) {
    const double corner = R[k][0] * fit.rect_origin[0] + R[k][1] * fit.rect_origin[1] + R[k][2] * fit.rect_origin[2];
    EXPECT_NEAR(bv.rect_origin[k], corner, 1e-12) << what;
  }
}

}  // namespace

// Points whose smallest swept rectangle is plain to see. The z range gives the sphere radius 1
// about height 0; a point at height dz needs a side within sqrt(1 - dz^2) of it, so every side
// stops exactly where the sphere just reaches the farthest point beyond it.
TEST(FitBV, RectangleSidesStopWhereTheSphereJustReachesThePoints) {
  const double level[6][3] = {{5, 0, 0}, {-5, 0, 0}, {0, 3, 0}, {0, -3, 0}, {0, 0, 1}, {0, 0, -1}};
  // Heights 0.6 and -0.8 leave half-widths 0.8 and 0.6.
  const double tilted[6][3] = {{6, 0, 0.6}, {-6, 0, -0.8}, {1, 2.5, 0}, {0, -2, 0.6}, {0, 0, 1}, {0, 0, -1}};
  std::mt19937_64 rng(61);
  double turned[3][3];
  test_meshes::RandomRotation(rng, turned);
  for (const auto* R : {kIdentity, static_cast<const double(*)[3]>(turned)}) {
    BV bv;
    FitTurned(level, 6, R, bv);
    EXPECT_NEAR(bv.radius, 1, 1e-12);
    ExpectFit(bv, R, {{8, 4}, {-4, -2, 0}}, "level");
    for (int k = 0; k < 3; k++) EXPECT_NEAR(bv.half_extents[k], k == 0 ? 5 : k == 1 ? 3 : 1, 1e-12);
    FitTurned(tilted, 6, R, bv);
    ExpectFit(bv, R, {{5.2 + 5.4, 1.5 + 1.2}, {-5.4, -1.2, 0}}, "tilted");
  }
}

// A point beyond a corner of the side-fitted rectangle pulls that corner out along its
// diagonal just far enough: afterwards the point lies exactly one radius from the rectangle.
// Each of the four corners in turn, the others left alone.
TEST(FitBV, CornerGrowsJustFarEnoughToReachThePointBeyondIt) {
  const double g = 1 - std::sqrt(0.5);  // the growth along each side for a point (1, 1) beyond
  for (int corner = 0; corner < 4; corner++) {
    const double sx = corner & 1 ? -1 : 1, sy = corner & 2 ? -1 : 1;
    const double points[6][3] = {{5, 0, 0}, {-5, 0, 0}, {0, 3, 0}, {0, -3, 0}, {0, 0, 1}, {5 * sx, 3 * sy, -1}};
    // At the bottom of the sphere (5, 3, -1) has no half-width: the sides themselves must reach
    // it, and then it needs no corner.
    BV bv;
    FitTurned(points, 6, kIdentity, bv);
    EXPECT_NEAR(bv.rect_lengths[0], 9, 1e-12) << corner;
    EXPECT_NEAR(bv.rect_lengths[1], 5, 1e-12) << corner;

    // At height 0 the point (5, 3) is sqrt(2) from the corner (4, 2): the corner moves by
    // g = 1 - 1/sqrt(2) along both sides, which leaves exactly the radius 1 to the point.
    const double level[6][3] = {{5, 0, 0}, {-5, 0, 0}, {0, 3, 0}, {0, -3, 0}, {0, 0, 1}, {0, 0, -1}};
    const double beyond[3][3] = {{5 * sx, 3 * sy, 0}, {0, 0, 1}, {0, 0, -1}};
    double all[9][3];
    for (int i = 0; i < 6; i++)
      for (int k = 0; k < 3; k++) all[i][k] = level[i][k];
    for (int i = 0; i < 3; i++)
      for (int k = 0; k < 3; k++) all[6 + i][k] = beyond[i][k];
    FitTurned(all, 9, kIdentity, bv);
    ExpectFit(bv, kIdentity, {{8 + g, 4 + g}, {sx > 0 ? -4 : -4 - g, sy > 0 ? -2 : -2 - g, 0}}, "corner");
    EXPECT_NEAR(DistanceToRect(bv, beyond[0]), 1, 1e-12) << corner;
  }
}
