#include "walk/placement-check.h"

#include <cmath>
#include <cstdio>

bool RelativePlacementIsFinite(const double R[3][3], const double T[3]) {
  bool finite = std::isfinite(T[0]) && std::isfinite(T[1]) && std::isfinite(T[2]);
  for (int i = 0; i < 3; i++)
    finite = finite && std::isfinite(R[i][0]) && std::isfinite(R[i][1]) && std::isfinite(R[i][2]);
  if (!finite)
    std::fprintf(stderr,
                 "CQ Error: CollideModels() was given a placement that is not finite (NaN, infinity "
                 "or an overflowing translation); the query was refused.\n");
  return finite;
}
