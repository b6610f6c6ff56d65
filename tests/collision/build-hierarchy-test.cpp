// The quality of the bounding-volume tree itself. The query tests compare the tree walk with a
// plain walk over the same tree, so a build that orients, splits or places its volumes badly
// goes unseen there: queries stay correct, only slower. These tests look at the tree directly.

#include "collision/build/build-hierarchy.h"
#include "collision/build/fit-bv.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "collision/cq.h"
#include "collision/test-meshes.h"
#include "collision-mesh.h"
#include "model.h"

namespace {

// A node's placement in model coordinates, composed from the parent-relative values.
struct Frame {
  double R[3][3];  // columns: the node's axes
  double box[3];   // box centre
  double rect[3];  // rectangle corner
};

void Compose(const CQ_Model& model, int b, const Frame& parent, std::vector<Frame>& out) {
  const BV& bv = model.bv_list()[b];
  Frame f;
  for (int i = 0; i < 3; i++) {
    f.box[i] = parent.box[i];
    f.rect[i] = parent.rect[i];
    for (int j = 0; j < 3; j++) {
      f.R[i][j] = 0;
      for (int k = 0; k < 3; k++) f.R[i][j] += parent.R[i][k] * bv.rotation[k][j];
      f.box[i] += parent.R[i][j] * bv.box_center[j];
      f.rect[i] += parent.R[i][j] * bv.rect_origin[j];
    }
  }
  out[b] = f;
  if (bv.child_code >= 0) {
    Compose(model, bv.child_code, f, out);
    Compose(model, bv.child_code + 1, f, out);
  }
}

std::vector<Frame> ModelFrames(const CQ_Model& model) {
  const Frame root = {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}, {0, 0, 0}, {0, 0, 0}};
  std::vector<Frame> frames(model.bv_count());
  Compose(model, 0, root, frames);
  return frames;
}

// The triangles a subtree covers, in the order of the triangle list.
void Covered(const CQ_Model& model, int b, std::vector<ModelTri>& out) {
  const BV& bv = model.bv_list()[b];
  if (bv.child_code < 0) {
    out.push_back(model.tri_list()[-(bv.child_code + 1)]);
    return;
  }
  Covered(model, bv.child_code, out);
  Covered(model, bv.child_code + 1, out);
}

std::vector<ModelTri> Covered(const CQ_Model& model, int b) {
  std::vector<ModelTri> tris;
  Covered(model, b, tris);
  return tris;
}

std::vector<std::array<double, 3>> Vertices(const std::vector<ModelTri>& tris) {
  std::vector<std::array<double, 3>> points;
  for (const ModelTri& t : tris)
    for (const double* v : {t.vert1, t.vert2, t.vert3}) points.push_back({v[0], v[1], v[2]});
  return points;
}

double Dot3(const double a[3], const double b[3]) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

std::array<double, 3> Column(const double R[3][3], int c) { return {R[0][c], R[1][c], R[2][c]}; }

// The spread of the points along a unit direction: the mean squared distance from their
// centroid, measured along it.
double Spread(const std::vector<std::array<double, 3>>& points, const std::array<double, 3>& u) {
  double mean = 0;
  for (const auto& p : points) mean += Dot3(p.data(), u.data());
  mean /= static_cast<double>(points.size());
  double sum = 0;
  for (const auto& p : points) {
    const double d = Dot3(p.data(), u.data()) - mean;
    sum += d * d;
  }
  return sum / static_cast<double>(points.size());
}

// The meshes the build is checked on: a sphere, a stretched and turned sphere far from the
// origin (an uncentred covariance would mislead its axes), the play box and a random soup of
// triangles.
struct NamedMesh {
  std::string name;
  test_meshes::Mesh mesh;
};

std::vector<NamedMesh> Meshes() {
  std::vector<NamedMesh> meshes;
  meshes.push_back({"sphere", test_meshes::Icosphere(2, 0.99)});

  test_meshes::Mesh ellipsoid = test_meshes::Icosphere(2, 1.0);
  std::mt19937_64 rng(31);
  double R[3][3];
  test_meshes::RandomRotation(rng, R);
  const double stretch[3] = {4.0, 1.7, 0.6}, shift[3] = {7, -3, 12};
  for (test_meshes::Triangle& t : ellipsoid)
    for (auto& v : t.v) {
      const double s[3] = {v[0] * stretch[0], v[1] * stretch[1], v[2] * stretch[2]};
      for (int i = 0; i < 3; i++) v[i] = R[i][0] * s[0] + R[i][1] * s[1] + R[i][2] * s[2] + shift[i];
    }
  meshes.push_back({"ellipsoid", ellipsoid});

  meshes.push_back({"box", test_meshes::PlayBox()});

  test_meshes::Mesh soup(60);
  std::uniform_real_distribution<double> coord(-3, 3), offset(-0.5, 0.5);
  for (test_meshes::Triangle& t : soup) {
    const double centre[3] = {2 * coord(rng), coord(rng), 0.5 * coord(rng)};
    for (auto& v : t.v)
      for (int i = 0; i < 3; i++) v[i] = centre[i] + offset(rng);
  }
  meshes.push_back({"soup", soup});
  return meshes;
}

