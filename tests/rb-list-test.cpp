#include <gtest/gtest.h>

#include "rb-list.h"

namespace {
RigidBody* FakeBody(int i) { return reinterpret_cast<RigidBody*>(static_cast<uintptr_t>(0x1000 + 16 * i)); }
}  // namespace

// Thirty bodies fit without growing; the 31st and later are kept too, in order, and a cleared
// list refills from the front.
TEST(RBList, KeepsEveryAppendInOrderPastThirtyAndRefillsAfterClear) {
  for (int n : {0, -4, 3}) {
    RBList list(n);
    for (int i = 0; i < 45; ++i) list.Append(FakeBody(i));
    ASSERT_EQ(list.Count(), 45) << "capacity " << n;
    for (int i = 0; i < 45; ++i) EXPECT_EQ(list.Element(i), FakeBody(i)) << "capacity " << n;
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    list.Append(FakeBody(7));
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Element(0), FakeBody(7));
  }
}
