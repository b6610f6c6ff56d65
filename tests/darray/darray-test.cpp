#include <gtest/gtest.h>

#include "darray/darray-float.h"
#include "darray/darray-int.h"

TEST(DArrayFloat, ZeroSizeAndChunkMeanTheDefaultsAllZeroFilled) {
  DArrayFloat a(0, 0);
  EXPECT_EQ(a.Size(), 100u);
  EXPECT_EQ(a.Chunk(), 100);
  for (uint32_t i = 0; i < a.Size(); ++i) EXPECT_EQ(a.At(i), 0.0f) << i;
}

// Growth to the smallest whole number of chunks that makes the index valid, swept across the
// chunk boundaries: 100 -> 200 at index 100 .. 199, -> 300 at 200, -> 400 at 350.
TEST(DArrayInt, GrowsByWholeChunksKeepingOldValuesAndZeroingNewOnes) {
  const struct {
    uint32_t index, size;
  } cases[] = {{99, 100}, {100, 200}, {199, 200}, {200, 300}, {299, 300}, {350, 400}, {1000, 1100}};
  for (const auto& c : cases) {
    DArrayInt a(100, 100);
    for (uint32_t i = 0; i < 100; ++i) a[i] = static_cast<int32_t>(i) + 1;
    a[c.index];
    EXPECT_EQ(a.Size(), c.size) << "index " << c.index;
    for (uint32_t i = 0; i < 100; ++i) ASSERT_EQ(a[i], static_cast<int32_t>(i) + 1);
    for (uint32_t i = 100; i < a.Size(); ++i) ASSERT_EQ(a[i], 0) << i;
    EXPECT_EQ(a.Size(), c.size) << "reading inside the array must not grow it";
  }
}

TEST(DArrayFloat, GrowingAccessWritesThroughAndOddChunksRoundUp) {
  DArrayFloat a(13, 7);
  a[12] = 2.5f;
  a[13] = 4.0f;  // one chunk: 20
  EXPECT_EQ(a.Size(), 20u);
  a[35] = 1.0f;  // 20 + 3 * 7 = 41 is the first size past index 35
  EXPECT_EQ(a.Size(), 41u);
  EXPECT_EQ(a.At(12), 2.5f);
  EXPECT_EQ(a.At(13), 4.0f);
  EXPECT_EQ(a.At(35), 1.0f);
  EXPECT_EQ(a.At(34), 0.0f);
}

TEST(DArrayFloatDeathTest, AssertingAccessStopsPastTheEnd) {
  DArrayFloat a(10, 10);
  EXPECT_EQ(a.At(9), 0.0f);
  EXPECT_DEATH(a.At(10), "Assertion failed: idx < size");
}
