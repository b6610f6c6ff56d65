#include "collision/collide.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "collision/matrix.h"
#include "collision/walk/overlap.h"
#include "collision/test-meshes.h"
#include "collision/walk/walk-paths.h"

namespace {

const double kIdentity[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
const double kZero[3] = {0, 0, 0};

void Place(const double R[3][3], const double T[3], const double p[3], double out[3]) {
  for (int i = 0; i < 3; i++) out[i] = R[i][0] * p[0] + R[i][1] * p[1] + R[i][2] * p[2] + T[i];
}

void OneTriangle(CQ_Model& model, const double a[3], const double b[3], const double c[3], int id) {
  model.AddTri(a, b, c, id);
  ASSERT_EQ(model.EndModel(), StatusOk);
}

// Every triangle pair of the two placed meshes for which TrianglesContact holds, in model 1's
// coordinates exactly as the query computes them. Triangles that lie farther from the other
// mesh's bounding ball than their own extent (with a margin) cannot touch it and are skipped:
// a plain bound, not the tree.
std::vector<std::pair<int, int>> AllContacts(const test_meshes::Mesh& mesh1,
                                             const test_meshes::Mesh& mesh2,
                                             const CQ_CollideResult& placed) {
  using test_meshes::Mesh;
  auto ball = [](const Mesh& mesh, std::vector<std::array<double, 9>>& tris, double centre[3]) {
    centre[0] = centre[1] = centre[2] = 0;
    for (const auto& t : tris)
      for (int k = 0; k < 3; k++) centre[k] += (t[k] + t[3 + k] + t[6 + k]) / (3.0 * mesh.size());
    double r = 0;
    for (const auto& t : tris)
      for (int v = 0; v < 3; v++)
        r = std::max(r, std::hypot(t[3 * v] - centre[0], t[3 * v + 1] - centre[1],
                                   t[3 * v + 2] - centre[2]));
    return r;
  };
  std::vector<std::array<double, 9>> t1, t2;
  for (const auto& t : mesh1) t1.push_back({t.v[0][0], t.v[0][1], t.v[0][2], t.v[1][0], t.v[1][1],
                                            t.v[1][2], t.v[2][0], t.v[2][1], t.v[2][2]});
  for (const auto& t : mesh2) {
    std::array<double, 9> q;
    for (int v = 0; v < 3; v++) {
      double p[3];
      for (int i = 0; i < 3; i++)
        p[i] = placed.rel_rotation[i][0] * t.v[v][0] + placed.rel_rotation[i][1] * t.v[v][1] +
               placed.rel_rotation[i][2] * t.v[v][2] + placed.rel_translation[i];
      for (int i = 0; i < 3; i++) q[3 * v + i] = p[i];
    }
    t2.push_back(q);
  }
  double c1[3], c2[3];
  const double r1 = ball(mesh1, t1, c1), r2 = ball(mesh2, t2, c2);
  auto near = [](const std::vector<std::array<double, 9>>& tris, const double c[3], double r) {
    std::vector<int> out;
    for (size_t i = 0; i < tris.size(); i++) {
      const auto& t = tris[i];
      const double m[3] = {(t[0] + t[3] + t[6]) / 3, (t[1] + t[4] + t[7]) / 3,
                           (t[2] + t[5] + t[8]) / 3};
      double own = 0;
      for (int v = 0; v < 3; v++)
        own = std::max(own, std::hypot(t[3 * v] - m[0], t[3 * v + 1] - m[1], t[3 * v + 2] - m[2]));
      if (std::hypot(m[0] - c[0], m[1] - c[1], m[2] - c[2]) <= r + own + 1e-6)
        out.push_back(static_cast<int>(i));
    }
    return out;
  };
  std::vector<std::pair<int, int>> contacts;
  for (int i : near(t1, c2, r2))
    for (int j : near(t2, c1, r1)) {
      const auto& a = t1[i];
      const auto& b = t2[j];
      if (TrianglesContact(&a[0], &a[3], &a[6], &b[0], &b[3], &b[6])) contacts.push_back({i, j});
    }
  std::sort(contacts.begin(), contacts.end());
  return contacts;
}

// The query written the plain way: one recursive call per visited pair of nodes, the box test
// of every visit made by BoxesDisjoint, the child placements by the matrix helpers. The library
// computes the same things in another arrangement; both must agree visit for visit.
struct PlainQuery {
  PlainQuery(const CQ_Model* model1, const CQ_Model* model2, int query_flag)
      : m1(model1), m2(model2), flag(query_flag) {}

  const CQ_Model* m1;
  const CQ_Model* m2;
  int flag;
  int bv_tests = 0;
  int tri_tests = 0;
  std::vector<std::pair<int, int>> pairs;
  double rel_rotation[3][3] = {};
  double rel_translation[3] = {};

  static double Size(const BV& bv) {
    return std::sqrt(bv.rect_lengths[0] * bv.rect_lengths[0] +
                     bv.rect_lengths[1] * bv.rect_lengths[1]) +
           2 * bv.radius;
  }

  bool Stopped() const { return flag == StopAtFirstContact && !pairs.empty(); }

  void Nodes(const double R[3][3], const double T[3], int b1, int b2) {
    bv_tests++;
    const BV& B1 = m1->bv_list()[b1];
    const BV& B2 = m2->bv_list()[b2];
    if (BoxesDisjoint(R, T, B1.half_extents, B2.half_extents)) return;
    const bool leaf1 = B1.child_code < 0, leaf2 = B2.child_code < 0;
    if (leaf1 && leaf2) {
      tri_tests++;
      const ModelTri& t1 = m1->tri_list()[-(B1.child_code + 1)];
      const ModelTri& t2 = m2->tri_list()[-(B2.child_code + 1)];
      double q1[3], q2[3], q3[3];
      MatVecAdd(q1, rel_rotation, t2.vert1, rel_translation);
      MatVecAdd(q2, rel_rotation, t2.vert2, rel_translation);
      MatVecAdd(q3, rel_rotation, t2.vert3, rel_translation);
      if (TrianglesContact(t1.vert1, t1.vert2, t1.vert3, q1, q2, q3)) pairs.push_back({t1.id, t2.id});
      return;
    }
    double Rc[3][3], Tc[3], d[3];
    if (leaf2 || (!leaf1 && Size(B1) > Size(B2))) {
      for (int c = B1.child_code; c <= B1.child_code + 1; c++) {
        const BV& K = m1->bv_list()[c];
        MatTransposeMul(Rc, K.rotation, R);
        VecSub(d, T, K.box_center);
        MatTransposeVec(Tc, K.rotation, d);
        Nodes(Rc, Tc, c, b2);
        if (Stopped()) return;
      }
    } else {
      for (int c = B2.child_code; c <= B2.child_code + 1; c++) {
        const BV& K = m2->bv_list()[c];
        MatMul(Rc, R, K.rotation);
        MatVecAdd(Tc, R, K.box_center, T);
        Nodes(Rc, Tc, b1, c);
        if (Stopped()) return;
      }
    }
  }

  void Run(const double R1[3][3], const double T1[3], const double R2[3][3], const double T2[3]) {
    double d[3], R[3][3], T[3], c2[3];
    MatTransposeMul(rel_rotation, R1, R2);
    VecSub(d, T2, T1);
    MatTransposeVec(rel_translation, R1, d);
    const BV& B1 = m1->bv_list()[0];
    const BV& B2 = m2->bv_list()[0];
    MatMul(R, rel_rotation, B2.rotation);
    MatTransposeMul(R, B1.rotation, R);
    MatVecAdd(c2, rel_rotation, B2.box_center, rel_translation);
    VecSub(d, c2, B1.box_center);
    MatTransposeVec(T, B1.rotation, d);
    Nodes(R, T, 0, 0);
  }
};

// Every compiled path of the walk: the baseline one, and the AVX2 one where the processor has it.
std::vector<const WalkPath*> Paths() {
  std::vector<const WalkPath*> paths = {&BaselinePath()};
  if (Avx2Path() != nullptr) paths.push_back(Avx2Path());
  return paths;
}

// Makes CollideModels take one path for as long as it lives.
class TakePath {
 public:
  explicit TakePath(const WalkPath* path) { UseWalkPath(path); }
  ~TakePath() { UseWalkPath(nullptr); }
};

// The library's query against the plain one, on every path and for both flags: the same counts
// of BV and triangle tests and the same pairs in the same order.
void CheckAgainstPlain(CQ_Model& m1, const double R1[3][3], const double T1[3], CQ_Model& m2,
                       const double R2[3][3], const double T2[3], int placement) {
  for (const WalkPath* path : Paths()) {
    const TakePath take(path);
    for (int flag : {0, StopAtFirstContact}) {
      PlainQuery plain(&m1, &m2, flag);
      plain.Run(R1, T1, R2, T2);
      CQ_CollideResult result;
      ASSERT_EQ(CollideModels(&result, R1, T1, &m1, R2, T2, &m2, flag), StatusOk);
      ASSERT_EQ(result.bv_test_count, plain.bv_tests) << path->name << " placement " << placement;
      ASSERT_EQ(result.tri_test_count, plain.tri_tests) << path->name << " placement " << placement;
      ASSERT_EQ(result.num_pairs, static_cast<int>(plain.pairs.size()))
          << path->name << " placement " << placement;
      for (int k = 0; k < result.num_pairs; k++) {
        ASSERT_EQ(result.pair_list[k].first_id, plain.pairs[k].first) << path->name;
        ASSERT_EQ(result.pair_list[k].second_id, plain.pairs[k].second) << path->name;
      }
    }
  }
}

struct Stats {
  int placements = 0;
  int touching = 0;
  long pairs = 0;
};

// One placement: the tree with every pair reported against the all-pairs answer, and the tree
// stopping at the first contact against whether that answer is empty.
void CheckPlacement(CQ_Model& model1, const test_meshes::Mesh& mesh1, const double R1[3][3],
                    const double T1[3], CQ_Model& model2, const test_meshes::Mesh& mesh2,
                    const double R2[3][3], const double T2[3], Stats& stats) {
  CQ_CollideResult all, first;
  ASSERT_EQ(CollideModels(&all, R1, T1, &model1, R2, T2, &model2, 0), StatusOk);
  ASSERT_EQ(CollideModels(&first, R1, T1, &model1, R2, T2, &model2, StopAtFirstContact), StatusOk);
  const std::vector<std::pair<int, int>> expected = AllContacts(mesh1, mesh2, all);

  std::vector<std::pair<int, int>> found;
  for (int k = 0; k < all.num_pairs; k++)
    found.push_back({all.pair_list[k].first_id, all.pair_list[k].second_id});
  std::sort(found.begin(), found.end());
  ASSERT_EQ(found, expected) << "placement " << stats.placements;  // also: no pair twice

  ASSERT_EQ(first.num_pairs, expected.empty() ? 0 : 1) << "placement " << stats.placements;
  if (first.num_pairs == 1) {
    const std::pair<int, int> pair(first.pair_list[0].first_id, first.pair_list[0].second_id);
    ASSERT_TRUE(std::binary_search(expected.begin(), expected.end(), pair));
  }
  stats.placements++;
  stats.touching += expected.empty() ? 0 : 1;
  stats.pairs += static_cast<long>(expected.size());
}

// Centre distances mostly around the sum of the radii, where the trees are pushed to their
// leaves and a pruning fault would show; a few deep overlaps and misses.
double BiasedDistance(std::mt19937_64& rng, double contact) {
  std::uniform_real_distribution<double> unit(0, 1);
  const double u = unit(rng);
  if (u < 0.7) return contact + 0.08 * (unit(rng) - 0.6);
  if (u < 0.9) return contact * (0.3 + 0.7 * unit(rng));
  return contact + 0.5 * unit(rng);
}

}  // namespace

TEST(CollideModels, DisjointRootsStopAtTheFirstVisit) {
  const test_meshes::Mesh sphere = test_meshes::Icosphere(1, 0.99);
  CQ_Model a, b;
  test_meshes::BuildModel(a, sphere);
  test_meshes::BuildModel(b, sphere);
  const double far[3] = {5, 0, 0};
  CQ_CollideResult result;
  EXPECT_EQ(CollideModels(&result, kIdentity, kZero, &a, kIdentity, far, &b, 0), StatusOk);
  EXPECT_EQ(result.bv_test_count, 1);
  EXPECT_EQ(result.tri_test_count, 0);
  EXPECT_EQ(result.num_pairs, 0);
  EXPECT_GE(result.query_seconds, 0);
}

TEST(CollideModels, OneTriangleModelsTestTheirPairOnce) {
  const double a[3] = {0, 0, 0}, b[3] = {1, 0, 0}, c[3] = {0, 1, 0};
  const double d[3] = {0.2, 0.2, -0.5}, e[3] = {0.3, 0.2, 0.5}, f[3] = {0.2, 0.3, 0.5};
  CQ_Model m1, m2;
  OneTriangle(m1, a, b, c, 4);
  OneTriangle(m2, d, e, f, 9);
  CQ_CollideResult result;
  EXPECT_EQ(CollideModels(&result, kIdentity, kZero, &m1, kIdentity, kZero, &m2, 0), StatusOk);
  EXPECT_EQ(result.bv_test_count, 1);
  EXPECT_EQ(result.tri_test_count, 1);
  ASSERT_EQ(result.num_pairs, 1);
  EXPECT_EQ(result.pair_list[0].first_id, 4);
  EXPECT_EQ(result.pair_list[0].second_id, 9);

  // Lifted so that the boxes still overlap (the padding) but the triangles do not touch.
  const double up[3] = {0, 0, 0.5000001};
  EXPECT_EQ(CollideModels(&result, kIdentity, kZero, &m1, kIdentity, up, &m2, 0), StatusOk);
  EXPECT_EQ(result.bv_test_count, 1);
  EXPECT_EQ(result.tri_test_count, 1);
  EXPECT_EQ(result.num_pairs, 0);
  EXPECT_FALSE(result.HasContact());
  // The pair of the earlier query is still stored.
  EXPECT_EQ(result.SecondId(0), 9);
  EXPECT_EQ(result.pair_list[0].first_id, 4);
}

// The placements are applied as R p + T, and the relative placement is model 2 in model 1's
// coordinates.
TEST(CollideModels, RelativePlacementIsModelTwoInModelOnesCoordinates) {
  const double a[3] = {0, 0, 0}, b[3] = {1, 0, 0}, c[3] = {0, 1, 0};
  CQ_Model m1, m2;
  OneTriangle(m1, a, b, c, 0);
  OneTriangle(m2, a, b, c, 1);
  std::mt19937_64 rng(8);
  double R1[3][3], R2[3][3];
  test_meshes::RandomRotation(rng, R1);
  test_meshes::RandomRotation(rng, R2);
  const double T1[3] = {1, 2, 3}, T2[3] = {-2, 0.5, 4};
  CQ_CollideResult result;
  ASSERT_EQ(CollideModels(&result, R1, T1, &m1, R2, T2, &m2, 0), StatusOk);
  // World position of model 2's point p equals model 1's placement of rel p.
  const double p[3] = {0.3, -1.2, 2.5};
  double world[3], rel[3], via[3];
  Place(R2, T2, p, world);
  Place(result.rel_rotation, result.rel_translation, p, rel);
  Place(R1, T1, rel, via);
  for (int i = 0; i < 3; i++) EXPECT_NEAR(via[i], world[i], 1e-12);
}

TEST(CollideModels, UnbuiltModelIsRefusedAndTheResultKept) {
  const double a[3] = {0, 0, 0}, b[3] = {1, 0, 0}, c[3] = {0, 1, 0};
  CQ_Model built, begun, empty, failed;
  OneTriangle(built, a, b, c, 3);
  begun.AddTri(a, b, c, 0);
  testing::internal::CaptureStderr();
  failed.BeginModel();
  EXPECT_EQ(failed.EndModel(), StatusEmptyModel);
  testing::internal::GetCapturedStderr();

  CQ_CollideResult result;
  ASSERT_EQ(CollideModels(&result, kIdentity, kZero, &built, kIdentity, kZero, &built, 0), StatusOk);
  ASSERT_EQ(result.num_pairs, 1);
  // What a refused query must leave as it was.
  const int pairs = result.num_pairs, bv_tests = result.bv_test_count,
            tri_tests = result.tri_test_count, capacity = result.pair_capacity;
  const CollidePair* list = result.pair_list;
  for (CQ_Model* other : {&begun, &empty, &failed}) {
    EXPECT_EQ(CollideModels(&result, kIdentity, kZero, &built, kIdentity, kZero, other, 0),
              StatusModelNotBuilt);
    EXPECT_EQ(CollideModels(&result, kIdentity, kZero, other, kIdentity, kZero, &built, 2),
              StatusModelNotBuilt);
    EXPECT_EQ(result.num_pairs, pairs);
    EXPECT_EQ(result.bv_test_count, bv_tests);
    EXPECT_EQ(result.tri_test_count, tri_tests);
    EXPECT_EQ(result.pair_capacity, capacity);
    EXPECT_EQ(result.pair_list, list);
  }
  EXPECT_EQ(result.SecondId(0), 3);
}

// A NaN or an infinity anywhere in either placement, or translations whose difference
// overflows, refuses the query: its own status, one "CQ Error:" line, no pairs. Before the
// refusal such a query reported every triangle pair as touching, with StatusOk.
TEST(CollideModels, NonFinitePlacementIsRefusedWithNoPairs) {
  CQ_Model a;  // queried against itself: a model is only read
  test_meshes::BuildModel(a, test_meshes::Icosphere(1, 0.99));
  CQ_Model& b = a;
  const double near[3] = {1, 0, 0};
  CQ_CollideResult result;
  ASSERT_EQ(CollideModels(&result, kIdentity, kZero, &a, kIdentity, near, &b, 0), StatusOk);
  ASSERT_GT(result.num_pairs, 0);

  const double bad[3] = {std::nan(""), HUGE_VAL, -HUGE_VAL};
  int refused = 0;
  for (int slot = 0; slot < 24; slot++)
    for (double value : bad)
      for (int flag : {0, StopAtFirstContact}) {
        // Slots 0..8: R1, 9..17: R2, 18..20: T1, 21..23: T2.
        double R1[3][3], R2[3][3], T1[3] = {0, 0, 0}, T2[3] = {1, 0, 0};
        for (int i = 0; i < 3; i++)
          for (int j = 0; j < 3; j++) R1[i][j] = R2[i][j] = kIdentity[i][j];
        if (slot < 9) R1[slot / 3][slot % 3] = value;
        else if (slot < 18) R2[(slot - 9) / 3][(slot - 9) % 3] = value;
        else if (slot < 21) T1[slot - 18] = value;
        else T2[slot - 21] = value;
        testing::internal::CaptureStderr();
        const int status = CollideModels(&result, R1, T1, &a, R2, T2, &b, flag);
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(status, StatusNonFinitePlacement) << "slot " << slot << " value " << value;
        EXPECT_EQ(result.num_pairs, 0) << "slot " << slot << " value " << value;
        EXPECT_EQ(said.rfind("CQ Error: ", 0), 0u) << said;
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
        refused += status == StatusNonFinitePlacement;
      }
  EXPECT_EQ(refused, 24 * 3 * 2);

  // Finite translations whose difference overflows; then huge ones whose difference does not.
  const double west[3] = {-1e308, 0, 0}, east[3] = {1e308, 0, 0};
  testing::internal::CaptureStderr();
  EXPECT_EQ(CollideModels(&result, kIdentity, west, &a, kIdentity, east, &b, 0), StatusNonFinitePlacement);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("CQ Error: "), std::string::npos);
  EXPECT_EQ(result.num_pairs, 0);
  const double far1[3] = {1e300, 0, 0}, far2[3] = {1e300, 0, 1e300};
  EXPECT_EQ(CollideModels(&result, kIdentity, far1, &a, kIdentity, far2, &b, 0), StatusOk);
  EXPECT_EQ(result.num_pairs, 0);
  EXPECT_EQ(CollideModels(&result, kIdentity, far1, &a, kIdentity, far1, &b, 0), StatusOk);
  EXPECT_GT(result.num_pairs, 0) << "the same huge translation places both models alike";
}

