#include "collision/cq.h"

#include <gtest/gtest.h>

#include <type_traits>

// Rigid bodies hold a model by value in default-constructed arrays and must never copy it.
TEST(CqHeader, ModelAndResultAreDefaultConstructibleAndNotCopyable) {
  static_assert(std::is_default_constructible_v<CQ_Model>);
  static_assert(!std::is_copy_constructible_v<CQ_Model>);
  static_assert(!std::is_copy_assignable_v<CQ_Model>);
  static_assert(!std::is_copy_constructible_v<CQ_CollideResult>);
  CQ_Model models[3];
  EXPECT_EQ(models[2].state(), CQ_ModelState::Empty);
  EXPECT_EQ(models[2].tri_list(), nullptr);
  CQ_CollideResult result;
  EXPECT_EQ(result.num_pairs, 0);
  EXPECT_FALSE(result.HasContact());
}
