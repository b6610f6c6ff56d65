#include "collision/cq-model.h"
#include "collision/walk/walk-node.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "collision/same-records.h"
#include "collision/test-meshes.h"

namespace {

const char kBeginWarning[] =
    "CQ Warning! Called BeginModel() on a CQ_Model that \n"
    "was not empty. This model was cleared and previous\n"
    "triangle additions were lost.\n";
const char kAddWarning[] =
    "CQ Warning! Called AddTri() on CQ_Model \n"
    "object that was already ended. AddTri() was\n"
    "ignored.  Must do a BeginModel() to clear the\n"
    "model for addition of new triangles\n";
const char kEndWarning[] =
    "CQ Warning! Called EndModel() on CQ_Model \n"
    "object that was already ended. EndModel() was\n"
    "ignored.  Must do a BeginModel() to clear the\n"
    "model for addition of new triangles\n";
const char kEmptyError[] = "CQ Error! EndModel() called on model with no triangles\n";

void AddShifted(CQ_Model& model, double dx, int id) {
  const double a[3] = {dx, 0, 0}, b[3] = {dx + 1, 0, 0}, c[3] = {dx, 1, 0.5};
  EXPECT_EQ(model.AddTri(a, b, c, id), StatusOk);
}

// Box frame of every BV in model coordinates, composed from the root down.
struct Frame {
  double R[3][3];
  double c[3];
};

void Compose(const CQ_Model& model, int b, const Frame& parent, std::vector<Frame>& out) {
  const BV& bv = model.bv_list()[b];
  Frame f;
  for (int i = 0; i < 3; i++) {
    f.c[i] = parent.c[i];
    for (int j = 0; j < 3; j++) {
      f.R[i][j] = 0;
      for (int k = 0; k < 3; k++) f.R[i][j] += parent.R[i][k] * bv.rotation[k][j];
      f.c[i] += parent.R[i][j] * bv.box_center[j];
    }
  }
  out[b] = f;
  if (bv.child_code >= 0) {
    Compose(model, bv.child_code, f, out);
    Compose(model, bv.child_code + 1, f, out);
  }
}

// The triangle positions a subtree covers.
void Leaves(const CQ_Model& model, int b, std::vector<int>& out) {
  const BV& bv = model.bv_list()[b];
  if (bv.child_code < 0) {
    out.push_back(-(bv.child_code + 1));
    return;
  }
  Leaves(model, bv.child_code, out);
  Leaves(model, bv.child_code + 1, out);
}

}  // namespace

TEST(CQModel, ConstructionIsEmpty) {
  CQ_Model model;
  EXPECT_EQ(model.state(), CQ_ModelState::Empty);
  EXPECT_EQ(model.tri_list(), nullptr);
  EXPECT_EQ(model.bv_list(), nullptr);
  EXPECT_EQ(model.tri_count() + model.tri_capacity() + model.bv_count() + model.bv_capacity(), 0);
}

