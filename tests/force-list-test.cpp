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
