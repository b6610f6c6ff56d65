#pragma once
// The texture laid faintly over the bodies: 4 x 4 squares of 32 x 32 texels, black and white,
// with an alpha of 48 everywhere.

constexpr int kCheckerSize = 128;  // texels per row and per column

// Rows of kCheckerSize texels, each R, G, B, A bytes; row 0 first.
extern unsigned char checker_image[kCheckerSize][kCheckerSize][4];

// Fills checker_image: the texel at row i, column j is white when exactly one of i and j has the
// bit of value 32 set, black otherwise, so the square at rows 0..31, columns 0..31 is black.
void MakeCheckerImage();