TEST(CQModel, BuildProtocolStatusesAndMessages) {
  CQ_Model model;
  testing::internal::CaptureStderr();
  EXPECT_EQ(model.EndModel(), StatusEmptyModel);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), kEmptyError);
  EXPECT_EQ(model.state(), CQ_ModelState::Empty);

  EXPECT_EQ(model.BeginModel(), StatusOk);
  EXPECT_EQ(model.state(), CQ_ModelState::Begun);
  EXPECT_EQ(model.tri_capacity(), 8);
  testing::internal::CaptureStderr();
  EXPECT_EQ(model.EndModel(), StatusEmptyModel);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), kEmptyError);
  EXPECT_EQ(model.state(), CQ_ModelState::Begun);

  AddShifted(model, 0, 10);
  AddShifted(model, 1, 11);
  testing::internal::CaptureStderr();
  EXPECT_EQ(model.BeginModel(4), StatusOutOfSequence);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), kBeginWarning);
  EXPECT_EQ(model.state(), CQ_ModelState::Begun);
  EXPECT_EQ(model.tri_count(), 0);
  EXPECT_EQ(model.tri_capacity(), 4);

  AddShifted(model, 0, 20);
  AddShifted(model, 3, 21);
  AddShifted(model, 6, 22);
  testing::internal::CaptureStderr();
  EXPECT_EQ(model.EndModel(), StatusOk);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(model.state(), CQ_ModelState::Built);
  EXPECT_EQ(model.tri_capacity(), 3);
  EXPECT_EQ(model.bv_count(), 5);

  // Misuse of a built model changes nothing.
  const ModelTri* tris = model.tri_list();
  const BV* bvs = model.bv_list();
  const BV root = model.bv_list()[0];
  const double p[3] = {0, 0, 0};
  testing::internal::CaptureStderr();
  EXPECT_EQ(model.AddTri(p, p, p, 99), StatusOutOfSequence);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), kAddWarning);
  testing::internal::CaptureStderr();
  EXPECT_EQ(model.EndModel(), StatusOutOfSequence);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), kEndWarning);
  EXPECT_EQ(model.state(), CQ_ModelState::Built);
  EXPECT_EQ(model.tri_list(), tris);
  EXPECT_EQ(model.bv_list(), bvs);
  EXPECT_EQ(model.tri_count(), 3);
  EXPECT_EQ(model.bv_count(), 5);
  EXPECT_TRUE(SameBV(model.bv_list()[0], root));

  // Beginning a built model clears it.
  testing::internal::CaptureStderr();
  EXPECT_EQ(model.BeginModel(-3), StatusOutOfSequence);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), kBeginWarning);
  EXPECT_EQ(model.state(), CQ_ModelState::Begun);
  EXPECT_EQ(model.tri_count(), 0);
  EXPECT_EQ(model.tri_capacity(), 8);
  EXPECT_EQ(model.bv_list(), nullptr);
  EXPECT_EQ(model.bv_count(), 0);
  EXPECT_EQ(model.bv_capacity(), 0);
}

// A NaN or an infinity in any of the nine coordinates is refused with its own status and
// message, on a fresh, a begun and a built model alike, and nothing changes; the model builds
// from the triangles it took. Accepted, such a triangle made the tree cull its pairs at random.
TEST(CQModel, AddTriRefusesVerticesThatAreNotFinite) {
  const double good[3][3] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
  const char kRefused[] = "CQ Error! AddTri() was given a vertex that is not finite. AddTri() was\nignored.\n";
  CQ_Model model;
  for (int round = 0; round < 3; round++) {
    for (int slot = 0; slot < 9; slot++)
      for (double bad : {std::nan(""), HUGE_VAL, -HUGE_VAL}) {
        double v[3][3];
        for (int k = 0; k < 3; k++)
          for (int i = 0; i < 3; i++) v[k][i] = good[k][i];
        v[slot / 3][slot % 3] = bad;
        const CQ_ModelState state = model.state(); const int count = model.tri_count();
        testing::internal::CaptureStderr();
        EXPECT_EQ(model.AddTri(v[0], v[1], v[2], 7), StatusNonFiniteVertex) << "slot " << slot;
        EXPECT_EQ(testing::internal::GetCapturedStderr(), kRefused);
        EXPECT_EQ(model.state(), state);
        EXPECT_EQ(model.tri_count(), count);
      }
    // Fresh, then begun with one triangle, then built.
    if (round == 0) {
      EXPECT_EQ(model.AddTri(good[0], good[1], good[2], 1), StatusOk);
    } else if (round == 1) {
      EXPECT_EQ(model.EndModel(), StatusOk);
    }
  }
  EXPECT_EQ(model.tri_count(), 1);
  EXPECT_EQ(model.bv_count(), 1);
}

TEST(CQModel, TriangleCapacityDoublesFromEightAndIsTrimmedByEndModel) {
  CQ_Model model;
  AddShifted(model, 0, 0);  // begins implicitly
  EXPECT_EQ(model.state(), CQ_ModelState::Begun);
  EXPECT_EQ(model.tri_capacity(), 8);
  std::vector<int> capacity_at(41);  // capacity with k triangles stored
  capacity_at[1] = model.tri_capacity();
  for (int k = 2; k <= 40; k++) {
    AddShifted(model, k, k);
    capacity_at[k] = model.tri_capacity();
  }
  EXPECT_EQ(capacity_at[8], 8);
  EXPECT_EQ(capacity_at[9], 16);  // the ninth doubles the room
  EXPECT_EQ(capacity_at[16], 16);
  EXPECT_EQ(capacity_at[17], 32);
  EXPECT_EQ(capacity_at[33], 64);
  EXPECT_EQ(model.EndModel(), StatusOk);
  EXPECT_EQ(model.tri_count(), 40);
  EXPECT_EQ(model.tri_capacity(), 40);

  CQ_Model zero;
  EXPECT_EQ(zero.BeginModel(0), StatusOk);
  EXPECT_EQ(zero.tri_capacity(), 8);
  for (int i = 0; i < 9; i++) AddShifted(zero, i, i);
  EXPECT_EQ(zero.tri_capacity(), 16);
}