// Both models of two triangles, every triangle crossing every other, roots of equal size: the
// second model is descended first, which fixes the order in which the four pairs are found.
TEST(CollideModels, EqualSizesDescendTheSecondModel) {
  CQ_Model m;
  const double a1[3] = {-1, -1, 0}, b1[3] = {1, -1, 0}, c1[3] = {0, 1, 0};
  const double a2[3] = {-1, -1, 0.1}, b2[3] = {1, -1, 0.1}, c2[3] = {0, 1, 0.1};
  m.AddTri(a1, b1, c1, 0);
  m.AddTri(a2, b2, c2, 1);
  ASSERT_EQ(m.EndModel(), StatusOk);
  // The same model, turned a quarter about x, crosses itself in every pair.
  const double Rx[3][3] = {{1, 0, 0}, {0, 0, -1}, {0, 1, 0}};
  const double T[3] = {0, -0.05, 0};
  CQ_CollideResult result;
  ASSERT_EQ(CollideModels(&result, kIdentity, kZero, &m, Rx, T, &m, 0), StatusOk);
  ASSERT_EQ(result.num_pairs, 4);
  const int leaf1 = m.tri_list()[-(m.bv_list()[1].child_code + 1)].id;
  const int leaf2 = m.tri_list()[-(m.bv_list()[2].child_code + 1)].id;
  // Second model first: for its first leaf both of model 1's leaves, then for its second.
  const int order[4][2] = {{leaf1, leaf1}, {leaf2, leaf1}, {leaf1, leaf2}, {leaf2, leaf2}};
  for (int k = 0; k < 4; k++) {
    EXPECT_EQ(result.pair_list[k].first_id, order[k][0]) << k;
    EXPECT_EQ(result.pair_list[k].second_id, order[k][1]) << k;
  }
  EXPECT_EQ(result.bv_test_count, 7);
  EXPECT_EQ(result.tri_test_count, 4);

  CQ_CollideResult first;
  ASSERT_EQ(CollideModels(&first, kIdentity, kZero, &m, Rx, T, &m, StopAtFirstContact), StatusOk);
  ASSERT_EQ(first.num_pairs, 1);
  EXPECT_EQ(first.pair_list[0].first_id, leaf1);
  EXPECT_EQ(first.pair_list[0].second_id, leaf1);
  EXPECT_EQ(first.bv_test_count, 3);
  EXPECT_EQ(first.tri_test_count, 1);
}

