#include "app/draw/checker-image.h"

unsigned char checker_image[kCheckerSize][kCheckerSize][4];

void MakeCheckerImage() {
  constexpr int kSquareBit = 32;
  constexpr unsigned char kAlpha = 48;
  for (int i = 0; i < kCheckerSize; ++i) {
    for (int j = 0; j < kCheckerSize; ++j) {
      const bool white = ((i & kSquareBit) == 0) != ((j & kSquareBit) == 0);
      const unsigned char c = white ? 255 : 0;
      checker_image[i][j][0] = c;
      checker_image[i][j][1] = c;
      checker_image[i][j][2] = c;
      checker_image[i][j][3] = kAlpha;
    }
  }
}
