#include "app/draw/checker-image.h"

#include <gtest/gtest.h>

namespace {

bool IsWhite(int row, int column) { return checker_image[row][column][0] == 255; }

TEST(CheckerImage, FourByFourSquaresOfThirtyTwoTexelsWithAlpha48) {
  MakeCheckerImage();
  EXPECT_FALSE(IsWhite(0, 0)) << "the square of rows and columns 0..31 is black";
  EXPECT_TRUE(IsWhite(0, 32));
  EXPECT_EQ(checker_image[0][32][3], 48);
  EXPECT_FALSE(IsWhite(32, 32));
  EXPECT_EQ(checker_image[32][32][3], 48);

  // Every texel is grey (R = G = B), black or white, and changes colour exactly at the
  // multiples of 32 along a row and along a column.
  for (int i = 0; i < kCheckerSize; ++i) {
    for (int j = 0; j < kCheckerSize; ++j) {
      const unsigned char* texel = checker_image[i][j];
      ASSERT_TRUE(texel[0] == 0 || texel[0] == 255);
      ASSERT_EQ(texel[1], texel[0]);
      ASSERT_EQ(texel[2], texel[0]);
      ASSERT_EQ(texel[3], 48);
      if (j > 0) {
        ASSERT_EQ(IsWhite(i, j) != IsWhite(i, j - 1), j % 32 == 0) << i << "," << j;
      }
      if (i > 0) {
        ASSERT_EQ(IsWhite(i, j) != IsWhite(i - 1, j), i % 32 == 0) << i << "," << j;
      }
    }
  }
}

}  // namespace