TEST(CQModel, OneTriangleIsASingleFittedLeaf) {
  CQ_Model model;
  const double a[3] = {0, 0, 1}, b[3] = {2, 0, 1}, c[3] = {0, 1, 1};
  model.AddTri(a, b, c, 42);
  ASSERT_EQ(model.EndModel(), StatusOk);
  EXPECT_EQ(model.bv_count(), 1);
  EXPECT_EQ(model.bv_capacity(), 1);
  const BV& root = model.bv_list()[0];
  EXPECT_EQ(root.child_code, -1);
  EXPECT_EQ(model.tri_list()[0].id, 42);
  // Flat: the triangle's normal is the third axis, so the sphere has no radius.
  EXPECT_NEAR(root.radius, 0, 1e-12);
  EXPECT_NEAR(std::fabs(root.rotation[2][2]), 1, 1e-12);
  EXPECT_NEAR(root.box_center[2], 1, 1e-12);
  EXPECT_NEAR(root.half_extents[2], 0, 1e-12);
  EXPECT_GT(root.half_extents[0], root.half_extents[1]);  // the larger spread is the first axis
}

TEST(CQModel, TwoTrianglesGiveARootAndTwoLeaves) {
  CQ_Model model;
  AddShifted(model, 0, 7);
  AddShifted(model, 5, 8);
  ASSERT_EQ(model.EndModel(), StatusOk);
  EXPECT_EQ(model.bv_count(), 3);
  EXPECT_EQ(model.bv_list()[0].child_code, 1);
  EXPECT_LT(model.bv_list()[1].child_code, 0);
  EXPECT_LT(model.bv_list()[2].child_code, 0);
  EXPECT_NE(model.bv_list()[1].child_code, model.bv_list()[2].child_code);
}

// A real mesh: 2n - 1 BVs, n leaves covering each position once, children numbered depth-first
// with siblings adjacent, ids a permutation of the added order, and every BV's box (composed
// from its parent-relative placement) enclosing the vertices of the triangles below it.
TEST(CQModel, TreeInvariantsOnASphere) {
  const test_meshes::Mesh mesh = test_meshes::Icosphere(2, 0.99);
  CQ_Model model;
  ASSERT_EQ(test_meshes::BuildModel(model, mesh), StatusOk);
  const int n = static_cast<int>(mesh.size());
  ASSERT_EQ(n, 320);
  EXPECT_EQ(model.bv_count(), 2 * n - 1);
  EXPECT_EQ(model.bv_capacity(), 2 * n - 1);
  EXPECT_EQ(model.tri_count(), n);

  std::vector<int> leaves;
  Leaves(model, 0, leaves);
  std::vector<int> sorted = leaves;
  std::sort(sorted.begin(), sorted.end());
  for (int i = 0; i < n; i++) ASSERT_EQ(sorted[i], i);

  std::vector<int> ids;
  for (int i = 0; i < n; i++) {
    const ModelTri& t = model.tri_list()[i];
    const int id = t.id;
    ids.push_back(id);
    for (int k = 0; k < 3; k++) {
      EXPECT_EQ(t.vert1[k], mesh[id].v[0][k]);
      EXPECT_EQ(t.vert2[k], mesh[id].v[1][k]);
      EXPECT_EQ(t.vert3[k], mesh[id].v[2][k]);
    }
  }
  std::sort(ids.begin(), ids.end());
  for (int i = 0; i < n; i++) ASSERT_EQ(ids[i], i);

  // Depth-first numbering: visiting internal nodes in pre-order hands out 1, 3, 5, ...
  std::vector<int> stack = {0};
  int next = 1;
  while (!stack.empty()) {
    const int b = stack.back();
    stack.pop_back();
    const int child = model.bv_list()[b].child_code;
    if (child < 0) continue;
    EXPECT_EQ(child, next);
    next += 2;
    stack.push_back(child + 1);
    stack.push_back(child);
  }

  const Frame root = {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}, {0, 0, 0}};
  std::vector<Frame> frames(model.bv_count());
  Compose(model, 0, root, frames);
  for (int b = 0; b < model.bv_count(); b++) {
    std::vector<int> covered;
    Leaves(model, b, covered);
    const BV& bv = model.bv_list()[b];
    const Frame& f = frames[b];
    for (int i = 0; i < 3; i++) {
      double column = 0;
      for (int k = 0; k < 3; k++) column += f.R[k][i] * f.R[k][i];
      EXPECT_NEAR(column, 1, 1e-9);
    }
    for (int position : covered) {
      const ModelTri& t = model.tri_list()[position];
      const double* v[3] = {t.vert1, t.vert2, t.vert3};
      for (const double* p : v)
        for (int k = 0; k < 3; k++) {
          double local = 0;
          for (int i = 0; i < 3; i++) local += f.R[i][k] * (p[i] - f.c[i]);
          EXPECT_LE(std::fabs(local), bv.half_extents[k] + 1e-9) << "BV " << b;
        }
    }
  }
}

