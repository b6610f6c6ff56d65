#include "base/assertion.h"

#include <gtest/gtest.h>

TEST(AssertionStopDeathTest, NamesConditionFileAndLine) {
  int size = 3;
  EXPECT_DEATH(QUORVEL_ASSERT(5 < size), "Assertion failed: 5 < size, file assertion-test.cpp, line [0-9]+");
}

// Always on: the condition is evaluated in every build, release included, exactly once, and a
// condition that holds lets the program go on.
TEST(AssertionStop, EvaluatesAHoldingConditionOnceAndGoesOn) {
  int evaluations = 0;
  QUORVEL_ASSERT(++evaluations > 0);
  EXPECT_EQ(evaluations, 1);
}