// Builds every mesh and hands each node to check(mesh name, model, composed frames, node).
template <class Check>
void ForEveryNode(Check check) {
  for (const NamedMesh& named : Meshes()) {
    CQ_Model model;
    ASSERT_EQ(test_meshes::BuildModel(model, named.mesh), StatusOk);
    const std::vector<Frame> frames = ModelFrames(model);
    for (int b = 0; b < model.bv_count(); b++) {
      check(named.name, model, frames, b);
      if (::testing::Test::HasFatalFailure()) return;
    }
  }
}

}  // namespace

// Every node's first axis is the direction along which its vertices spread the most, its second
// axis the widest spread across the first, and the third completes a right-handed frame.
// Checked against the spread along many directions, measured plainly.
TEST(BuildHierarchy, FirstAxisIsTheWidestSpreadAndTheSecondTheNext) {
  std::mt19937_64 rng(5);
  ForEveryNode([&](const std::string& name, const CQ_Model& model, const std::vector<Frame>& frames, int b) {
    const auto points = Vertices(Covered(model, b));
    const auto first = Column(frames[b].R, 0), second = Column(frames[b].R, 1),
               third = Column(frames[b].R, 2);
    const double s1 = Spread(points, first), s2 = Spread(points, second), s3 = Spread(points, third);
    const double tolerance = 1e-9 * (s1 + s2 + s3) + 1e-12;
    ASSERT_GE(s1 + tolerance, s2) << name << " BV " << b;
    ASSERT_GE(s2 + tolerance, s3) << name << " BV " << b;
    for (int n = 0; n < 50; n++) {
      std::array<double, 3> u;
      test_meshes::RandomDirection(rng, u.data());
      ASSERT_GE(s1 + tolerance, Spread(points, u)) << name << " BV " << b;
      // Across the first axis nothing spreads wider than the second axis.
      const double along = Dot3(u.data(), first.data());
      std::array<double, 3> across;
      for (int i = 0; i < 3; i++) across[i] = u[i] - along * first[i];
      const double length = std::sqrt(Dot3(across.data(), across.data()));
      if (length < 1e-6) continue;
      for (double& c : across) c /= length;
      ASSERT_GE(s2 + tolerance, Spread(points, across)) << name << " BV " << b;
    }
    double cross[3] = {first[1] * second[2] - first[2] * second[1],
                       first[2] * second[0] - first[0] * second[2],
                       first[0] * second[1] - first[1] * second[0]};
    for (int i = 0; i < 3; i++) ASSERT_NEAR(third[i], cross[i], 1e-9) << name << " BV " << b;
    ASSERT_NEAR(Dot3(first.data(), second.data()), 0.0, 1e-9);
    ASSERT_NEAR(Dot3(first.data(), first.data()), 1.0, 1e-9);
    ASSERT_NEAR(Dot3(second.data(), second.data()), 1.0, 1e-9);
  });
}

// Each node's parent-relative placement, composed from the root down, gives back in model
// coordinates the volumes fitted to its triangles: the box as a fresh fit along the composed
// axes finds it, the box tight on every face, and every vertex within the swept rectangle's
// reach of the composed rectangle.
TEST(BuildHierarchy, ComposedPlacementsGiveBackTheFittedVolumes) {
  ForEveryNode([](const std::string& name, const CQ_Model& model, const std::vector<Frame>& frames, int b) {
    const BV& bv = model.bv_list()[b];
    const Frame& f = frames[b];
    const std::vector<ModelTri> tris = Covered(model, b);
    BV fresh;
    FitBV(&fresh, f.R, tris.data(), static_cast<int>(tris.size()));
    for (int i = 0; i < 3; i++) {
      ASSERT_NEAR(fresh.box_center[i], f.box[i], 1e-9) << name << " BV " << b;
      ASSERT_NEAR(fresh.half_extents[i], bv.half_extents[i], 1e-9) << name << " BV " << b;
    }
    ASSERT_NEAR(fresh.radius, bv.radius, 1e-9) << name << " BV " << b;

    double lo[3] = {1e300, 1e300, 1e300}, hi[3] = {-1e300, -1e300, -1e300};
    for (const auto& p : Vertices(tris)) {
      double box[3], rect[3];  // p in the node's axes, from the box centre and the corner
      for (int k = 0; k < 3; k++) {
        box[k] = rect[k] = 0;
        for (int i = 0; i < 3; i++) {
          box[k] += f.R[i][k] * (p[i] - f.box[i]);
          rect[k] += f.R[i][k] * (p[i] - f.rect[i]);
        }
        lo[k] = std::min(lo[k], box[k]);
        hi[k] = std::max(hi[k], box[k]);
      }
      const double dx = std::max({0.0, -rect[0], rect[0] - bv.rect_lengths[0]});
      const double dy = std::max({0.0, -rect[1], rect[1] - bv.rect_lengths[1]});
      ASSERT_LE(std::sqrt(dx * dx + dy * dy + rect[2] * rect[2]), bv.radius + 1e-9)
          << name << " BV " << b;
    }
    for (int k = 0; k < 3; k++) {
      ASSERT_NEAR(hi[k], bv.half_extents[k], 1e-9) << name << " BV " << b << " axis " << k;
      ASSERT_NEAR(lo[k], -bv.half_extents[k], 1e-9) << name << " BV " << b << " axis " << k;
    }
  });
}

