#include "collision/fit-bv.h"

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
