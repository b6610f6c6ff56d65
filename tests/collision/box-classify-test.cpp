// The AVX2 walk's single-precision box test against the double test it stands in for
// (BoxesDisjoint), right at the limit where the double test's answer changes: wherever single
// precision claims an answer it must be the double test's, and it may leave only a thin band
// around the limit to the double test. Skipped on processors without AVX2, which never run it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "collision/walk/overlap.h"
#include "collision/test-meshes.h"
#include "collision/walk/walk-paths.h"

namespace {

// The paths whose box test is the single-precision one.
std::vector<const WalkPath*> Paths() {
  std::vector<const WalkPath*> paths;
  if (Avx2Path() != nullptr) paths.push_back(Avx2Path());
  return paths;
}

struct Box {
  double B[3][3], T[3], a[3], b[3];
};

// What the walk decides for one box pair: the single-precision answer where it claims one, else
// the double test's. `decided` tells which.
struct Decision {
  bool apart;
  bool decided;
};

// The path's test on pair 0 = x, pair 1 = y.
void Classify(const WalkPath& path, const Box& x, const Box& y, Decision out[2]) {
  double B[2][3][3], T[2][3], a[2][3], b[2][3];
  for (int c = 0; c < 2; c++) {
    const Box& box = c == 0 ? x : y;
    for (int i = 0; i < 3; i++) {
      for (int j = 0; j < 3; j++) B[c][i][j] = box.B[i][j];
      T[c][i] = box.T[i];
      a[c][i] = box.a[i];
      b[c][i] = box.b[i];
    }
  }
  const int bits = path.classify(B, T, a, b);
  for (int c = 0; c < 2; c++) {
    const Box& box = c == 0 ? x : y;
    out[c].decided = (bits & (4 << c)) == 0;
    out[c].apart = out[c].decided ? (bits & (1 << c)) != 0
                                  : BoxesDisjoint(box.B, box.T, box.a, box.b) != 0;
  }
}

// The same boxes with every length times scale.
Box Scaled(Box box, double scale) {
  for (int i = 0; i < 3; i++) {
    box.T[i] *= scale;
    box.a[i] *= scale;
    box.b[i] *= scale;
  }
  return box;
}

bool DoubleApart(const Box& box) { return BoxesDisjoint(box.B, box.T, box.a, box.b) != 0; }

Box Along(const Box& shape, const double dir[3], double s) {
  Box box = shape;
  for (int i = 0; i < 3; i++) box.T[i] = s * dir[i];
  return box;
}

// The distance along dir at which the double test's answer changes, to the last bit: the boxes
// overlap at the result and are apart at the next double.
double Limit(const Box& shape, const double dir[3]) {
  double lo = 0, hi = 1;
  while (!DoubleApart(Along(shape, dir, hi))) hi *= 2;
  for (;;) {
    const double mid = lo + (hi - lo) / 2;
    if (mid <= lo || mid >= hi) return lo;
    (DoubleApart(Along(shape, dir, mid)) ? hi : lo) = mid;
  }
}

// Candidate axis k (1..15, in the box test's order) in box 1's frame, unit length or zero.
void BoxAxis(int k, const double B[3][3], double axis[3]) {
  const int face[6][2] = {{0, 0}, {1, 0}, {0, 1}, {0, 2}, {1, 1}, {1, 2}};  // (box, axis)
  double u[3] = {0, 0, 0}, v[3];
  if (k <= 6) {
    const int box = face[k - 1][0], n = face[k - 1][1];
    for (int i = 0; i < 3; i++) axis[i] = box == 0 ? (i == n ? 1.0 : 0.0) : B[i][n];
    return;
  }
  u[(k - 7) / 3] = 1;
  for (int i = 0; i < 3; i++) v[i] = B[i][(k - 7) % 3];
  axis[0] = u[1] * v[2] - u[2] * v[1];
  axis[1] = u[2] * v[0] - u[0] * v[2];
  axis[2] = u[0] * v[1] - u[1] * v[0];
  const double len = std::sqrt(axis[0] * axis[0] + axis[1] * axis[1] + axis[2] * axis[2]);
  for (int i = 0; i < 3; i++) axis[i] = len > 0 ? axis[i] / len : 0;
}

Box RandomShape(std::mt19937_64& rng) {
  std::uniform_real_distribution<double> extent(0.0, 2.0), unit(0, 1);
  Box box;
  test_meshes::RandomRotation(rng, box.B);
  for (int i = 0; i < 3; i++) {
    box.a[i] = extent(rng);
    box.b[i] = extent(rng);
    box.T[i] = 0;
  }
  // Flat boxes, as every leaf of a mesh is.
  if (unit(rng) < 0.2) box.a[static_cast<int>(3 * unit(rng))] = 0;
  if (unit(rng) < 0.2) box.b[static_cast<int>(3 * unit(rng))] = 0;
  return box;
}

}  // namespace

