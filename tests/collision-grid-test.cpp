#include "collision-grid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <tuple>

#include "rigid-body.h"

namespace {

using Cell = std::tuple<int, int, int>;

std::vector<Cell> Cells(const Vec3& p) {
  const CellTriple t = CollisionGrid::CellsOf(p);
  std::vector<Cell> cells;
  for (int k = 0; k < 8; ++k) cells.emplace_back(t.x[k], t.y[k], t.z[k]);
  return cells;
}

}  // namespace

TEST(CollisionGrid, EightCellsAroundTheNearestCorner) {
  EXPECT_EQ(Cells(Vec3(0, 0, 0)), (std::vector<Cell>{{5, 5, 5}, {5, 5, 4}, {5, 4, 5}, {5, 4, 4},
                                                      {4, 5, 5}, {4, 5, 4}, {4, 4, 5}, {4, 4, 4}}));
  EXPECT_EQ(std::get<0>(Cells(Vec3(2, 0, 0))[4]), 6) << "a fraction of exactly 0.5 takes the upper neighbour";
  EXPECT_EQ(std::get<0>(Cells(Vec3(1.99f, 0, 0))[4]), 4);
  // z = -20: the neighbour would be -1, so cells 1, 3, 5, 7 become the home cell.
  const std::vector<Cell> floor = Cells(Vec3(0, 0, -20));
  for (int k : {1, 3, 5, 7}) EXPECT_EQ(floor[k], Cell(5, 5, 0)) << k;
  EXPECT_EQ(floor[2], Cell(5, 4, 0));
  // A coordinate in (-24, -20) truncates toward zero: home 0.
  EXPECT_EQ(Cells(Vec3(-22, 0, 0))[0], Cell(0, 5, 5));
}

// Outside the grid the home cell is clamped onto it; no cell coordinate ever leaves 0 .. 9.
TEST(CollisionGrid, PositionsOutsideTheGridStayOnIt) {
  EXPECT_EQ(Cells(Vec3(0, 0, 20))[0], Cell(5, 5, 9));
  for (const Vec3& p : {Vec3(0, 0, 20), Vec3(25, -30, 1e30f), Vec3(-1e30f, 100, -24), Vec3(NAN, 0, INFINITY)}) {
    for (const Cell& c : Cells(p)) {
      for (int v : {std::get<0>(c), std::get<1>(c), std::get<2>(c)}) {
        EXPECT_GE(v, 0);
        EXPECT_LE(v, 9);
      }
    }
  }
}

TEST(CollisionGrid, InsertDuplicatesFillsAndClears) {
  CollisionGrid grid;
  RigidBody body;
  body.position = Vec3(0, 0, -20);
  grid.Insert(&body);
  EXPECT_EQ(grid.CellAt(5, 5, 0).Count(), 5) << "the home cell named five times";
  EXPECT_EQ(grid.CellAt(4, 4, 0).Count(), 1);
  RigidBody crowd[40];
  for (RigidBody& b : crowd) grid.Insert(&b);  // all at the origin
  ASSERT_EQ(grid.CellAt(5, 5, 5).Count(), 40) << "a cell holds more than 30 bodies: none is dropped";
  for (int32_t e = 0; e < 40; ++e) EXPECT_EQ(grid.CellAt(5, 5, 5).Element(e), &crowd[e]) << "in the order inserted";
  grid.Clear();
  EXPECT_EQ(grid.CellAt(5, 5, 5).Count(), 0);
}

TEST(CollisionGridDeathTest, CellElementPastTheEndStops) {
  CollisionGrid grid;
  RigidBody body;
  grid.Insert(&body);
  EXPECT_DEATH(grid.CellAt(5, 5, 5).Element(1), "Assertion failed: idx >= 0 && idx < size");
}