// Identical triangles all project onto the split value: every run is cut in the middle of its
// order, so the tree is perfectly balanced and each leaf's position is where the cuts put it.
TEST(CQModel, IdenticalTrianglesAreSplitInTheMiddle) {
  CQ_Model model;
  for (int i = 0; i < 6; i++) AddShifted(model, 0, i);
  ASSERT_EQ(model.EndModel(), StatusOk);
  // 6 -> 3 + 3 (BVs 1, 2); BV 1's 3 -> 1 + 2 (BVs 3, 4); BV 4's 2 -> 1 + 1 (BVs 5, 6), and so on.
  std::vector<int> leaves;
  Leaves(model, 0, leaves);
  const std::vector<int> expected = {0, 1, 2, 3, 4, 5};
  EXPECT_EQ(leaves, expected);
  EXPECT_EQ(model.bv_list()[0].child_code, 1);
  EXPECT_EQ(model.bv_list()[1].child_code, 3);
  EXPECT_EQ(model.bv_list()[3].child_code, -1);
  EXPECT_EQ(model.bv_list()[4].child_code, 5);
  EXPECT_EQ(model.bv_list()[2].child_code, 7);
  for (int i = 0; i < 6; i++) EXPECT_EQ(model.tri_list()[i].id, i);  // nothing was swapped out of order
}

// Three triangles along x, the middle one's centroid exactly at the vertex centroid: it goes
// to the first child together with the left one.
TEST(CQModel, CentroidOnTheSplitValueGoesToTheFirstChild) {
  CQ_Model model;
  const double left[3][3] = {{-4, 0, 0}, {-3, 0, 0}, {-3.5, 0.1, 0}};
  const double mid[3][3] = {{-0.5, 0, 0}, {0.5, 0, 0}, {0, 0.1, 0}};
  const double right[3][3] = {{3, 0, 0}, {4, 0, 0}, {3.5, 0.1, 0}};
  model.AddTri(right[0], right[1], right[2], 2);
  model.AddTri(mid[0], mid[1], mid[2], 1);
  model.AddTri(left[0], left[1], left[2], 0);
  ASSERT_EQ(model.EndModel(), StatusOk);
  const BV& root = model.bv_list()[0];
  ASSERT_EQ(root.child_code, 1);
  std::vector<int> first, second;
  Leaves(model, 1, first);
  Leaves(model, 2, second);
  ASSERT_EQ(first.size() + second.size(), 3u);
  std::vector<int> first_ids, second_ids;
  for (int p : first) first_ids.push_back(model.tri_list()[p].id);
  for (int p : second) second_ids.push_back(model.tri_list()[p].id);
  std::sort(first_ids.begin(), first_ids.end());
  // The first axis is +x or -x; either way the middle triangle joins the first child.
  if (root.rotation[0][0] > 0) {
    EXPECT_EQ(first_ids, (std::vector<int>{0, 1}));
    EXPECT_EQ(second_ids, (std::vector<int>{2}));
  } else {
    EXPECT_EQ(first_ids, (std::vector<int>{1, 2}));
    EXPECT_EQ(second_ids, (std::vector<int>{0}));
  }
}