// For each of the 15 axes, boxes pushed apart along it: a sweep of 41 steps across the place where
// the double test's answer changes, at step sizes from a few units in the last place to a tenth
// of a percent. Every answer is the double test's; the float test leaves the close steps to it
// and settles the far ones itself.
TEST(BoxClassify, SweepsAcrossEveryAxisLimitGiveTheDoubleAnswer) {
  if (Avx2Path() == nullptr) GTEST_SKIP() << "this processor has no AVX2";
  for (const WalkPath* path : Paths()) {
    std::mt19937_64 rng(41);
    int undecided_close = 0, shapes = 0;
    for (int k = 1; k <= 15; k++) {
      for (int trial = 0; trial < 8; trial++, shapes++) {
        Box shape = RandomShape(rng);
        double axis[3];
        BoxAxis(k, shape.B, axis);
        if (axis[0] == 0 && axis[1] == 0 && axis[2] == 0) continue;
        const double limit = Limit(shape, axis);
        for (double step : {4e-16, 1e-13, 1e-10, 1e-7, 1e-5, 1e-3}) {
          for (int m = -20; m <= 20; m += 2) {
            const Box x = Along(shape, axis, limit * (1 + m * step));
            const Box y = Along(shape, axis, limit * (1 + (m + 1) * step));
            Decision d[2];
            Classify(*path, x, y, d);
            ASSERT_EQ(d[0].apart, DoubleApart(x)) << path->name << " axis " << k << " m " << m;
            ASSERT_EQ(d[1].apart, DoubleApart(y)) << path->name << " axis " << k << " m " << m;
            if (step >= 1e-3) {  // a tenth of a percent off the limit and more
              EXPECT_TRUE(d[0].decided || m == 0) << path->name << " axis " << k << " m " << m;
              EXPECT_TRUE(d[1].decided) << path->name << " axis " << k << " m " << m + 1;
            }
            if (step <= 1e-13) undecided_close += !d[0].decided + !d[1].decided;
          }
        }
      }
    }
    // Within a few units in the last place of the limit single precision cannot tell.
    EXPECT_GT(undecided_close, 15 * 8 * 21) << path->name;
  }
}

