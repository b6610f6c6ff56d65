#include "overlap.h"

int BoxesDisjoint(const double[3][3], const double[3], const double[3], const double[3]) { return 0; }
int TrianglesContact(const double[3], const double[3], const double[3], const double[3],
                     const double[3], const double[3]) { return 0; }
int ProjectionsOverlap(const double[3], const double[3], const double[3], const double[3],
                       const double[3], const double[3], const double[3]) { return 1; }