TEST(CollideModels, VisitsAndReportsExactlyAsThePlainTraversal) {
  const test_meshes::Mesh sphere = test_meshes::Icosphere(3, 0.99);
  const test_meshes::Mesh small = test_meshes::Icosphere(2, 0.99);
  const test_meshes::Mesh box = test_meshes::PlayBox();
  CQ_Model a, b, s, walls;
  ASSERT_EQ(test_meshes::BuildModel(a, sphere), StatusOk);
  ASSERT_EQ(test_meshes::BuildModel(b, sphere), StatusOk);
  ASSERT_EQ(test_meshes::BuildModel(s, small), StatusOk);
  ASSERT_EQ(test_meshes::BuildModel(walls, box), StatusOk);
  std::mt19937_64 rng(77);
  std::uniform_real_distribution<double> coord(-14, 14);
  for (int i = 0; i < 600; i++) {
    double R1[3][3], R2[3][3], dir[3], T1[3] = {0, 0, 0}, T2[3];
    test_meshes::RandomRotation(rng, R1);
    test_meshes::RandomRotation(rng, R2);
    test_meshes::RandomDirection(rng, dir);
    const double distance = BiasedDistance(rng, 1.98);
    for (int k = 0; k < 3; k++) T2[k] = distance * dir[k];
    CQ_Model& other = i % 3 == 0 ? s : b;  // trees of different depths, too
    CheckAgainstPlain(a, R1, T1, other, R2, T2, i);
    if (HasFatalFailure()) return;
    const double Ts[3] = {coord(rng), BiasedDistance(rng, 0.99) - 1, 1.4 * coord(rng)};
    CheckAgainstPlain(a, R1, Ts, walls, R2, T1, i);
    CheckAgainstPlain(walls, R2, T1, a, R1, Ts, i);
    if (HasFatalFailure()) return;
  }
}