// Random boxes, turned anyhow, flat or not, set at a random distance from the limit along a random
// direction (relative 1e-16 to 1e-1 either way): the answer is always the double test's, and
// single precision settles nearly all of those farther than 1e-5 from it.
TEST(BoxClassify, RandomBoxesNearTheLimitGiveTheDoubleAnswer) {
  if (Avx2Path() == nullptr) GTEST_SKIP() << "this processor has no AVX2";
  for (const WalkPath* path : Paths()) {
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> unit(0, 1);
    int decided = 0, apart = 0, far = 0, far_decided = 0;
    const int shapes = 3000;
    for (int n = 0; n < shapes; n++) {
      Box shape = RandomShape(rng);
      if (n % 10 == 0) {  // axis-aligned, with exact zeros in B, as unturned models give
        for (int i = 0; i < 3; i++)
          for (int j = 0; j < 3; j++) shape.B[i][j] = i == j ? 1 : 0;
      }
      double dir[3];
      test_meshes::RandomDirection(rng, dir);
      const double limit = Limit(shape, dir);
      Box pair[2];
      double offsets[2];
      for (int c = 0; c < 2; c++) {
        offsets[c] = (unit(rng) < 0.5 ? -1 : 1) * std::pow(10.0, -16 + 15 * unit(rng));
        pair[c] = Along(shape, dir, limit * (1 + offsets[c]));
      }
      Decision d[2];
      Classify(*path, pair[0], pair[1], d);
      for (int c = 0; c < 2; c++) {
        ASSERT_EQ(d[c].apart, DoubleApart(pair[c])) << path->name << " shape " << n;
        decided += d[c].decided;
        apart += d[c].decided && d[c].apart;
        if (std::fabs(offsets[c]) > 1e-5) {
          far++;
          far_decided += d[c].decided;
        }
      }
    }
    EXPECT_GT(apart, decided / 4) << path->name;      // both answers were given
    EXPECT_LT(apart, 3 * decided / 4) << path->name;
    EXPECT_GE(far_decided, far - far / 100) << path->name;
    EXPECT_LT(decided, 2 * shapes) << path->name;     // and some left to the double test
  }
}

// Inputs a float cannot carry (beyond 2^40, overflowing, infinite, NaN) and negative half sides
// are left to the double test; tiny ones, down among the float subnormals, are still answered
// rightly.
TEST(BoxClassify, OutOfRangeInputsGoToTheDoubleTest) {
  if (Avx2Path() == nullptr) GTEST_SKIP() << "this processor has no AVX2";
  for (const WalkPath* path : Paths()) {
    std::mt19937_64 rng(3);
    for (int n = 0; n < 200; n++) {
      const Box shape = RandomShape(rng);
      double dir[3];
      test_meshes::RandomDirection(rng, dir);
      const double limit = Limit(shape, dir);
      for (double offset : {-0.3, -1e-4, 1e-4, 0.3}) {
        const Box box = Along(shape, dir, limit * (1 + offset));
        for (double scale : {0x1p41, 1e30, 1e39, 1e300}) {
          Box big = box;
          big.a[0] = std::max(big.a[0], 1.0);  // so that a scaled input surely passes 2^40
          big = Scaled(big, scale);
          Decision d[2];
          Classify(*path, big, box, d);
          EXPECT_FALSE(d[0].decided) << path->name << " scale " << scale;
          EXPECT_EQ(d[0].apart, DoubleApart(big)) << path->name << " scale " << scale;
          if (std::fabs(offset) > 0.1) {
            EXPECT_TRUE(d[1].decided) << path->name;  // the other pair is not held up
          }
          EXPECT_EQ(d[1].apart, DoubleApart(box)) << path->name;
        }
        for (double scale : {1e-30, 1e-39, 1e-42, 1e-44, 1e-60}) {
          const Box tiny = Scaled(box, scale);
          Decision d[2];
          Classify(*path, box, tiny, d);
          EXPECT_EQ(d[1].apart, DoubleApart(tiny)) << path->name << " scale " << scale;
        }
        const double inf = HUGE_VAL, nan = std::nan("");
        for (int bad = 0; bad < 6; bad++) {
          Box odd = box;
          switch (bad) {
            case 0: odd.T[n % 3] = inf; break;
            case 1: odd.T[n % 3] = nan; break;
            case 2: odd.B[n % 3][(n / 3) % 3] = nan; break;
            case 3: odd.B[n % 3][(n / 3) % 3] = -inf; break;
            case 4: odd.a[n % 3] = nan; break;
            default: odd.b[n % 3] = -1e-9; break;
          }
          Decision d[2];
          Classify(*path, odd, box, d);
          EXPECT_FALSE(d[0].decided) << path->name << " case " << bad;
          EXPECT_EQ(d[0].apart, DoubleApart(odd)) << path->name << " case " << bad;
        }
      }
    }
  }
}