// The broad phase's promise, swept over random pairs: bodies at p and q share a cell whenever
// they are less than 4 apart on every axis, and never when they are 8 or more apart on one.
TEST(CollisionGrid, NeighboursWithinFourAreAlwaysFoundAndBeyondEightNever) {
  std::mt19937 random(11);
  std::uniform_real_distribution<float> inside(-18.0f, 18.0f), offset(-9.0f, 9.0f);
  int near = 0, far = 0;
  for (int n = 0; n < 20000; ++n) {
    const Vec3 p(inside(random), inside(random), inside(random));
    const Vec3 d(offset(random), offset(random), offset(random));
    const Vec3 q = p + d;
    if (q.x < -20 || q.x >= 20 || q.y < -20 || q.y >= 20 || q.z < -20 || q.z >= 20) continue;
    const std::vector<Cell> pc = Cells(p), qc = Cells(q);
    // i finds j when one of j's cells is one of i's.
    const bool shares = std::find_first_of(pc.begin(), pc.end(), qc.begin(), qc.end()) != pc.end();
    const float m = std::max({std::fabs(d.x), std::fabs(d.y), std::fabs(d.z)});
    if (m < 4.0f) {
      EXPECT_TRUE(shares) << p.x << " " << p.y << " " << p.z << " / " << q.x << " " << q.y << " " << q.z;
      ++near;
    } else if (m >= 8.0f) {
      EXPECT_FALSE(shares);
      ++far;
    }
  }
  EXPECT_GT(near, 500);
  EXPECT_GT(far, 500);
}

// Exactly halfway across a cell the upper neighbour is taken, on every axis and in every cell; a
// hair below halfway the lower one. A neighbour off the grid is replaced by the home cell.
TEST(CollisionGrid, HalfwayTakesTheUpperNeighbourOnEveryAxis) {
  const int neighbour_index[3] = {4, 2, 1};  // the cell that differs from home along x, y, z only
  for (int axis = 0; axis < 3; ++axis) {
    for (int c = 0; c <= 9; ++c) {
      const float halfway = 4.0f * c - 18.0f;  // grid coordinate c + 0.5
      for (const float at : {halfway, halfway - 0.001f}) {
        Vec3 p(0.3f, 0.3f, 0.3f);  // home 5, neighbour 4 on the other axes
        (axis == 0 ? p.x : axis == 1 ? p.y : p.z) = at;
        const Cell cell = Cells(p)[neighbour_index[axis]];
        const int along = axis == 0 ? std::get<0>(cell) : axis == 1 ? std::get<1>(cell) : std::get<2>(cell);
        int expected = at == halfway ? c + 1 : c - 1;
        if (expected < 0 || expected > 9) expected = c;  // replaced by the home cell
        EXPECT_EQ(along, expected) << "axis " << axis << " at " << at;
      }
    }
  }
}

// Against a slow reading of the rule at seeded positions all over the grid: home is the cell
// the position lies in, and along each axis the neighbour lies on the side of the nearer cell
// boundary; a cell with a coordinate off the grid becomes the home cell.
TEST(CollisionGrid, CellsAreTheBlockAroundTheNearestCornerEverywhere) {
  std::mt19937 random(19);
  std::uniform_real_distribution<float> coordinate(-20.0f, 19.999f);
  int checked = 0;
  for (int n = 0; n < 20000; ++n) {
    const Vec3 p(coordinate(random), coordinate(random), coordinate(random));
    int home[3], neighbour[3];
    bool clear = true;
    for (int axis = 0; axis < 3; ++axis) {
      const double u = ((axis == 0 ? p.x : axis == 1 ? p.y : p.z) + 20.0) / 4.0;
      home[axis] = static_cast<int>(std::floor(u));
      const double within = u - home[axis];
      clear = clear && std::fabs(within - 0.5) > 1e-5 && within > 1e-5 && within < 1 - 1e-5;
      neighbour[axis] = within < 0.5 ? home[axis] - 1 : home[axis] + 1;
    }
    if (!clear) continue;  // too near a boundary for the slow reading to be sure
    ++checked;
    const std::vector<Cell> cells = Cells(p);
    for (int k = 0; k < 8; ++k) {
      int c[3] = {k & 4 ? neighbour[0] : home[0], k & 2 ? neighbour[1] : home[1], k & 1 ? neighbour[2] : home[2]};
      bool inside = true;
      for (int v : c) inside = inside && v >= 0 && v <= 9;
      if (!inside) std::copy(home, home + 3, c);
      ASSERT_EQ(cells[k], Cell(c[0], c[1], c[2])) << p.x << " " << p.y << " " << p.z << " cell " << k;
    }
  }
  EXPECT_GT(checked, 19000);
}