// A BV's bytes include the walk's copy of it, which the model holds beside it.
TEST(CQModel, MemoryReportCountsBVsTrianglesAndTheRecord) {
  CQ_Model model;
  for (int i = 0; i < 5; i++) AddShifted(model, 2 * i, i);
  model.EndModel();
  const std::size_t per_bv = sizeof(BV) + sizeof(WalkNode);
  const std::size_t expected = 9 * per_bv + 5 * sizeof(ModelTri) + sizeof(CQ_Model);
  testing::internal::CaptureStderr();
  EXPECT_EQ(model.MemoryReport(0), expected);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  testing::internal::CaptureStderr();
  EXPECT_EQ(model.MemoryReport(1), expected);
  const std::string text = testing::internal::GetCapturedStderr();
  char address[32];
  std::snprintf(address, sizeof address, "%x",
                static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(&model)));
  EXPECT_EQ(text, "Total for model " + std::string(address) + ": " + std::to_string(expected) +
                      " bytes\nBVs: 9 alloced, take " + std::to_string(per_bv) +
                      " bytes each\nTris: 5 alloced, take " + std::to_string(sizeof(ModelTri)) +
                      " bytes each\n");
}

// Ten million triangles hold several gigabytes, past what an int counts; the counts are set by
// hand on an empty model rather than building one that large.
TEST(CQModel, MemoryReportCountsLargeModelsInASizeType) {
  CQ_Model model;
  CQ_ModelTestAccess::SetCounts(model, 10000000, 2 * 10000000 - 1);
  const std::size_t expected = 19999999 * (sizeof(BV) + sizeof(WalkNode)) +
                               10000000 * sizeof(ModelTri) + sizeof(CQ_Model);
  ASSERT_GT(expected, static_cast<std::size_t>(INT32_MAX));
  testing::internal::CaptureStderr();
  EXPECT_EQ(model.MemoryReport(1), expected);
  const std::string text = testing::internal::GetCapturedStderr();
  EXPECT_NE(text.find(": " + std::to_string(expected) + " bytes\n"), std::string::npos) << text;
  EXPECT_NE(text.find("BVs: 19999999 alloced"), std::string::npos) << text;
  EXPECT_NE(text.find("Tris: 10000000 alloced"), std::string::npos) << text;
  CQ_ModelTestAccess::SetCounts(model, 0, 0);
}

// The walk reads its copy of each BV instead of the BV: the copy must hold the same rotation
// and centre bit for bit, the half sides rounded to float, the size the descent compares, and
// the same child code, one per BV and in the same order.
TEST(CQModel, WalkNodesCopyEveryBV) {
  const test_meshes::Mesh sphere = test_meshes::Icosphere(2, 0.99);
  CQ_Model model;
  ASSERT_EQ(test_meshes::BuildModel(model, sphere), StatusOk);
  ASSERT_NE(model.walk_nodes(), nullptr);
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(model.walk_nodes()) % 64, 0u);
  for (int n = 0; n < model.bv_count(); n++) {
    const BV& bv = model.bv_list()[n];
    const WalkNode& node = model.walk_nodes()[n];
    for (int k = 0; k < 3; k++) {
      EXPECT_EQ(std::memcmp(node.rows[k], bv.rotation[k], sizeof bv.rotation[k]), 0) << n;
      EXPECT_EQ(std::memcmp(&node.rows[k][3], &bv.box_center[k], sizeof(double)), 0) << n;
      EXPECT_EQ(node.half[k], static_cast<float>(bv.half_extents[k])) << n;
    }
    EXPECT_EQ(node.half[3], 0.0f);
    EXPECT_EQ(node.child_code, bv.child_code);
    const double size = BVSize(bv);
    EXPECT_EQ(node.size, bv.child_code < 0 ? 0.0 : size) << n;
  }
  // The walk's float box test takes a negative half side as NaN, which hands the decision to the
  // double test; zero and positive ones are rounded.
  EXPECT_TRUE(std::isnan(WalkHalf(-1e-30)));
  EXPECT_TRUE(std::isnan(WalkHalf(std::nan(""))));
  EXPECT_EQ(WalkHalf(0.0), 0.0f);
  EXPECT_EQ(WalkHalf(0.1), 0.1f);
  EXPECT_EQ(WalkHalf(1e300), HUGE_VALF);
}