// A node's triangles are split at the vertex centroid along its first axis: every centroid of
// the first child projects at or below the split value, every one of the second child above
// it; only when all fall on one side is the run cut in the middle instead.
TEST(BuildHierarchy, ChildrenSplitTheParentAtItsVertexCentroid) {
  ForEveryNode([](const std::string& name, const CQ_Model& model, const std::vector<Frame>& frames, int b) {
    const BV& bv = model.bv_list()[b];
    if (bv.child_code < 0) return;
    const auto axis = Column(frames[b].R, 0);
    const auto points = Vertices(Covered(model, b));
    double mean[3] = {0, 0, 0};
    for (const auto& p : points)
      for (int i = 0; i < 3; i++) mean[i] += p[i] / static_cast<double>(points.size());
    const double split = Dot3(axis.data(), mean);
    auto centroid = [&](const ModelTri& t) {
      double c[3];
      for (int i = 0; i < 3; i++) c[i] = (t.vert1[i] + t.vert2[i] + t.vert3[i]) / 3;
      return Dot3(axis.data(), c);
    };
    const std::vector<ModelTri> first = Covered(model, bv.child_code);
    const std::vector<ModelTri> second = Covered(model, bv.child_code + 1);
    int below = 0;
    for (const ModelTri& t : first) below += centroid(t) <= split + 1e-9 ? 1 : 0;
    for (const ModelTri& t : second) below += centroid(t) <= split - 1e-9 ? 1 : 0;
    const int count = static_cast<int>(first.size() + second.size());
    if (below == 0 || below == count) {
      EXPECT_EQ(static_cast<int>(first.size()), count / 2) << name << " BV " << b;
    } else {
      EXPECT_EQ(below, static_cast<int>(first.size())) << name << " BV " << b;
    }
  });
}

// The number of node pairs fixed queries visit, as today's build gives them. A build whose
// volumes are oriented, split or sized worse still answers correctly, so only these numbers
// show it: with the eigenvalues ranked wrongly the grazing pair visits hundreds more.
TEST(BuildHierarchy, FixedQueriesVisitTodaysNumberOfNodePairs) {
  const std::string data = QUORVEL_DATA_DIR;
  CQ_Model sphere, box;
  LoadCollisionModel(sphere, (data + "/sphere03.tris").c_str(), 1.0f);
  LoadCollisionModel(box, (data + "/box.tris").c_str(), 1.0f);
  const double I[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
  const double half_turn_y[3][3] = {{-1, 0, 0}, {0, 1, 0}, {0, 0, -1}};  // the box as the scene turns it
  double turned[3][3];
  std::mt19937_64 rng(9);
  test_meshes::RandomRotation(rng, turned);
  const double origin[3] = {0, 0, 0};
  const struct {
    const char* what;
    const CQ_Model* second;
    const double (*R2)[3];
    double T2[3];
    int flag;
    int bv_tests, tri_tests, pairs;
  } queries[] = {
      {"grazing spheres, all pairs", &sphere, I, {1.972 * 0.6, 1.972 * 0.8, 0}, 0, 739, 36, 12},
      {"grazing spheres, first contact", &sphere, I, {1.972 * 0.6, 1.972 * 0.8, 0}, StopAtFirstContact, 98, 6, 1},
      {"spheres a hair apart", &sphere, I, {1.974 * 0.6, 1.974 * 0.8, 0}, 0, 719, 28, 0},
      {"turned spheres overlapping", &sphere, turned, {1.1, 0.9, -1.0}, 0, 2049, 200, 94},
      {"turned spheres apart", &sphere, turned, {0, 1.99, 0}, 0, 537, 0, 0},
      {"sphere on the floor", &box, half_turn_y, {-3, 0.02, -5}, 0, 299, 34, 14},
      {"sphere near a corner", &box, half_turn_y, {-13.98, 1.0, 18.99}, 0, 705, 156, 156},
  };
  for (const auto& q : queries) {
    CQ_CollideResult result;
    // The sphere is model 1 at the origin; the second model is placed relative to it.
    ASSERT_EQ(CollideModels(&result, I, origin, &sphere, q.R2, q.T2, q.second, q.flag), StatusOk);
    EXPECT_EQ(result.bv_test_count, q.bv_tests) << q.what;
    EXPECT_EQ(result.tri_test_count, q.tri_tests) << q.what;
    EXPECT_EQ(result.num_pairs, q.pairs) << q.what;
  }
}
