#include "jacobi-eigen.h"
void JacobiEigen(double[3][3], double[3], double[3][3]) {}
