#include "fit-bv.h"
void FitBV(BV*, const double[3][3], const ModelTri[], int) {}
