#include <gtest/gtest.h>

#include "rb-list.h"

namespace {
RigidBody* FakeBody(int i) { return reinterpret_cast<RigidBody*>(static_cast<uintptr_t>(0x1000 + 16 * i)); }
}  // namespace

TEST(RBList, HoldsThirtyByDefaultAndDropsFurtherAppends) {
  RBList list(0);
  EXPECT_EQ(list.Size(), 30);
  EXPECT_EQ(list.Element(29), nullptr) << "every slot is valid and null before use";
  for (int i = 0; i < 31; ++i) list.Append(FakeBody(i));
  EXPECT_EQ(list.Count(), 30);
  EXPECT_EQ(list.Element(29), FakeBody(29));
  EXPECT_EQ(RBList(-4).Size(), 30);
}

TEST(RBList, ClearKeepsSlotsAndRefills) {
  RBList list(3);
  list.Append(FakeBody(1));
  list.Append(FakeBody(2));
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.Element(1), FakeBody(2)) << "cleared slots keep their old values";
  list.Append(FakeBody(7));
  EXPECT_EQ(list.Element(0), FakeBody(7));
  EXPECT_EQ(list.Count(), 1);
}

TEST(RBListDeathTest, ElementChecksAgainstTheCapacity) {
  RBList list(5);
  EXPECT_DEATH(list.Element(5), "Assertion failed: idx < size");
}
