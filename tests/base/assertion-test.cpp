#include "base/assertion.h"

#include <gtest/gtest.h>

TEST(AssertionStopDeathTest, NamesConditionFileAndLine) {
  int size = 3;
  EXPECT_DEATH(QUORVEL_ASSERT(5 < size), "Assertion failed: 5 < size, file assertion-test.cpp, line [0-9]+");
}

TEST(AssertionStop, PassesSilentlyWhenTheConditionHolds) {
  int size = 3;
  QUORVEL_ASSERT(1 < size);
  SUCCEED();
}
