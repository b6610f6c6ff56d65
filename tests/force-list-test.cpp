#include <gtest/gtest.h>

#include "force-list.h"

namespace {

// Counts its own destructions so the test can see every force destroyed exactly once.
class CountedForce : public Force {
 public:
  explicit CountedForce(int* destroyed) : destroyed_(destroyed) {}
  ~CountedForce() override { ++*destroyed_; }
  Vec3 ComputeForce(float, const RigidBody&, const Vec3&) override { return Vec3(); }
  Vec3 ComputeTorque(const RigidBody&, const Vec3&) override { return Vec3(); }

 private:
  int* destroyed_;
};

}  // namespace

TEST(ForceList, GrowsOneChunkAtTheEleventhAppendAndReturnsCounts) {
  int destroyed = 0;
  ForceList list(10, 10);
  for (int i = 1; i <= 10; ++i) EXPECT_EQ(list.Append(new CountedForce(&destroyed)), i);
  EXPECT_EQ(list.Size(), 10);
  EXPECT_EQ(list.Append(new CountedForce(&destroyed)), 11);
  EXPECT_EQ(list.Size(), 20);
  EXPECT_NE(list.Element(10), nullptr);
  for (int i = 11; i < 20; ++i) EXPECT_EQ(list.Element(i), nullptr) << i;
  EXPECT_EQ(ForceList(0, 0).Size(), 100);
}

TEST(ForceList, DestroysEveryForceExactlyOnce) {
  int destroyed = 0;
  {
    ForceList list(2, 3);
    for (int i = 0; i < 7; ++i) list.Append(new CountedForce(&destroyed));
    EXPECT_EQ(list.Size(), 8);  // 2 -> 5 -> 8
  }
  EXPECT_EQ(destroyed, 7);
}

TEST(ForceListDeathTest, ElementChecksAgainstTheSize) {
  ForceList list(10, 10);
  EXPECT_EQ(list.Element(9), nullptr);
  EXPECT_DEATH(list.Element(10), "Assertion failed: idx < size");
}

// A force that acts for a while (the demo's pull) comes and goes without moving anyone else's
// index: only the last slot is given back, an earlier one stays empty.
TEST(ForceList, RemoveEmptiesTheSlotAndGivesBackOnlyTheLastIndex) {
  int destroyed = 0;
  ForceList list(4, 4);
  for (int i = 0; i < 3; ++i) list.Append(new CountedForce(&destroyed));
  Force* second = list.Element(1);

  list.Remove(2);
  EXPECT_EQ(destroyed, 1);
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Element(2), nullptr);
  EXPECT_EQ(list.Append(new CountedForce(&destroyed)), 3) << "the freed last index is reused";

  list.Remove(0);
  EXPECT_EQ(destroyed, 2);
  EXPECT_EQ(list.Count(), 3) << "an earlier slot stays empty; the others keep their indices";
  EXPECT_EQ(list.Element(0), nullptr);
  EXPECT_EQ(list.Element(1), second);

  list.Remove(2);
  EXPECT_EQ(list.Count(), 2);
  list.Remove(1);
  EXPECT_EQ(list.Count(), 0) << "the empty slots below the last one are given back with it";
  EXPECT_EQ(destroyed, 4);
  EXPECT_EQ(list.Append(new CountedForce(&destroyed)), 1);
}

TEST(ForceListDeathTest, RemoveWantsAnAppendedForce) {
  int destroyed = 0;
  ForceList list(4, 4);
  list.Append(new CountedForce(&destroyed));
  list.Append(new CountedForce(&destroyed));
  EXPECT_DEATH(list.Remove(2), "Assertion failed");
  EXPECT_DEATH(list.Remove(-1), "Assertion failed");
  list.Remove(0);
  EXPECT_DEATH(list.Remove(0), "Assertion failed") << "removed twice";
}