// Models far beyond the float box test's range (every visit goes to the double test) and far
// below a float's normal range (its absolute error bound at work), near touching.
TEST(CollideModels, HugeAndTinyModelsVisitAsThePlainTraversal) {
  for (double scale : {1e13, 1e100, 1e-41, 1e-120}) {
    test_meshes::Mesh sphere = test_meshes::Icosphere(2, 0.99);
    for (auto& t : sphere)
      for (auto& v : t.v)
        for (double& c : v) c *= scale;
    CQ_Model a, b;
    ASSERT_EQ(test_meshes::BuildModel(a, sphere), StatusOk);
    ASSERT_EQ(test_meshes::BuildModel(b, sphere), StatusOk);
    std::mt19937_64 rng(5);
    int touching = 0;
    for (int i = 0; i < 60; i++) {
      double R1[3][3], R2[3][3], dir[3], T1[3], T2[3];
      test_meshes::RandomRotation(rng, R1);
      test_meshes::RandomRotation(rng, R2);
      test_meshes::RandomDirection(rng, dir);
      const double distance = BiasedDistance(rng, 1.98);
      for (int k = 0; k < 3; k++) {
        T1[k] = 3 * scale;
        T2[k] = T1[k] + distance * scale * dir[k];
      }
      CheckAgainstPlain(a, R1, T1, b, R2, T2, i);
      if (HasFatalFailure()) return;
      CQ_CollideResult result;
      CollideModels(&result, R1, T1, &a, R2, T2, &b, StopAtFirstContact);
      touching += result.num_pairs;
    }
    EXPECT_GT(touching, 10) << scale;
    EXPECT_LT(touching, 55) << scale;
  }
}

