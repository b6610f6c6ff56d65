#include "collision/collide-result.h"

#include <gtest/gtest.h>

#include <vector>

TEST(CQCollideResult, ConstructionHoldsNoPairs) {
  CQ_CollideResult result;
  EXPECT_EQ(result.pair_list, nullptr);
  EXPECT_EQ(result.pair_capacity, 0);
  EXPECT_EQ(result.num_pairs, 0);
  EXPECT_EQ(result.bv_test_count, 0);
  EXPECT_EQ(result.tri_test_count, 0);
  EXPECT_FALSE(result.HasContact());
  EXPECT_EQ(result.SecondId(0), -1);  // nothing was ever stored
}

TEST(CQCollideResult, AddPairGrowsTheCapacityEight24And56) {
  CQ_CollideResult result;
  std::vector<int> capacity_at(60);
  for (int k = 1; k < 60; k++) {
    result.AddPair(k, -k);
    capacity_at[k] = result.pair_capacity;
  }
  EXPECT_EQ(capacity_at[1], 8);
  EXPECT_EQ(capacity_at[8], 8);
  EXPECT_EQ(capacity_at[9], 24);
  EXPECT_EQ(capacity_at[24], 24);
  EXPECT_EQ(capacity_at[25], 56);
  EXPECT_EQ(capacity_at[57], 120);
  EXPECT_EQ(result.num_pairs, 59);
  EXPECT_TRUE(result.HasContact());
  for (int k = 1; k < 60; k++) {
    EXPECT_EQ(result.pair_list[k - 1].first_id, k);
    EXPECT_EQ(result.pair_list[k - 1].second_id, -k);
    EXPECT_EQ(result.SecondId(k - 1), -k);
  }
}

TEST(CQCollideResult, SizeToKeepsTheStoredPairsAndRefusesToDropAny) {
  CQ_CollideResult result;
  for (int k = 0; k < 5; k++) result.AddPair(k, 10 + k);
  result.SizeTo(5);
  EXPECT_EQ(result.pair_capacity, 5);
  EXPECT_EQ(result.num_pairs, 5);
  for (int k = 0; k < 5; k++) EXPECT_EQ(result.SecondId(k), 10 + k);

  const CollidePair* before = result.pair_list;
  testing::internal::CaptureStderr();
  result.SizeTo(3);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "CQ Error: Internal error in 'CQ_CollideResult::SizeTo(int n)'\n"
            "       n = 3, but num_pairs = 5\n");
  EXPECT_EQ(result.pair_list, before);
  EXPECT_EQ(result.pair_capacity, 5);
  EXPECT_EQ(result.num_pairs, 5);

  result.SizeTo(100);
  EXPECT_EQ(result.pair_capacity, 100);
  for (int k = 0; k < 5; k++) EXPECT_EQ(result.pair_list[k].first_id, k);
  result.AddPair(5, 15);
  EXPECT_EQ(result.pair_capacity, 100);
}

// Room made by SizeTo holds no pairs yet: reading it gives -1, never what the storage held, and
// so does an entry outside the storage.
TEST(CQCollideResult, SecondIdOfAnEntryNeverStoredIsMinusOne) {
  CQ_CollideResult result;
  result.SizeTo(16);
  for (int k = 0; k < 16; k++) EXPECT_EQ(result.SecondId(k), -1) << k;
  EXPECT_EQ(result.SecondId(16), -1);
  EXPECT_EQ(result.SecondId(-1), -1);

  // Growth keeps the stored pairs and marks the new room the same way; a query that stores
  // nothing (num_pairs back to 0) still leaves the earlier pairs readable.
  for (int k = 0; k < 17; k++) result.AddPair(k, 100 + k);
  EXPECT_EQ(result.pair_capacity, 40);
  EXPECT_EQ(result.SecondId(16), 116);
  for (int k = 17; k < 40; k++) EXPECT_EQ(result.SecondId(k), -1) << k;
  result.num_pairs = 0;
  EXPECT_EQ(result.SecondId(0), 100);
}