// The baseline path decides with the double test itself, never undecided; the AVX2 path's
// answers, with the double test's where it could not tell, are the same.
TEST(BoxClassify, BaselineAndAvx2PathsAgree) {
  if (Avx2Path() == nullptr) GTEST_SKIP() << "this processor has no AVX2";
  std::mt19937_64 rng(12);
  std::uniform_real_distribution<double> unit(0, 1);
  int undecided = 0;
  for (int n = 0; n < 20000; n++) {
    Box pair[2];
    for (int c = 0; c < 2; c++) {
      const Box shape = RandomShape(rng);
      double dir[3];
      test_meshes::RandomDirection(rng, dir);
      const double s = n % 2 ? Limit(shape, dir) * (1 + 1e-7 * (unit(rng) - 0.5))
                             : 4 * unit(rng);
      pair[c] = Along(shape, dir, s);
    }
    Decision baseline[2], avx2[2];
    Classify(BaselinePath(), pair[0], pair[1], baseline);
    Classify(*Avx2Path(), pair[0], pair[1], avx2);
    for (int c = 0; c < 2; c++) {
      ASSERT_TRUE(baseline[c].decided) << n;
      ASSERT_EQ(baseline[c].apart, DoubleApart(pair[c])) << n;
      ASSERT_EQ(avx2[c].apart, baseline[c].apart) << n;
      undecided += !avx2[c].decided;
    }
  }
  EXPECT_GT(undecided, 0);  // the close half of the cases reached the double test too
}

// The eight-lane form of the test that the floor benchmark times: on random boxes near the limit
// (and far from it) every answer it settles is the double test's, and it settles the far ones.
TEST(BoxClassify, EightAtATimeGiveTheDoubleAnswer) {
  if (Avx2Path() == nullptr) GTEST_SKIP() << "this processor has no AVX2";
  std::mt19937_64 rng(88);
  std::uniform_real_distribution<double> unit(0, 1);
  const int count = 500;
  std::vector<GatheredBoxes> blocks(count);
  std::vector<Box> boxes;
  for (int k = 0; k < count; k++)
    for (int n = 0; n < 8; n++) {
      const Box shape = RandomShape(rng);
      double dir[3];
      test_meshes::RandomDirection(rng, dir);
      const bool near = n % 2 == 0;
      const double s = near ? Limit(shape, dir) * (1 + 1e-6 * (unit(rng) - 0.5)) : 4 * unit(rng);
      const Box box = Along(shape, dir, s);
      boxes.push_back(box);
      for (int i = 0; i < 3; i++) {
        for (int j = 0; j < 3; j++) blocks[k].B[3 * i + j][n] = static_cast<float>(box.B[i][j]);
        blocks[k].T[i][n] = static_cast<float>(box.T[i]);
        blocks[k].a[i][n] = static_cast<float>(box.a[i]);
        blocks[k].b[i][n] = static_cast<float>(box.b[i]);
      }
    }
  std::vector<int> settled(count), apart(count);
  Avx2Path()->classify_gathered(blocks.data(), count, settled.data(), apart.data());
  int settled_near = 0, settled_far = 0;
  for (int k = 0; k < count; k++)
    for (int n = 0; n < 8; n++) {
      if (!(settled[k] & (1 << n))) continue;
      // Single precision judges the float-rounded boxes; where it settles, the double test on
      // those same boxes agrees.
      Box rounded = boxes[8 * k + n];
      for (int i = 0; i < 3; i++) {
        for (int j = 0; j < 3; j++) rounded.B[i][j] = blocks[k].B[3 * i + j][n];
        rounded.T[i] = blocks[k].T[i][n];
        rounded.a[i] = blocks[k].a[i][n];
        rounded.b[i] = blocks[k].b[i][n];
      }
      ASSERT_EQ((apart[k] & (1 << n)) != 0, DoubleApart(rounded)) << k << " lane " << n;
      (n % 2 == 0 ? settled_near : settled_far)++;
    }
  EXPECT_LT(settled_near, 4 * count);  // some near ones left to the double test
  EXPECT_GE(settled_far, 4 * count - count / 50);
}
