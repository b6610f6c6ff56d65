#pragma once
// The refusal of a query whose placement is not finite. A NaN or an infinity in a rotation or a
// translation, or translations whose difference overflows, would make every box test pass and
// every triangle pair look touching.

// True when every entry of the relative placement (R, T) is finite. Otherwise prints a
// "CQ Error:" line to the standard error stream and returns false.
bool RelativePlacementIsFinite(const double R[3][3], const double T[3]);