// The tree never prunes a touching pair: seeded random placements, biased towards grazing
// contact, compared with all pairs.
TEST(CollideModels, TreeMatchesAllPairsForSpheres) {
  for (int level : {2, 3}) {
    const test_meshes::Mesh sphere = test_meshes::Icosphere(level, 0.99);
    CQ_Model m1, m2;
    ASSERT_EQ(test_meshes::BuildModel(m1, sphere), StatusOk);
    ASSERT_EQ(test_meshes::BuildModel(m2, sphere), StatusOk);
    std::mt19937_64 rng(level);
    std::uniform_real_distribution<double> coord(-5, 5);
    Stats stats;
    const int placements = level == 2 ? 1500 : 600;
    for (int i = 0; i < placements; i++) {
      double R1[3][3], R2[3][3], T1[3], T2[3], dir[3];
      test_meshes::RandomRotation(rng, R1);
      test_meshes::RandomRotation(rng, R2);
      test_meshes::RandomDirection(rng, dir);
      const double distance = BiasedDistance(rng, 1.98);
      for (int k = 0; k < 3; k++) {
        T1[k] = coord(rng);
        T2[k] = T1[k] + distance * dir[k];
      }
      CheckPlacement(m1, sphere, R1, T1, m2, sphere, R2, T2, stats);
      if (HasFatalFailure()) return;
    }
    // The mix really exercised contact and its absence.
    EXPECT_GT(stats.touching, placements / 4);
    EXPECT_LT(stats.touching, placements * 9 / 10);
  }
}

