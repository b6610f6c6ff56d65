// The boxes of a model's tree composed from the root down: the cut at each depth holds every
// triangle, and each leaf box, in the order of the triangle list, holds its own triangle. Only
// right composition of the parent-relative placements puts the fitted boxes around their
// triangles.

#include "inspect/tree-boxes.h"
#include "inspect/tree-view.h"

#include <gtest/gtest.h>

#include <cmath>

#include "body-fixture.h"
#include "collision/cq.h"

namespace {

// Whether a model point lies inside a box, within a rounding margin.
bool Holds(const OrientedBox& box, const double p[3]) {
  for (int a = 0; a < 3; ++a) {
    double along = 0;
    for (int k = 0; k < 3; ++k) along += box.axes[k][a] * (p[k] - box.center[k]);
    if (std::fabs(along) > box.half_extents[a] + 1e-9) return false;
  }
  return true;
}

bool HoldsTriangle(const OrientedBox& box, const ModelTri& tri) {
  return Holds(box, tri.vert1) && Holds(box, tri.vert2) && Holds(box, tri.vert3);
}

}  // namespace

TEST(TreeBoxes, EachCutHoldsEveryTriangleAndLeavesHoldTheirOwn) {
  for (const char* file : {"sphere00.tris", "sphere03.tris", "box.tris"}) {
    Bodies body(1, file);
    const CQ_Model& model = body[0].collision_model();
    const int height = TreeHeight(model);
    ASSERT_GT(height, 0) << file;
    EXPECT_LT(height, model.tri_count()) << file;

    std::vector<OrientedBox> boxes;
    TreeBoxesAtDepth(model, 0, boxes);
    ASSERT_EQ(boxes.size(), 1u);
    const BV& root = model.bv_list()[0];
    for (int k = 0; k < 3; ++k) {
      EXPECT_EQ(boxes[0].center[k], root.box_center[k]) << "the root is placed in the model frame";
      EXPECT_EQ(boxes[0].half_extents[k], root.half_extents[k]);
      for (int c = 0; c < 3; ++c) EXPECT_EQ(boxes[0].axes[k][c], root.rotation[k][c]);
    }

    size_t previous = 0;
    for (int depth = 0; depth <= height + 1; ++depth) {
      TreeBoxesAtDepth(model, depth, boxes);
      EXPECT_GE(boxes.size(), previous) << file << " depth " << depth;
      EXPECT_LE(boxes.size(), size_t{1} << std::min(depth, 30)) << file << " depth " << depth;
      previous = boxes.size();
      for (int i = 0; i < model.tri_count(); ++i) {
        bool held = false;
        for (const OrientedBox& box : boxes) held = held || HoldsTriangle(box, model.tri_list()[i]);
        ASSERT_TRUE(held) << file << " depth " << depth << " triangle " << i;
      }
    }
    // At the tree's height and below, the cut is the leaves, in the order of the triangle list.
    ASSERT_EQ(boxes.size(), static_cast<size_t>(model.tri_count())) << file;
    for (int i = 0; i < model.tri_count(); ++i) EXPECT_TRUE(HoldsTriangle(boxes[i], model.tri_list()[i])) << file << i;
    TreeBoxesAtDepth(model, height - 1, boxes);
    EXPECT_LT(boxes.size(), static_cast<size_t>(model.tri_count())) << file << ": one level up is not all leaves";
  }
}

TEST(TreeBoxes, AModelNotBuiltHasNoTree) {
  CQ_Model model;
  EXPECT_EQ(TreeHeight(model), -1);
  std::vector<OrientedBox> boxes(3);
  TreeBoxesAtDepth(model, 2, boxes);
  EXPECT_TRUE(boxes.empty());

  const double a[3] = {0, 0, 0}, b[3] = {1, 0, 0}, c[3] = {0, 1, 0};
  model.AddTri(a, b, c, 0);
  model.EndModel();
  EXPECT_EQ(TreeHeight(model), 0) << "one triangle: the root is its leaf";
  TreeBoxesAtDepth(model, 5, boxes);
  EXPECT_EQ(boxes.size(), 1u);
}

// 'b' over nothing steps body 0's tree from its root to its deepest level and then off, in
// height + 2 presses from off to off; over another body it starts at that body's root.
TEST(TreeView, StepsDownToTheLeavesThenOffAndFollowsThePointedBody) {
  Bodies bodies(4, "sphere03.tris");
  const int height = TreeHeight(bodies[0].collision_model());
  TreeView view;
  for (int depth = 0; depth <= height; ++depth) {
    view = NextTreeView(bodies.system, view, -1);
    EXPECT_EQ(view.body, 0u);
    EXPECT_EQ(view.depth, depth);
  }
  view = NextTreeView(bodies.system, view, -1);
  EXPECT_FALSE(view.on()) << "off right after the deepest level";

  view = NextTreeView(bodies.system, view, 3);
  EXPECT_EQ(view.body, 3u);
  EXPECT_EQ(view.depth, 0);
  view = NextTreeView(bodies.system, view, 3);
  EXPECT_EQ(view.depth, 1) << "over the same body: one level down";
  view = NextTreeView(bodies.system, view, 2);
  EXPECT_EQ(view.body, 2u);
  EXPECT_EQ(view.depth, 0);
  view = NextTreeView(bodies.system, view, 9);
  EXPECT_EQ(view.depth, 1) << "no body 9: as over nothing";
}