// A sphere inside the box, mostly within reach of a wall, a corner or an edge; both orders.
TEST(CollideModels, TreeMatchesAllPairsForASphereInTheBox) {
  const test_meshes::Mesh sphere = test_meshes::Icosphere(3, 0.99);
  const test_meshes::Mesh box = test_meshes::PlayBox();
  CQ_Model ms, mb;
  ASSERT_EQ(test_meshes::BuildModel(ms, sphere), StatusOk);
  ASSERT_EQ(test_meshes::BuildModel(mb, box), StatusOk);
  std::mt19937_64 rng(11);
  std::uniform_real_distribution<double> unit(0, 1);
  const double lo[3] = {-15, -1, -20}, hi[3] = {15, 10, 20};
  Stats stats;
  const int placements = 1500;
  for (int i = 0; i < placements; i++) {
    double Rs[3][3], Rb[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}, Ts[3], Tb[3] = {0, 0, 0};
    test_meshes::RandomRotation(rng, Rs);
    for (int k = 0; k < 3; k++) {
      // Each coordinate near one of its walls with some probability, else anywhere inside.
      const double u = unit(rng);
      const double grazing = BiasedDistance(rng, 0.99) - 0.99;  // offset from touching
      if (u < 0.25)
        Ts[k] = lo[k] + 0.99 + grazing;
      else if (u < 0.5)
        Ts[k] = hi[k] - 0.99 - grazing;
      else
        Ts[k] = lo[k] + (hi[k] - lo[k]) * unit(rng);
    }
    if (i % 2 == 0) {
      CheckPlacement(ms, sphere, Rs, Ts, mb, box, Rb, Tb, stats);
    } else {
      // Also the box placed by a rotation, the sphere as the second model.
      test_meshes::RandomRotation(rng, Rb);
      double Tsw[3];
      Place(Rb, Tb, Ts, Tsw);
      double Rsw[3][3];
      for (int r = 0; r < 3; r++)
        for (int c = 0; c < 3; c++)
          Rsw[r][c] = Rb[r][0] * Rs[0][c] + Rb[r][1] * Rs[1][c] + Rb[r][2] * Rs[2][c];
      CheckPlacement(mb, box, Rb, Tb, ms, sphere, Rsw, Tsw, stats);
    }
    if (HasFatalFailure()) return;
  }
  EXPECT_GT(stats.touching, placements / 4);
  EXPECT_LT(stats.touching, placements * 9 / 10);
}
